#include "property/DiameterDimension2dFeatureProperty.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DiameterDimension2dFeatureProperty, Dimension2dFeaturePropertyBase)

DiameterDimension2dFeatureProperty::DiameterDimension2dFeatureProperty() = default;

DiameterDimension2dFeatureProperty::DiameterDimension2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : TwoPointDimensionPropertyT(pDocument, nRecordID, nLayoutID)
{
}

DiameterDimension2dFeatureProperty::~DiameterDimension2dFeatureProperty() = default;

}  // namespace QZ2Command
