#pragma once
// The rows of a radius dimension: its two points, then the dimension rows.

#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

class RadiusDimension2dFeatureProperty : public Dimension2dFeaturePropertyBase
{
    DECLARE_DYNCREATE(RadiusDimension2dFeatureProperty)
public:
    enum { idFirstPoint = 60, idSecondPoint = 61 };

    RadiusDimension2dFeatureProperty();
    RadiusDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~RadiusDimension2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
