#pragma once
// The rows of an arc: centre, radius, start and end angle and direction.

#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

class Arc2dFeatureProperty : public ShapeFeaturePropertyBase
{
    DECLARE_DYNCREATE(Arc2dFeatureProperty)
public:
    enum { idCentre = 16, idRadius = 17, idStartAngle = 18, idEndAngle = 19, idDirection = 20 };
    static constexpr UINT kDirectionChoices = 10943;
    Arc2dFeatureProperty();
    Arc2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Arc2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
