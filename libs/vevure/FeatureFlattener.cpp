#include "libs/vevure/FeatureFlattener.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <Geom2d_Curve.hxx>
#include <Standard_Failure.hxx>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

constexpr int kMaxDepth = 64;

KcArrayOfGePnt2d SampleEllipse(const RuVaPnt2d& c, double major, double minor, double angleDeg, double startDeg,
                               double sweepDeg, int direction, double tol)
{
    const int n = FeatureFlattener::SegmentCount(major, sweepDeg * RuVa::DegToRad, tol);
    const double a = angleDeg * RuVa::DegToRad, ca = std::cos(a), sa = std::sin(a);
    const double sign = direction == 1 ? -1.0 : 1.0;
    KcArrayOfGePnt2d points;
    for (int i = 0; i <= n; ++i) {
        const double t = (startDeg + sign * sweepDeg * i / n) * RuVa::DegToRad;
        const double x = major * std::cos(t), y = minor * std::sin(t);
        points.Add(RuVaPnt2d(c.X() + x * ca - y * sa, c.Y() + x * sa + y * ca));
    }
    return points;
}

}  // namespace

int FeatureFlattener::SegmentCount(double dRadius, double dSweep, double dChordTolerance)
{
    const double tol = std::max(dChordTolerance, dRadius * 1e-9);
    if (!(dRadius > tol) || !std::isfinite(dSweep))
        return 4;
    const double step = 2.0 * std::acos(1.0 - tol / dRadius);
    const double n = std::ceil(std::fabs(dSweep) / step);
    return (int)std::clamp(n, 4.0, (double)kMaxSegments);
}

BOOL FeatureFlattener::Flatten(const Feature2dBase* pFeature, std::vector<KcArrayOfGePnt2d>& chains,
                               double dChordTolerance)
{
    return FlattenInto(pFeature, chains, dChordTolerance, 0);
}

BOOL FeatureFlattener::FlattenInto(const Feature2dBase* pFeature, std::vector<KcArrayOfGePnt2d>& chains,
                                   double dTol, int nDepth)
{
    if (pFeature == nullptr || nDepth > kMaxDepth)
        return FALSE;
    const size_t before = chains.size();
    switch (pFeature->GetFeatureType()) {
    case FeatureTypePointMarker:
        chains.push_back(KcArrayOfGePnt2d{static_cast<const PointMarker2dFeature*>(pFeature)->GetPoint()});
        break;
    case FeatureTypeLine: {
        const auto* f = static_cast<const Line2dFeature*>(pFeature);
        chains.push_back(KcArrayOfGePnt2d{f->GetStartPoint(), f->GetEndPoint()});
        break;
    }
    case FeatureTypePolyline:
        chains.push_back(static_cast<const Polyline2dFeature*>(pFeature)->GetPointArray());
        break;
    case FeatureTypeCircle: {
        const auto* f = static_cast<const Circle2dFeature*>(pFeature);
        chains.push_back(SampleEllipse(f->GetCenterPoint(), f->GetRadius(), f->GetRadius(), 0, 0, 360, 0, dTol));
        break;
    }
    case FeatureTypeArc: {
        const auto* f = static_cast<const Arc2dFeature*>(pFeature);
        chains.push_back(SampleEllipse(f->GetCenterPoint(), f->GetRadius(), f->GetRadius(), 0, f->GetStartAngle(),
                                       f->GetSweepAngle(), f->GetDirection(), dTol));
        break;
    }
    case FeatureTypeEllipse: {
        const auto* f = static_cast<const Ellipse2dFeature*>(pFeature);
        chains.push_back(SampleEllipse(f->GetCenterPoint(), f->GetMajorRadius(), f->GetMinorRadius(), f->GetAngle(),
                                       0, 360, 0, dTol));
        break;
    }
    case FeatureTypeEllipseArc: {
        const auto* f = static_cast<const EllipseArc2dFeature*>(pFeature);
        chains.push_back(SampleEllipse(f->GetCenterPoint(), f->GetMajorRadius(), f->GetMinorRadius(), f->GetAngle(),
                                       f->GetStartAngle(), f->GetSweepAngle(), f->GetDirection(), dTol));
        break;
    }
    case FeatureTypeBSplineCurve: {
        std::unique_ptr<RuVaBSplineCurve2d> curve(ConvertFeatureToGeom2d::ConvertBSplineCurve(pFeature));
        if (!curve)
            break;
        try {
            Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(curve.get());
            if (oc.IsNull())
                break;
            const double t0 = oc->FirstParameter(), t1 = oc->LastParameter();
            const RuVaBndBox2d box = pFeature->GetBndBox();
            const int n = SegmentCount(std::max(box.Width(), box.Height()), RuVa::TwoPi * 2, dTol);
            KcArrayOfGePnt2d points;
            for (int i = 0; i <= n; ++i)
                points.Add(KcOcConv::OcToKcPnt2d(oc->Value(t0 + (t1 - t0) * i / n)));
            chains.push_back(points);
        } catch (const Standard_Failure&) {
        }
        break;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* f = static_cast<const InfiniteLine2dFeature*>(pFeature);
        const RuVaVec2d d = f->GetDirection().Vec() * kUnboundedReach;
        const RuVaPnt2d& p = f->GetPoint();
        chains.push_back(KcArrayOfGePnt2d{pFeature->GetFeatureType() == FeatureTypeInfiniteLine ? p - d : p, p + d});
        break;
    }
    case FeatureTypeLead:
        chains.push_back(static_cast<const Lead2dFeature*>(pFeature)->GetPointArray());
        break;
    case FeatureTypeBalloon: {
        const auto* f = static_cast<const Balloon2dFeature*>(pFeature);
        chains.push_back(f->GetLeadPointArray());
        const double h = 0.5 * f->GetBalloonSize();
        if (f->GetBalloonType() == 0) {
            chains.push_back(SampleEllipse(f->GetCenterPoint(), h, h, 0, 0, 360, 0, dTol));
        } else {
            KcArrayOfGePnt2d square;
            FeatureGeometry::RectangleOutline(RuVaPnt2d(f->GetCenterPoint().X() - h, f->GetCenterPoint().Y() - h),
                                              2 * h, 2 * h, 0.0, square);
            chains.push_back(square);
        }
        break;
    }
    case FeatureTypeRegion: {
        const auto* f = static_cast<const Region2dFeature*>(pFeature);
        for (int i = 0; i < f->GetFeatureCount(); ++i)
            FlattenInto(f->GetFeature(i), chains, dTol, nDepth + 1);
        break;
    }
    case FeatureTypeHatch: {
        const auto* f = static_cast<const Hatch2dFeature*>(pFeature);
        FlattenInto(&f->GetOuterRegion(), chains, dTol, nDepth + 1);
        for (int i = 0; i < f->GetInnerRegionCount(); ++i)
            FlattenInto(&f->GetInnerRegion(i), chains, dTol, nDepth + 1);
        break;
    }
    case FeatureTypeDrawGroup: {
        const auto* f = static_cast<const DrawGroup2dFeature*>(pFeature);
        for (int i = 0; i < f->GetFeatureCount(); ++i)
            FlattenInto(f->GetFeature(i), chains, dTol, nDepth + 1);
        break;
    }
    case FeatureTypeLinearDimension:
    case FeatureTypeRadiusDimension:
    case FeatureTypeDiameterDimension:
    case FeatureTypeAngularDimension:
    case FeatureTypeArcDimension:
    case FeatureTypeParallelDimension: {
        // The laid-out lines, arcs, heads and text boxes.
        const auto* f = static_cast<const Dimension2dFeatureBase*>(pFeature);
        for (const DimensionLayout::Piece& p : f->GetLayout().GetPieces())
            FlattenInto(p.feature.get(), chains, dTol, nDepth + 1);
        break;
    }
    case FeatureTypeArrow: {
        const auto* f = static_cast<const Arrow2dFeature*>(pFeature);
        std::vector<Arrow2dFeature::HeadPiece> head;
        Arrow2dFeature::GetHeadPieces(f->GetPoint(), f->GetAngle(), f->GetArrowType(), f->GetSize(), head);
        for (const Arrow2dFeature::HeadPiece& p : head) {
            if (p.nKind == Arrow2dFeature::HeadPiece::Polyline)
                chains.push_back(p.points);
            else
                chains.push_back(SampleEllipse(p.centre, p.dRadius, p.dRadius, 0.0, p.dStartDeg,
                                               p.nKind == Arrow2dFeature::HeadPiece::Circle ? 360.0 : p.dSweepDeg, 0,
                                               dTol));
        }
        if (head.empty())
            chains.push_back(KcArrayOfGePnt2d{f->GetPoint()});
        break;
    }
    default: {
        // Texts, pictures, objects, frames, arrows: their outlines; components: their placed box.
        KcArrayOfGePnt2d outline;
        if (pFeature->GetOutlinePoints(outline)) {
            chains.push_back(outline);
        } else {
            const RuVaBndBox2d box = pFeature->GetBndBox();
            if (!box.IsVoid()) {
                FeatureGeometry::RectangleOutline(box.MinPoint(), box.Width(), box.Height(), 0.0, outline);
                chains.push_back(outline);
            }
        }
        break;
    }
    }
    return chains.size() > before;
}
