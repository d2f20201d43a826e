#include "property/Polyline2dFeatureProperty.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Polyline2dFeatureProperty, ShapeFeaturePropertyBase)

Polyline2dFeatureProperty::Polyline2dFeatureProperty() = default;

Polyline2dFeatureProperty::Polyline2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : PointListFeaturePropertyT(pDocument, nRecordID, nLayoutID)
{
}

Polyline2dFeatureProperty::~Polyline2dFeatureProperty() = default;

}  // namespace QZ2Command
