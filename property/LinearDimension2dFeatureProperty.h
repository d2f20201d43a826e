#pragma once
// The rows of a linear or parallel dimension: the measured points, projection length and angle, the
// dimension angle, then the dimension rows. A parallel dimension keeps measuring along its points.

#include "property/Dimension2dFeaturePropertyBase.h"

namespace QZ2Command {

class LinearDimension2dFeatureProperty : public Dimension2dFeaturePropertyBase
{
    DECLARE_DYNCREATE(LinearDimension2dFeatureProperty)
public:
    enum { idFirstPoint = 55, idSecondPoint = 56, idProjectionLength = 57, idProjectionAngle = 58, idDimensionAngle = 59 };

    LinearDimension2dFeatureProperty();
    LinearDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~LinearDimension2dFeatureProperty() override;

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override;
    void BuildPropertyList() override;
    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override;
};

}  // namespace QZ2Command
