#pragma once
// Turns the curves of a shape into chains of points within a chord tolerance: for picking by polygon,
// lengths and drawing. Compound shapes give the chains of their parts; texts, pictures and frames their
// outlines; unbounded lines a long segment clipped to +-RuVa::Infinite()/1e90.

#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"

class Feature2dBase;

class FeatureFlattener
{
public:
    // Appends the shape's chains; FALSE when the shape gave none. The tolerance is the largest distance of a
    // chord from its curve (at least 1e-9 of the curve's size); at most kMaxSegments segments per curve.
    static BOOL Flatten(const Feature2dBase* pFeature, std::vector<KcArrayOfGePnt2d>& chains,
                        double dChordTolerance = 0.01);

    static constexpr int kMaxSegments = 4096;
    // Half the length given to unbounded lines.
    static constexpr double kUnboundedReach = 1e10;

    // Segments needed for an arc of the radius and sweep (radians) within the tolerance.
    static int SegmentCount(double dRadius, double dSweep, double dChordTolerance);

private:
    static BOOL FlattenInto(const Feature2dBase* pFeature, std::vector<KcArrayOfGePnt2d>& chains, double dTol,
                            int nDepth);
};
