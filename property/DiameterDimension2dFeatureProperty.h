#pragma once
// The rows of a diameter dimension: its two points, then the dimension rows.

#include "libs/vevure/DiameterDimension2dFeature.h"
#include "property/TwoPointDimensionPropertyT.h"

namespace QZ2Command {

class DiameterDimension2dFeatureProperty : public TwoPointDimensionPropertyT<DiameterDimension2dFeature, 62, 63>
{
    DECLARE_DYNCREATE(DiameterDimension2dFeatureProperty)
public:
    DiameterDimension2dFeatureProperty();
    DiameterDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~DiameterDimension2dFeatureProperty() override;
};

}  // namespace QZ2Command
