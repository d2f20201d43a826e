#include "commands/edit/AreaBoundary.h"

#include <cmath>
#include <list>
#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcCurveParam.h"

namespace QZ2Command {

namespace {

constexpr double kTolerance = 1e-7;
enum { typeLine = 2, typePolyline = 3, typeCircle = 4, typeArc = 5, typeEllipse = 6, typeEllipseArc = 7,
       typeBSpline = 9 };

bool Same(const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.Distance(b) <= kTolerance; }

// The points a shape adds to the chain from its start to its end; FALSE for shapes that do not chain.
bool PointsOf(const Feature2dBase* pShape, int nSteps, KcArrayOfGePnt2d& points)
{
    points.RemoveAll();
    switch (pShape->GetFeatureType()) {
    case typeLine: {
        const auto* pLine = static_cast<const Line2dFeature*>(pShape);
        points.Add(pLine->GetStartPoint());
        points.Add(pLine->GetEndPoint());
        return true;
    }
    case typePolyline:
        static_cast<const Polyline2dFeature*>(pShape)->GetPointArray(points);
        return points.GetSize() > 0;
    case typeArc:
    case typeEllipseArc:
    case typeBSpline:
        return AreaBoundary::DivideCurve(pShape, nSteps, points);
    default:
        return false;
    }
}

}  // namespace

bool AreaBoundary::DivideCurve(const Feature2dBase* pCurve, int nSteps, KcArrayOfGePnt2d& points)
{
    points.RemoveAll();
    if (pCurve == nullptr || nSteps < 1)
        return false;
    const int type = pCurve->GetFeatureType();
    if (type != typeArc && type != typeEllipseArc && type != typeBSpline)
        return false;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pCurve));
    double t0 = 0.0;
    double t1 = 0.0;
    if (!curve || !KcCurveParam::FirstLastParameter(curve.get(), t0, t1))
        return false;
    const double length = KcCurveParam::GetCurveLength(curve.get());
    RuVaPnt2d first;
    RuVaPnt2d last;
    if (!std::isfinite(length) || !KcCurveParam::GetFirstParamePoint(curve.get(), first) ||
        !KcCurveParam::GetLastParamePoint(curve.get(), last))
        return false;
    // Equal lengths along the curve, each step measured on from the last: the count of points depends on
    // the number of steps only, whatever the curve's size or parametrisation.
    const double step = length / nSteps;
    points.Add(first);
    double t = t0;
    for (int i = 1; i < nSteps; ++i) {
        double next = t;
        RuVaPnt2d p;
        if (!KcCurveParam::GetLengthParameter(curve.get(), step, t, next, p)) {
            // Past a curve's end by rounding: the parameter share stands in.
            next = t0 + (t1 - t0) * i / nSteps;
            if (!KcCurveParam::GetPointFromParameter(curve.get(), next, p))
                continue;
        }
        t = next;
        points.Add(p);
    }
    points.Add(last);
    return true;
}

void AreaBoundary::ChainBoundary(const std::vector<const Feature2dBase*>& boundary, int nSteps,
                                 KcArrayOfGePnt2d& polygon)
{
    polygon.RemoveAll();
    if (boundary.empty())
        return;
    KcArrayOfGePnt2d points;
    if (!PointsOf(boundary.front(), nSteps, points) || points.IsEmpty())
        return;
    polygon.Add(points[0]);
    std::list<const Feature2dBase*> open(boundary.begin(), boundary.end());
    while (!open.empty()) {
        const RuVaPnt2d end = polygon[polygon.GetSize() - 1];
        bool bJoined = false;
        for (auto it = open.begin(); it != open.end(); ++it) {
            if (!PointsOf(*it, nSteps, points) || points.IsEmpty())
                continue;
            const INT_PTR n = points.GetSize();
            if (Same(points[0], end)) {
                for (INT_PTR i = 0; i < n; ++i)
                    polygon.Add(points[i]);
            } else if (Same(points[n - 1], end)) {
                for (INT_PTR i = n - 1; i >= 0; --i)
                    polygon.Add(points[i]);
            } else {
                continue;
            }
            open.erase(it);
            bJoined = true;
            break;
        }
        if (!bJoined)
            break;
    }
    if (polygon.GetSize() > 1 && Same(polygon[0], polygon[polygon.GetSize() - 1]))
        polygon.Compress(kTolerance, 0);
    else
        polygon.RemoveAll();
}

double AreaBoundary::GetRegionArea(const Region2dFeature& region, int nSteps)
{
    if (region.GetFeatureCount() == 1) {
        const Feature2dBase* pOnly = region.GetFeature(0);
        if (pOnly != nullptr && (pOnly->GetFeatureType() == typeCircle || pOnly->GetFeatureType() == typeEllipse)) {
            const double area = MeasureTool::GetFeatureArea(pOnly);
            if (area != 0.0)
                return area;
        }
    }
    std::vector<const Feature2dBase*> boundary;
    for (int i = 0; i < region.GetFeatureCount(); ++i) {
        if (const Feature2dBase* p = region.GetFeature(i))
            boundary.push_back(p);
    }
    KcArrayOfGePnt2d polygon;
    ChainBoundary(boundary, nSteps, polygon);
    return polygon.IsEmpty() ? 0.0 : MeasureTool::GetPolygonArea(polygon);
}

}  // namespace QZ2Command
