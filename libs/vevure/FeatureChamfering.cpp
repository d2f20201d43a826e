#include "libs/vevure/FeatureChamfering.h"

#include <cmath>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace {

constexpr double kTol = FeatureGeometry::kPointTolerance;

// The line a straight shape stands for at the pick; a segment of a polyline becomes a line of its own.
bool StraightAt(const Feature2dBase* f, const RuVaPnt2d& pick, RuVaPnt2d& origin, RuVaVec2d& dir,
                std::unique_ptr<Feature2dBase>& segment)
{
    if (f == nullptr || !f->IsValid())
        return false;
    const Feature2dBase* shape = f;
    if (f->GetFeatureType() == FeatureTypePolyline) {
        segment.reset(
            FeatureCreator::CreateLineFeatureFromPolylineSegment(static_cast<const Polyline2dFeature*>(f), pick));
        if (!segment)
            return false;
        shape = segment.get();
    }
    if (shape->GetFeatureType() == FeatureTypeLine) {
        const auto* l = static_cast<const Line2dFeature*>(shape);
        origin = l->GetStartPoint();
        dir = (l->GetEndPoint() - l->GetStartPoint()).Normalized();
        return true;
    }
    if (shape->GetFeatureType() == FeatureTypeInfiniteLine || shape->GetFeatureType() == FeatureTypeSemiInfiniteLine) {
        const auto* l = static_cast<const InfiniteLine2dFeature*>(shape);
        origin = l->GetPoint();
        dir = l->GetDirection().Vec();
        return true;
    }
    return false;
}

// A line cut back (or carried on) to the new end, keeping the part that runs on from it away from the corner.
std::unique_ptr<Feature2dBase> TrimLine(const Feature2dBase* f, const RuVaPnt2d& pick, const RuVaPnt2d& to,
                                        const RuVaVec2d& away, bool& remove)
{
    remove = false;
    std::unique_ptr<Feature2dBase> segment;
    const Feature2dBase* shape = f;
    if (f->GetFeatureType() == FeatureTypePolyline) {
        segment.reset(
            FeatureCreator::CreateLineFeatureFromPolylineSegment(static_cast<const Polyline2dFeature*>(f), pick));
        shape = segment.get();
    }
    if (shape == nullptr || shape->GetFeatureType() != FeatureTypeLine)
        return nullptr;  // unbounded lines stay
    const auto* l = static_cast<const Line2dFeature*>(shape);
    const bool keepStart = (l->GetStartPoint() - to).Dot(away) >= (l->GetEndPoint() - to).Dot(away);
    const RuVaPnt2d keep = keepStart ? l->GetStartPoint() : l->GetEndPoint();
    if (keep.Distance(to) < kTol || (keep - to).Dot(away) <= 0.0) {
        remove = true;
        return nullptr;
    }
    std::unique_ptr<Feature2dBase> out(shape->CopyObject());
    auto* line = static_cast<Line2dFeature*>(out.get());
    if (!(keepStart ? line->SetPoint(keep, to) : line->SetPoint(to, keep)))
        return nullptr;
    return out;
}

}  // namespace

FeatureChamfering::FeatureChamfering() = default;

FeatureChamfering::~FeatureChamfering() = default;

void FeatureChamfering::Clear()
{
    m_pChamfer.reset();
    m_pTrimmed1.reset();
    m_pTrimmed2.reset();
    m_bRemoveFeature1 = m_bRemoveFeature2 = FALSE;
}

BOOL FeatureChamfering::Corner(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                               const RuVaPnt2d& pick2, RuVaPnt2d& corner, double& ux1, double& uy1, double& ux2,
                               double& uy2)
{
    RuVaPnt2d o1, o2;
    RuVaVec2d d1, d2;
    std::unique_ptr<Feature2dBase> s1, s2;
    if (!StraightAt(pFirst, pick1, o1, d1, s1) || !StraightAt(pSecond, pick2, o2, d2, s2))
        return FALSE;
    const double den = d1.Crossed(d2);
    if (std::fabs(den) <= 1e-12)
        return FALSE;
    corner = o1 + d1 * ((o2 - o1).Crossed(d2) / den);
    m_cornerX = corner.X();
    m_cornerY = corner.Y();
    if (!FeatureGeometry::IsFinitePoint(corner))
        return FALSE;
    // Each direction points from the corner towards its pick.
    if ((pick1 - corner).Dot(d1) < 0.0)
        d1 = -d1;
    if ((pick2 - corner).Dot(d2) < 0.0)
        d2 = -d2;
    ux1 = d1.X();
    uy1 = d1.Y();
    ux2 = d2.X();
    uy2 = d2.Y();
    return TRUE;
}

BOOL FeatureChamfering::Make(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                             const RuVaPnt2d& pick2, const RuVaPnt2d& end1, const RuVaPnt2d& end2, int nTrimMode)
{
    const RuVaPnt2d corner(m_cornerX, m_cornerY);
    const RuVaVec2d away1 = (end1 - corner).Normalized(), away2 = (end2 - corner).Normalized();
    m_pChamfer.reset(FeatureCreator::CreateLineFeature(end1, end2));
    if (!m_pChamfer)
        return FALSE;
    if (nTrimMode == TrimBoth) {
        bool remove1 = false, remove2 = false;
        m_pTrimmed1 = TrimLine(pFirst, pick1, end1, away1, remove1);
        m_pTrimmed2 = TrimLine(pSecond, pick2, end2, away2, remove2);
        m_bRemoveFeature1 = remove1 ? TRUE : FALSE;
        m_bRemoveFeature2 = remove2 ? TRUE : FALSE;
    }
    return TRUE;
}

BOOL FeatureChamfering::ChamferFeatureBy2Edge(const Feature2dBase* pFirst, const RuVaPnt2d& pick1,
                                              const Feature2dBase* pSecond, const RuVaPnt2d& pick2, double dDistance1,
                                              double dDistance2, int nTrimMode)
{
    Clear();
    RuVaPnt2d corner;
    double ux1, uy1, ux2, uy2;
    if (!(dDistance1 >= kTol && dDistance2 >= kTol && std::isfinite(dDistance1) && std::isfinite(dDistance2)) ||
        !Corner(pFirst, pick1, pSecond, pick2, corner, ux1, uy1, ux2, uy2))
        return FALSE;
    return Make(pFirst, pick1, pSecond, pick2, corner + RuVaVec2d(ux1, uy1) * dDistance1,
                corner + RuVaVec2d(ux2, uy2) * dDistance2, nTrimMode);
}

BOOL FeatureChamfering::ChamferFeatureByFace(const Feature2dBase* pFirst, const RuVaPnt2d& pick1,
                                             const Feature2dBase* pSecond, const RuVaPnt2d& pick2, double dFace,
                                             int nTrimMode)
{
    Clear();
    RuVaPnt2d corner;
    double ux1, uy1, ux2, uy2;
    if (!(dFace >= kTol && std::isfinite(dFace)) || !Corner(pFirst, pick1, pSecond, pick2, corner, ux1, uy1, ux2, uy2))
        return FALSE;
    // Equal distances d along both sides give a face of 2 d sin(theta / 2).
    const RuVaVec2d u1(ux1, uy1), u2(ux2, uy2);
    const double half = 0.5 * std::fabs(std::atan2(u1.Crossed(u2), u1.Dot(u2)));
    if (std::sin(half) < 1e-12)
        return FALSE;
    const double d = dFace / (2.0 * std::sin(half));
    return Make(pFirst, pick1, pSecond, pick2, corner + u1 * d, corner + u2 * d, nTrimMode);
}
