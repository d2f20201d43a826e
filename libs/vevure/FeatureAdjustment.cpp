#include "libs/vevure/FeatureAdjustment.h"

#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

// Which end the pick chooses: true for the start.
bool PicksStart(const Feature2dBase* f, const RuVaPnt2d& pick)
{
    RuVaPnt2d s, e;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine:
        s = static_cast<const Line2dFeature*>(f)->GetStartPoint();
        e = static_cast<const Line2dFeature*>(f)->GetEndPoint();
        break;
    case FeatureTypePolyline: {
        const auto* p = static_cast<const Polyline2dFeature*>(f);
        s = p->GetPoint(0);
        e = p->GetPoint(p->GetPointSize() - 1);
        break;
    }
    case FeatureTypeArc:
        s = static_cast<const Arc2dFeature*>(f)->GetStartPoint();
        e = static_cast<const Arc2dFeature*>(f)->GetEndPoint();
        break;
    case FeatureTypeEllipseArc:
        s = static_cast<const EllipseArc2dFeature*>(f)->GetStartPoint();
        e = static_cast<const EllipseArc2dFeature*>(f)->GetEndPoint();
        break;
    default:
        return true;
    }
    return pick.Distance(s) <= pick.Distance(e);
}

bool IsAdjustable(const Feature2dBase* f)
{
    if (f == nullptr || !f->IsValid())
        return false;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine:
    case FeatureTypeArc:
    case FeatureTypeEllipseArc:
        return true;
    case FeatureTypePolyline:
        return !static_cast<const Polyline2dFeature*>(f)->IsClosed();
    default:
        return false;
    }
}

// The straight end segment (from the fixed side towards the moving end) of a line or polyline.
void EndSegment(const Feature2dBase* f, bool start, RuVaPnt2d& inner, RuVaPnt2d& end)
{
    if (f->GetFeatureType() == FeatureTypeLine) {
        const auto* l = static_cast<const Line2dFeature*>(f);
        inner = start ? l->GetEndPoint() : l->GetStartPoint();
        end = start ? l->GetStartPoint() : l->GetEndPoint();
        return;
    }
    const auto* p = static_cast<const Polyline2dFeature*>(f);
    const int n = p->GetPointSize();
    inner = start ? p->GetPoint(1) : p->GetPoint(n - 2);
    end = start ? p->GetPoint(0) : p->GetPoint(n - 1);
}

// The shape's curve carried on past its ends: the line of the end segment, the whole circle or ellipse.
std::unique_ptr<Feature2dBase> Extension(const Feature2dBase* f, bool start)
{
    switch (f->GetFeatureType()) {
    case FeatureTypeLine:
    case FeatureTypePolyline: {
        RuVaPnt2d inner, end;
        EndSegment(f, start, inner, end);
        return std::make_unique<InfiniteLine2dFeature>(end, RuVaDir2d(inner, end));
    }
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(f);
        return std::make_unique<Circle2dFeature>(a->GetCenterPoint(), a->GetRadius());
    }
    case FeatureTypeEllipseArc: {
        const auto* e = static_cast<const EllipseArc2dFeature*>(f);
        return std::make_unique<Ellipse2dFeature>(e->GetCenterPoint(), e->GetMajorRadius(), e->GetMinorRadius(),
                                                  e->GetAngle());
    }
    default:
        return nullptr;
    }
}

// The copy with the chosen end moved to a point of its extension.
Feature2dBase* MoveEnd(const Feature2dBase* f, bool start, const RuVaPnt2d& to)
{
    std::unique_ptr<Feature2dBase> copy(f->CopyObject(Feature2dBase::copyAll));
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        auto* l = static_cast<Line2dFeature*>(copy.get());
        if (!(start ? l->SetStartPoint(to) : l->SetEndPoint(to)))
            return nullptr;
        break;
    }
    case FeatureTypePolyline: {
        auto* p = static_cast<Polyline2dFeature*>(copy.get());
        RuVaPnt2d inner, end;
        EndSegment(f, start, inner, end);
        // The end may not pass back over the segment's other point.
        if ((to - inner).Dot(end - inner) <= kTol * inner.Distance(end))
            return nullptr;
        if (!p->SetPoint(start ? 0 : p->GetPointSize() - 1, to))
            return nullptr;
        break;
    }
    case FeatureTypeArc: {
        auto* a = static_cast<Arc2dFeature*>(copy.get());
        const double angle = std::atan2(to.Y() - a->GetCenterPoint().Y(), to.X() - a->GetCenterPoint().X()) *
                             RuVa::RadToDeg;
        if (!(start ? a->SetStartAngle(angle) : a->SetEndAngle(angle)))
            return nullptr;
        break;
    }
    case FeatureTypeEllipseArc: {
        auto* e = static_cast<EllipseArc2dFeature*>(copy.get());
        const RuVaVec2d fromCentre = to - e->GetCenterPoint();
        const double phi = std::atan2(fromCentre.Y(), fromCentre.X()) - e->GetAngle() * RuVa::DegToRad;
        const double t =
            std::atan2(e->GetMajorRadius() * std::sin(phi), e->GetMinorRadius() * std::cos(phi)) * RuVa::RadToDeg;
        if (!(start ? e->SetStartAngle(t) : e->SetEndAngle(t)))
            return nullptr;
        break;
    }
    default:
        return nullptr;
    }
    // Ends that meet make no arc; an end on the other one makes no line.
    if (copy->GetFeatureType() == FeatureTypeArc) {
        const auto* a = static_cast<const Arc2dFeature*>(copy.get());
        if (a->GetStartPoint().Distance(a->GetEndPoint()) < kTol)
            return nullptr;
    } else if (copy->GetFeatureType() == FeatureTypeEllipseArc) {
        const auto* e = static_cast<const EllipseArc2dFeature*>(copy.get());
        if (e->GetStartPoint().Distance(e->GetEndPoint()) < kTol)
            return nullptr;
    }
    return copy->IsValid() ? copy.release() : nullptr;
}

}  // namespace

Feature2dBase* FeatureAdjustment::AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick,
                                                const Feature2dBase* pBoundary, const RuVaPnt2d& boundaryPick)
{
    if (!IsAdjustable(pFeature) || pBoundary == nullptr)
        return nullptr;
    const bool start = PicksStart(pFeature, pick);
    const std::unique_ptr<Feature2dBase> extension = Extension(pFeature, start);
    std::unique_ptr<RuVaEntity2d> a(ConvertFeatureToGeom2d::Convert(extension.get()));
    std::unique_ptr<RuVaEntity2d> b(ConvertFeatureToGeom2d::Convert(pBoundary));
    if (!a || !b)
        return nullptr;
    KcInterCurveCurve2d inter(a.get(), b.get());
    if (!inter.IsDone() || inter.NbPoints() == 0)
        return nullptr;
    int best = 0;
    for (int i = 1; i < inter.NbPoints(); ++i)
        if (inter.GetPoint(i).Distance(boundaryPick) < inter.GetPoint(best).Distance(boundaryPick))
            best = i;
    return MoveEnd(pFeature, start, inter.GetPoint(best));
}

Feature2dBase* FeatureAdjustment::AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick,
                                                const RuVaPnt2d& point)
{
    if (!IsAdjustable(pFeature) || !FeatureGeometry::IsFinitePoint(point))
        return nullptr;
    const bool start = PicksStart(pFeature, pick);
    if (pFeature->GetFeatureType() == FeatureTypeLine || pFeature->GetFeatureType() == FeatureTypePolyline) {
        RuVaPnt2d inner, end;
        EndSegment(pFeature, start, inner, end);
        const RuVaVec2d u = (end - inner).Normalized();
        return MoveEnd(pFeature, start, inner + u * (point - inner).Dot(u));
    }
    // Arcs take the point's direction from the centre.
    return MoveEnd(pFeature, start, point);
}

Feature2dBase* FeatureAdjustment::AdjustFeature(const Feature2dBase* pFeature, const RuVaPnt2d& pick, double dLength,
                                                int nVariant)
{
    if (!IsAdjustable(pFeature) || !std::isfinite(dLength))
        return nullptr;
    const bool start = PicksStart(pFeature, pick);
    const double total = MeasureTool::GetFeatureLength(pFeature);
    const double change = nVariant == 1 ? dLength : dLength - total;
    if (std::fabs(change) < kTol)
        return pFeature->CopyObject(Feature2dBase::copyAll);
    if (total + change < kTol)
        return nullptr;
    switch (pFeature->GetFeatureType()) {
    case FeatureTypeLine:
    case FeatureTypePolyline: {
        RuVaPnt2d inner, end;
        EndSegment(pFeature, start, inner, end);
        const RuVaVec2d u = (end - inner).Normalized();
        return MoveEnd(pFeature, start, end + u * change);
    }
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(pFeature);
        const double sweep = a->GetSweepAngle() + change / a->GetRadius() * RuVa::RadToDeg;
        if (!(sweep > 0.0 && sweep < 360.0))
            return nullptr;
        // The moving end turns away from the fixed one, in the arc's own sense.
        const double sense = a->GetDirection() == 1 ? -1.0 : 1.0;
        const double delta = change / a->GetRadius() * RuVa::RadToDeg * sense;
        const double angle = start ? a->GetStartAngle() - delta : a->GetEndAngle() + delta;
        const RuVaPnt2d to(a->GetCenterPoint().X() + std::cos(angle * RuVa::DegToRad),
                           a->GetCenterPoint().Y() + std::sin(angle * RuVa::DegToRad));
        return MoveEnd(pFeature, start, to);
    }
    case FeatureTypeEllipseArc: {
        // Search the end parameter whose arc has the wanted length.
        const auto* e = static_cast<const EllipseArc2dFeature*>(pFeature);
        const double wanted = total + change;
        const double sense = e->GetDirection() == 1 ? -1.0 : 1.0;
        double lo = 1e-9, hi = 360.0 - 1e-9;  // the sweep
        EllipseArc2dFeature trial(*e);
        for (int i = 0; i < 60; ++i) {
            const double sweep = 0.5 * (lo + hi);
            if (start)
                trial.SetStartAngle(e->GetEndAngle() - sense * sweep);
            else
                trial.SetEndAngle(e->GetStartAngle() + sense * sweep);
            (MeasureTool::GetFeatureLength(&trial) < wanted ? lo : hi) = sweep;
        }
        if (MeasureTool::GetFeatureLength(&trial) < wanted - 1e-6 * wanted)
            return nullptr;  // longer than the whole ellipse
        return MoveEnd(pFeature, start, start ? trial.GetStartPoint() : trial.GetEndPoint());
    }
    default:
        return nullptr;
    }
}
