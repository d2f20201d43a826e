#include "property/RadiusDimension2dFeatureProperty.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RadiusDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

RadiusDimension2dFeatureProperty::RadiusDimension2dFeatureProperty() = default;

RadiusDimension2dFeatureProperty::RadiusDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : TwoPointDimensionPropertyT(pDocument, nRecordID, nLayoutID)
{
}

RadiusDimension2dFeatureProperty::~RadiusDimension2dFeatureProperty() = default;

}  // namespace QZ2Command
