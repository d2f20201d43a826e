#pragma once
// A parallel dimension (type 55): a linear dimension measured along the direction of its two points.

#include "libs/vevure/LinearDimension2dFeature.h"

class ParallelDimension2dFeature : public LinearDimension2dFeature
{
    DECLARE_SERIAL(ParallelDimension2dFeature)
public:
    ParallelDimension2dFeature();
    ParallelDimension2dFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, double dProjectionLength);

    double GetMeasuredValue() const override;
};
