#pragma once
// The rows of a radius dimension: its two points, then the dimension rows.

#include "libs/vevure/RadiusDimension2dFeature.h"
#include "property/TwoPointDimensionPropertyT.h"

namespace QZ2Command {

class RadiusDimension2dFeatureProperty : public TwoPointDimensionPropertyT<RadiusDimension2dFeature, 60, 61>
{
    DECLARE_DYNCREATE(RadiusDimension2dFeatureProperty)
public:
    RadiusDimension2dFeatureProperty();
    RadiusDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~RadiusDimension2dFeatureProperty() override;
};

}  // namespace QZ2Command
