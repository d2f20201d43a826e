#include "libs/vevure/ParallelDimension2dFeature.h"

#include <cmath>

#include "libs/ruva/RuVa.h"

IMPLEMENT_SERIAL(ParallelDimension2dFeature, LinearDimension2dFeature, 1)

ParallelDimension2dFeature::ParallelDimension2dFeature() : LinearDimension2dFeature(FeatureTypeParallelDimension) {}

ParallelDimension2dFeature::ParallelDimension2dFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                                       double dProjectionLength)
    : ParallelDimension2dFeature()
{
    SetPoint(0, p1);
    SetPoint(1, p2);
    SetProjectionLength(dProjectionLength);
    // Measured along its own points.
    if (p1.Distance(p2) > 0.0)
        SetDimensionAngle(std::atan2(p2.Y() - p1.Y(), p2.X() - p1.X()) * RuVa::RadToDeg);
}

double ParallelDimension2dFeature::GetMeasuredValue() const
{
    return GetPoint(0).Distance(GetPoint(1));
}
