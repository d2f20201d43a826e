#pragma once
// The rows of an arc-length dimension: centre, radius, start and end angle and projection length, then the
// dimension rows.

#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

class ArcDimension2dFeatureProperty : public Dimension2dFeaturePropertyBase
{
    DECLARE_DYNCREATE(ArcDimension2dFeatureProperty)
public:
    enum { idCentre = 68, idRadius = 69, idStartAngle = 70, idEndAngle = 71, idProjectionLength = 72 };

    ArcDimension2dFeatureProperty();
    ArcDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~ArcDimension2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
