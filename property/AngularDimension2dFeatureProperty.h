#pragma once
// The rows of an angular dimension: centre, radius, start and end point, then the dimension rows.

#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

class AngularDimension2dFeatureProperty : public Dimension2dFeaturePropertyBase
{
    DECLARE_DYNCREATE(AngularDimension2dFeatureProperty)
public:
    enum { idCentre = 64, idRadius = 65, idStartPoint = 66, idEndPoint = 67 };

    AngularDimension2dFeatureProperty();
    AngularDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~AngularDimension2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
