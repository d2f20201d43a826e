#pragma once
// Small helpers of the region search tests: drawings built in code and measures of a found region.

#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcCurveParam.h"
#include "platform/afx/AfxTypes.h"

namespace regiontest {

// A clock that moves on one millisecond per reading (user points at the DWORD it counts in): the search's
// time limit then counts tracing steps, so that a search ends alike on every machine and under any load.
inline DWORD StepTick(void* user)
{
    return (*static_cast<DWORD*>(user))++;
}

// The points of a region's boundary in order, each curve turned to follow on from the one before.
inline KcArrayOfGePnt2d RegionPolygon(const Region2dFeature& region, double deflection = 1e-4)
{
    KcArrayOfGePnt2d polygon;
    for (int i = 0; i < region.GetFeatureCount(); ++i) {
        std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(region.GetFeature(i)));
        KcArrayOfGePnt2d pts;
        if (!curve || !KcCurveParam::GetDeflectionPoints(curve.get(), deflection, pts))
            return KcArrayOfGePnt2d();
        if (polygon.GetSize() > 0 && pts.GetSize() > 1) {
            const RuVaPnt2d& last = polygon[polygon.GetSize() - 1];
            if (last.Distance(pts[0]) > last.Distance(pts[pts.GetSize() - 1])) {
                KcArrayOfGePnt2d reversed;
                for (int k = pts.GetSize() - 1; k >= 0; --k)
                    reversed.Add(pts[k]);
                pts = reversed;
            }
        }
        for (int k = 0; k < pts.GetSize(); ++k)
            polygon.Add(pts[k]);
    }
    return polygon;
}

// Signed area (counter-clockwise positive) of a closed chain of points.
inline double PolygonArea(const KcArrayOfGePnt2d& pts)
{
    double a = 0.0;
    const int n = pts.GetSize();
    for (int i = 0; i < n; ++i) {
        const RuVaPnt2d& p = pts[i];
        const RuVaPnt2d& q = pts[(i + 1) % n];
        a += p.X() * q.Y() - q.X() * p.Y();
    }
    return a * 0.5;
}

inline double RegionArea(const Region2dFeature& region)
{
    return std::fabs(PolygonArea(RegionPolygon(region)));
}

// Feature type codes of the region's boundary, in order.
inline std::vector<int> RegionTypes(const Region2dFeature& region)
{
    std::vector<int> types;
    for (int i = 0; i < region.GetFeatureCount(); ++i)
        types.push_back(region.GetFeature(i)->GetFeatureType());
    return types;
}

}  // namespace regiontest
