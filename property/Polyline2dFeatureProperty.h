#pragma once
// The rows of a polyline: the number of vertices, the vertex chooser and the chosen vertex.

#include "libs/vevure/Polyline2dFeature.h"
#include "property/PointListFeaturePropertyT.h"

namespace QZ2Command {

class Polyline2dFeatureProperty : public PointListFeaturePropertyT<Polyline2dFeature, 13, 14, 15>
{
    DECLARE_DYNCREATE(Polyline2dFeatureProperty)
public:
    Polyline2dFeatureProperty();
    Polyline2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID);
    ~Polyline2dFeatureProperty() override;
};

}  // namespace QZ2Command
