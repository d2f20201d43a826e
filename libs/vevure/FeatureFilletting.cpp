#include "libs/vevure/FeatureFilletting.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/zuruda/KcFilletTool.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

// A shape seen as a line (origin, unit direction) or a circle (centre, radius).
struct Curve {
    bool straight = true;
    bool general = false;  // an ellipse, elliptic arc or B-spline: no closed-form offsets
    RuVaPnt2d origin;
    RuVaVec2d dir;
    double radius = 0.0;
    const Feature2dBase* shape = nullptr;  // the shape to trim (a line, polyline segment as a line, or an arc)
    std::unique_ptr<Feature2dBase> segment;  // the polyline segment standing in for its polyline
};

bool CurveOf(const Feature2dBase* f, const RuVaPnt2d& pick, Curve& c)
{
    if (f == nullptr || !f->IsValid())
        return false;
    c.shape = f;
    switch (f->GetFeatureType()) {
    case FeatureTypePolyline:
        c.segment.reset(FeatureCreator::CreateLineFeatureFromPolylineSegment(static_cast<const Polyline2dFeature*>(f),
                                                                             pick));
        if (!c.segment)
            return false;
        c.shape = c.segment.get();
        [[fallthrough]];
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(c.shape);
        c.origin = l->GetStartPoint();
        c.dir = (l->GetEndPoint() - l->GetStartPoint()).Normalized();
        return true;
    }
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine: {
        const auto* l = static_cast<const InfiniteLine2dFeature*>(f);
        c.origin = l->GetPoint();
        c.dir = l->GetDirection().Vec();
        return true;
    }
    case FeatureTypeCircle:
        c.straight = false;
        c.origin = static_cast<const Circle2dFeature*>(f)->GetCenterPoint();
        c.radius = static_cast<const Circle2dFeature*>(f)->GetRadius();
        return true;
    case FeatureTypeArc:
        c.straight = false;
        c.origin = static_cast<const Arc2dFeature*>(f)->GetCenterPoint();
        c.radius = static_cast<const Arc2dFeature*>(f)->GetRadius();
        return true;
    case FeatureTypeEllipse:
    case FeatureTypeEllipseArc:
    case FeatureTypeBSplineCurve:
        c.straight = false;
        c.general = true;
        return true;
    default:
        return false;
    }
}

// Points at distance d (signed: left of a line, outside a circle) from the curve, meeting the other such set.
void OffsetMeetings(const Curve& a, double da, const Curve& b, double db, std::vector<RuVaPnt2d>& out)
{
    if (a.straight && b.straight) {
        const RuVaPnt2d pa = a.origin + a.dir.Perpendicular() * da, pb = b.origin + b.dir.Perpendicular() * db;
        const double den = a.dir.Crossed(b.dir);
        if (std::fabs(den) > 1e-12)
            out.push_back(pa + a.dir * ((pb - pa).Crossed(b.dir) / den));
        return;
    }
    if (!a.straight && !b.straight) {
        const double ra = a.radius + da, rb = b.radius + db;
        if (ra < kTol || rb < kTol)
            return;
        const double d = a.origin.Distance(b.origin);
        if (d < kTol || d > ra + rb + kTol || d < std::fabs(ra - rb) - kTol)
            return;
        const double x = (d * d + ra * ra - rb * rb) / (2 * d);
        const double h = std::sqrt(std::max(0.0, ra * ra - x * x));
        const RuVaVec2d u = (b.origin - a.origin) / d;
        const RuVaPnt2d m = a.origin + u * x;
        out.push_back(m + u.Perpendicular() * h);
        if (h > kTol)
            out.push_back(m - u.Perpendicular() * h);
        return;
    }
    const Curve& line = a.straight ? a : b;
    const Curve& circle = a.straight ? b : a;
    const double dl = a.straight ? da : db, dc = a.straight ? db : da;
    const double r = circle.radius + dc;
    if (r < kTol)
        return;
    const RuVaPnt2d p = line.origin + line.dir.Perpendicular() * dl;
    const double t = (circle.origin - p).Dot(line.dir);
    const RuVaPnt2d foot = p + line.dir * t;
    const double dist = foot.Distance(circle.origin);
    if (dist > r + kTol)
        return;
    const double h = std::sqrt(std::max(0.0, r * r - dist * dist));
    out.push_back(foot + line.dir * h);
    if (h > kTol)
        out.push_back(foot - line.dir * h);
}

RuVaPnt2d Touch(const Curve& c, const RuVaPnt2d& centre)
{
    if (c.straight)
        return c.origin + c.dir * (centre - c.origin).Dot(c.dir);
    const RuVaVec2d v = centre - c.origin;
    const double len = v.Magnitude();
    return len < kTol ? c.origin : c.origin + v * (c.radius / len);
}

// The shape cut back (or carried on) to the touching point, keeping the part on the pick's side. Between
// two lines the side is told from their crossing (pCrossing), so a pick between the crossing and a touching
// point beyond the line's far end is a radius too large (the shape would go), not a turned-round line.
std::unique_ptr<Feature2dBase> TrimTo(const Curve& c, const RuVaPnt2d& touch, const RuVaPnt2d& pick, bool& remove,
                                      const RuVaPnt2d* pCrossing = nullptr)
{
    remove = false;
    const Feature2dBase* f = c.shape;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(f);
        const RuVaPnt2d from = pCrossing != nullptr && pick.Distance(*pCrossing) >= kTol ? *pCrossing : touch;
        const RuVaVec2d toPick = pick - from;
        const RuVaPnt2d keep = (l->GetStartPoint() - from).Dot(toPick) >= (l->GetEndPoint() - from).Dot(toPick)
                                   ? l->GetStartPoint()
                                   : l->GetEndPoint();
        if (keep.Distance(touch) < kTol || (keep - touch).Dot(toPick) <= 0.0) {
            remove = true;
            return nullptr;
        }
        std::unique_ptr<Feature2dBase> out(f->CopyObject());
        auto* line = static_cast<Line2dFeature*>(out.get());
        // Keep the line's own running direction.
        const bool keepIsStart = keep == l->GetStartPoint();
        if (!(keepIsStart ? line->SetPoint(keep, touch) : line->SetPoint(touch, keep)))
            return nullptr;
        return out;
    }
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(f);
        std::unique_ptr<Feature2dBase> out(f->CopyObject());
        auto* arc = static_cast<Arc2dFeature*>(out.get());
        const double angle = std::atan2(touch.Y() - a->GetCenterPoint().Y(), touch.X() - a->GetCenterPoint().X()) *
                             RuVa::RadToDeg;
        // Keep the end nearer the pick; the touching point becomes the other end.
        if (pick.Distance(a->GetStartPoint()) <= pick.Distance(a->GetEndPoint()))
            arc->SetEndAngle(angle);
        else
            arc->SetStartAngle(angle);
        if (arc->GetStartPoint().Distance(arc->GetEndPoint()) < kTol) {
            remove = true;
            return nullptr;
        }
        return out;
    }
    case FeatureTypeEllipseArc: {
        const auto* e = static_cast<const EllipseArc2dFeature*>(f);
        std::unique_ptr<Feature2dBase> out(f->CopyObject());
        auto* arc = static_cast<EllipseArc2dFeature*>(out.get());
        // The touching point's angle on the ellipse, as its points are made.
        const double turn = e->GetAngle() * RuVa::DegToRad;
        const RuVaVec2d d = touch - e->GetCenterPoint();
        const double x = d.X() * std::cos(turn) + d.Y() * std::sin(turn);
        const double y = -d.X() * std::sin(turn) + d.Y() * std::cos(turn);
        const double angle =
            RuVa::CorrectAngle(std::atan2(y / e->GetMinorRadius(), x / e->GetMajorRadius()) * RuVa::RadToDeg);
        if (pick.Distance(e->GetStartPoint()) <= pick.Distance(e->GetEndPoint()))
            arc->SetEndAngle(angle);
        else
            arc->SetStartAngle(angle);
        if (arc->GetStartPoint().Distance(arc->GetEndPoint()) < kTol) {
            remove = true;
            return nullptr;
        }
        return out;
    }
    case FeatureTypeBSplineCurve: {
        // The part from the touching point towards the pick; a spline is not carried on past its ends.
        std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(f));
        const auto* curve = dynamic_cast<const RuVaCurveEnt2d*>(entity.get());
        double atTouch = 0.0;
        double atPick = 0.0;
        if (curve == nullptr || !KcGeometryTool::GetCurveProjectionParameter(curve, touch, atTouch) ||
            !KcGeometryTool::GetCurveProjectionParameter(curve, pick, atPick))
            return nullptr;
        const double from = atPick < atTouch ? curve->FirstParameter() : atTouch;
        const double to = atPick < atTouch ? atTouch : curve->LastParameter();
        if (to - from < 1e-12) {
            remove = true;
            return nullptr;
        }
        std::unique_ptr<RuVaEntity2d> piece(KcGeometryTool::TrimCurve(curve, from, to, (from + to) / 2.0));
        std::unique_ptr<Feature2dBase> out(piece ? ConvertGeom2dToFeature::Convert(piece.get()) : nullptr);
        if (!out)
            return nullptr;
        out->CopyBase(f);
        return out;
    }
    default:
        return nullptr;  // circles, ellipses and unbounded lines stay as they are
    }
}

// Centres at the radius from two curves of which one at least has no closed-form offset.
void CurveMeetings(const Curve& a, const Curve& b, double radius, std::vector<RuVaPnt2d>& centres,
                   std::vector<std::pair<RuVaPnt2d, RuVaPnt2d>>& touches)
{
    std::unique_ptr<RuVaEntity2d> ea(ConvertFeatureToGeom2d::Convert(a.shape));
    std::unique_ptr<RuVaEntity2d> eb(ConvertFeatureToGeom2d::Convert(b.shape));
    if (!ea || !eb)
        return;
    std::vector<RuVaPnt2d> found;
    KcFilletTool::GetFilletCentres(ea.get(), eb.get(), radius, found);
    for (const RuVaPnt2d& centre : found) {
        RuVaPnt2d t1, t2;
        if (KcFilletTool::GetFoot(ea.get(), centre, t1) && KcFilletTool::GetFoot(eb.get(), centre, t2)) {
            centres.push_back(centre);
            touches.emplace_back(t1, t2);
        }
    }
}

}  // namespace

FeatureFilletting::FeatureFilletting() = default;

FeatureFilletting::~FeatureFilletting() = default;

void FeatureFilletting::Clear()
{
    m_pFillet.reset();
    m_pTrimmed1.reset();
    m_pTrimmed2.reset();
    m_bRemoveFeature1 = m_bRemoveFeature2 = FALSE;
}

BOOL FeatureFilletting::FilletFeature(const Feature2dBase* pFirst, const RuVaPnt2d& pick1,
                                      const Feature2dBase* pSecond, const RuVaPnt2d& pick2, double dRadius,
                                      int nTrimMode)
{
    Clear();
    Curve a, b;
    if (!std::isfinite(dRadius) || dRadius < 0.0 || !CurveOf(pFirst, pick1, a) || !CurveOf(pSecond, pick2, b))
        return FALSE;
    // Every centre at the radius from both curves, on either side of each.
    std::vector<RuVaPnt2d> centres;
    std::vector<std::pair<RuVaPnt2d, RuVaPnt2d>> touches;
    if (a.general || b.general) {
        // Ellipses and splines have no corner of radius 0 to meet at.
        if (dRadius < kTol)
            return FALSE;
        CurveMeetings(a, b, dRadius, centres, touches);
    } else {
        for (double sa : {1.0, -1.0})
            for (double sb : {1.0, -1.0})
                OffsetMeetings(a, sa * dRadius, b, sb * dRadius, centres);
        for (const RuVaPnt2d& c : centres)
            touches.emplace_back(Touch(a, c), Touch(b, c));
    }
    if (centres.empty())
        return FALSE;
    size_t best = 0;
    double bestScore = 0.0;
    for (size_t i = 0; i < centres.size(); ++i) {
        const double score = touches[i].first.Distance(pick1) + touches[i].second.Distance(pick2);
        if (i == 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    const RuVaPnt2d centre = centres[best];
    const RuVaPnt2d t1 = touches[best].first, t2 = touches[best].second;
    if (dRadius >= kTol) {
        if (t1.Distance(t2) < kTol)
            return FALSE;  // the curves touch there already
        // The short way round from one touching point to the other.
        double s = std::atan2(t1.Y() - centre.Y(), t1.X() - centre.X()) * RuVa::RadToDeg;
        double e = std::atan2(t2.Y() - centre.Y(), t2.X() - centre.X()) * RuVa::RadToDeg;
        if (RuVa::CorrectAngle(e - s) > 180.0)
            std::swap(s, e);
        m_pFillet = std::make_unique<Arc2dFeature>(centre, dRadius, s, e, 0);
        if (!m_pFillet->IsValid()) {
            Clear();
            return FALSE;
        }
    }
    if (nTrimMode == TrimBoth) {
        bool remove1 = false, remove2 = false;
        RuVaPnt2d crossing;
        const RuVaPnt2d* pCrossing = nullptr;
        if (a.straight && b.straight && std::fabs(a.dir.Crossed(b.dir)) > 1e-12) {
            crossing = a.origin + a.dir * ((b.origin - a.origin).Crossed(b.dir) / a.dir.Crossed(b.dir));
            pCrossing = &crossing;
        }
        m_pTrimmed1 = TrimTo(a, t1, pick1, remove1, pCrossing);
        m_pTrimmed2 = TrimTo(b, t2, pick2, remove2, pCrossing);
        m_bRemoveFeature1 = remove1 ? TRUE : FALSE;
        m_bRemoveFeature2 = remove2 ? TRUE : FALSE;
    }
    return TRUE;
}
