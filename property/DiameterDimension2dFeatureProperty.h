#pragma once
// The rows of a diameter dimension: its two points, then the dimension rows.

#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

class DiameterDimension2dFeatureProperty : public Dimension2dFeaturePropertyBase
{
    DECLARE_DYNCREATE(DiameterDimension2dFeatureProperty)
public:
    enum { idFirstPoint = 62, idSecondPoint = 63 };

    DiameterDimension2dFeatureProperty();
    DiameterDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~DiameterDimension2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
