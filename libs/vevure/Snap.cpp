#include "libs/vevure/Snap.h"

#include <algorithm>
#include <cmath>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr int kMaxIntersectionShapes = 64;

// Among point kinds at the same place, the one that says most about it wins: an intersection that is also
// a division point is shown as the intersection.
int Precedence(DWORD kind)
{
    switch (kind) {
    case Snap::kEnd: return 9;
    case Snap::kIntersection: return 8;
    case Snap::kMiddle: return 7;
    case Snap::kCentre: return 6;
    case Snap::kQuadrant: return 5;
    case Snap::kPoint: return 4;
    case Snap::kPerpendicular: return 3;
    case Snap::kTangent: return 2;
    default: return 1;
    }
}

int Rank(DWORD kind)
{
    if (kind == Snap::kNearest)
        return 1;
    if (kind & (Snap::kHorzVert | Snap::kExtension | Snap::kPerpendicularTrack))
        return 2;
    return 3;
}

RuVaPnt2d Foot(const RuVaPnt2d& p, const RuVaPnt2d& a, const RuVaPnt2d& b, double& t)
{
    const double dx = b.X() - a.X(), dy = b.Y() - a.Y();
    const double len2 = dx * dx + dy * dy;
    t = len2 > 0.0 ? ((p.X() - a.X()) * dx + (p.Y() - a.Y()) * dy) / len2 : 0.0;
    return RuVaPnt2d(a.X() + t * dx, a.Y() + t * dy);
}

// Key points of a recently used entity: the ends and middle of a bounded curve, the centre of a circle.
void KeyPoints(const RuVaEntity2d* e, std::vector<RuVaPnt2d>& out)
{
    out.clear();
    if (e == nullptr)
        return;
    if (const auto* c = dynamic_cast<const RuVaCircle2d*>(e))
        out.push_back(c->GetCenterPoint());
    if (dynamic_cast<const RuVaArc2d*>(e) == nullptr && dynamic_cast<const RuVaCircle2d*>(e) != nullptr)
        return;
    if (const auto* c = dynamic_cast<const RuVaCurveEnt2d*>(e)) {
        const double f = c->FirstParameter(), l = c->LastParameter();
        if (std::fabs(f) < 1e100 && std::fabs(l) < 1e100) {
            RuVaPnt2d p;
            if (c->D0(f, p))
                out.push_back(p);
            if (c->D0(l, p))
                out.push_back(p);
            if (c->D0((f + l) / 2, p))
                out.push_back(p);
        }
    }
}

}  // namespace

Snap::Snap() = default;

Snap::~Snap()
{
    m_usedHorzVert.DeleteAll();
    m_usedExtended.DeleteAll();
    m_usedPerpendicular.DeleteAll();
    m_virtual.DeleteAll();
}

void Snap::AddFeature(const Feature2dBase* pWorldFeature)
{
    if (pWorldFeature != nullptr)
        m_features.emplace_back(pWorldFeature->CopyObject(Feature2dBase::copyAll));
}

int Snap::AddFeaturesNear(const Draw2dView* pView, const RuVaPnt2d& cursor, double dAperture, int nDisplayStateMode,
                          KeepGoingProc pfnKeepGoing)
{
    const Draw2dDocument* doc = pView != nullptr ? pView->GetDocument() : nullptr;
    if (doc == nullptr)
        return 0;
    FeaturePicker::Options o;
    o.nDisplayStateMode = nDisplayStateMode;
    o.pfnKeepGoing = pfnKeepGoing;
    CArray<FeatureLayout> found;
    const int n = FeaturePicker::PickByPoint(pView, cursor, dAperture, o, found);
    if (n < 0)
        return -1;
    RuVaBndBox2d probe;
    probe.Set(cursor);
    probe.Enlarge(dAperture);
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        const long id = found[i].GetRecordID();
        const PartDrawingLayout* layout = found[i].GetLayoutID() != -1 ? pView->GetPartLayoutByID(found[i].GetLayoutID()) : nullptr;
        const Feature2dBase* f = doc->GetFeature(id);
        if (f == nullptr)
            continue;
        const int type = f->GetFeatureType();
        auto addWorld = [&](const Feature2dBase* part) {
            std::unique_ptr<Feature2dBase> w(pView->ConvertFeatureLocalToWorld(nullptr, layout, part, 1));
            if (w)
                m_features.push_back(std::move(w));
        };
        if (type == FeatureTypeDrawGroup || type == FeatureTypeDrawComponent) {
            std::vector<RuVaBndBox2d> boxes;
            const ResolvedFeature2dList* list = doc->GetResolveData(id, &boxes, nullptr);
            if (list == nullptr)
                continue;
            std::vector<std::unique_ptr<Feature2dBase>> parts;
            for (int k = 0; k < list->GetFeatureSize(); ++k) {
                RuVaBndBox2d world;
                if (k < (int)boxes.size())
                    Draw2dView::ConvertBoxLocalToWorld(layout, boxes[(size_t)k], world);
                if (k < (int)boxes.size() && world.IsOut(probe))
                    continue;
                if (const Feature2dBase* part = list->GetFeature(k))
                    parts.emplace_back(part->CopyObject(Feature2dBase::copyAll));
            }
            for (const auto& part : parts)
                addWorld(part.get());
        } else if (type == FeatureTypeText || type == FeatureTypeImage) {
            KcArrayOfGePnt2d pts;
            if (f->GetOutlinePoints(pts)) {
                if (layout != nullptr)
                    pts.Transform(layout->GetLocalToWorld());
                AddTextFeature(pts);
            }
        } else if (type != FeatureTypeHatch) {
            addWorld(f);
        }
    }
    return (int)found.GetSize();
}

void Snap::AddTextFeature(const KcArrayOfGePnt2d& outline)
{
    if (outline.GetSize() >= 2)
        m_outlines.push_back({outline});
}

void Snap::AddImageFeature(const KcArrayOfGePnt2d& outline)
{
    AddTextFeature(outline);
}

void Snap::AddPoint(const RuVaPnt2d& point, int)
{
    if (point.IsFinite())
        m_points.push_back(point);
}

void Snap::SetAngularSnap(double dAngleDeg, int nMode)
{
    if (!std::isfinite(dAngleDeg) || dAngleDeg <= 1e-6 || dAngleDeg > 360.0)
        nMode = 0;
    m_dAngularStep = nMode != 0 ? dAngleDeg : 0.0;
    m_nAngularMode = nMode;
}

void Snap::SetSnapOrigin(const RuVaPnt2d& origin, double dBaseAngleDeg)
{
    m_bOrigin = origin.IsFinite();
    m_origin = origin;
    m_dBaseAngle = std::isfinite(dBaseAngleDeg) ? dBaseAngleDeg : 0.0;
}

void Snap::ClearResult()
{
    m_dwKind = 0;
    m_nAngular = 0;
    m_dAngle = 0.0;
    m_point = m_cursor;
    m_usedHorzVert.DeleteAll();
    m_usedExtended.DeleteAll();
    m_usedPerpendicular.DeleteAll();
    m_virtual.DeleteAll();
    m_nBestRank = 0;
    m_dBest = 0.0;
    m_nBestSource = -1;
}

void Snap::Consider(DWORD dwKind, const RuVaPnt2d& p, int nSource, double dAperture)
{
    if ((m_dwMask & dwKind) == 0 || !p.IsFinite())
        return;
    const double d = p.Distance(m_cursor);
    if (!(d <= dAperture))
        return;
    const int rank = Rank(dwKind);
    if (rank < m_nBestRank)
        return;
    if (rank == m_nBestRank) {
        // Equal within rounding: the kind of higher precedence wins, else the first found stays.
        const double tie = 1e-9 * std::max(1.0, dAperture);
        if (d > m_dBest + tie)
            return;
        if (d >= m_dBest - tie && Precedence(dwKind) <= Precedence(m_dwKind))
            return;
    }
    m_nBestRank = rank;
    m_dBest = d;
    m_dwKind = dwKind;
    m_point = p;
    m_nBestSource = nSource;
    m_virtual.DeleteAll();
}

BOOL Snap::UpdateSnapPoint(const RuVaPnt2d& cursor, double dAperture, KeepGoingProc pfnKeepGoing)
{
    m_cursor = cursor;
    ClearResult();
    if (!cursor.IsFinite() || !std::isfinite(dAperture) || dAperture < 0.0)
        return FALSE;
    const double ap = dAperture;
    int polled = 0;
    auto keepGoing = [&]() { return pfnKeepGoing == nullptr || (polled++ % 10) != 0 || pfnKeepGoing(); };

    for (const RuVaPnt2d& p : m_points)
        Consider(kPoint, p, -1, ap);
    for (const Outline& o : m_outlines) {
        const INT_PTR n = o.points.GetSize();
        for (INT_PTR i = 0; i < n; ++i) {
            Consider(kEnd, o.points[i], -1, ap);
            if (i + 1 < n)
                Consider(kMiddle, o.points[i].CenterPoint(o.points[i + 1]), -1, ap);
        }
    }

    std::vector<KcArrayOfGePnt2d> chains;
    for (int s = 0; s < (int)m_features.size(); ++s) {
        if (!keepGoing())
            return FALSE;
        const Feature2dBase* f = m_features[(size_t)s].get();
        const int type = f->GetFeatureType();
        auto segment = [&](const RuVaPnt2d& a, const RuVaPnt2d& b, bool ends) {
            if (ends) {
                Consider(kEnd, a, s, ap);
                Consider(kEnd, b, s, ap);
            }
            Consider(kMiddle, a.CenterPoint(b), s, ap);
            double t = 0;
            const RuVaPnt2d foot = Foot(cursor, a, b, t);
            if (t >= 0.0 && t <= 1.0)
                Consider(kNearest, foot, s, ap);
            if (m_bOrigin) {
                const RuVaPnt2d perp = Foot(m_origin, a, b, t);
                if (t >= 0.0 && t <= 1.0)
                    Consider(kPerpendicular, perp, s, ap);
            }
        };
        if (type == FeatureTypeLine) {
            const auto* l = static_cast<const Line2dFeature*>(f);
            segment(l->GetStartPoint(), l->GetEndPoint(), true);
            for (int k = 1; k < m_nDivision; ++k) {
                const double t = double(k) / m_nDivision;
                const RuVaPnt2d &a = l->GetStartPoint(), &b = l->GetEndPoint();
                Consider(kDivision, RuVaPnt2d(a.X() + t * (b.X() - a.X()), a.Y() + t * (b.Y() - a.Y())), s, ap);
            }
        } else if (type == FeatureTypePolyline) {
            const KcArrayOfGePnt2d& pts = static_cast<const Polyline2dFeature*>(f)->GetPointArray();
            for (INT_PTR i = 1; i < pts.GetSize(); ++i)
                segment(pts[i - 1], pts[i], true);
        } else if (type == FeatureTypeCircle || type == FeatureTypeArc) {
            RuVaPnt2d c;
            double r = 0, a0 = 0, a1 = 0;
            int dir = 0;
            const bool arc = type == FeatureTypeArc;
            if (arc) {
                const auto* a = static_cast<const Arc2dFeature*>(f);
                c = a->GetCenterPoint(), r = a->GetRadius(), a0 = a->GetStartAngle(), a1 = a->GetEndAngle();
                dir = a->GetDirection();
                Consider(kEnd, a->GetStartPoint(), s, ap);
                Consider(kEnd, a->GetEndPoint(), s, ap);
                const double sweep = FeatureGeometry::ArcSweep(a0, a1, dir);
                const double sign = dir == 0 ? 1.0 : -1.0;
                const double mid = (a0 + sign * sweep / 2) * kDeg;
                Consider(kMiddle, RuVaPnt2d(c.X() + r * std::cos(mid), c.Y() + r * std::sin(mid)), s, ap);
                for (int k = 1; k < m_nDivision; ++k) {
                    const double ang = (a0 + sign * sweep * k / m_nDivision) * kDeg;
                    Consider(kDivision, RuVaPnt2d(c.X() + r * std::cos(ang), c.Y() + r * std::sin(ang)), s, ap);
                }
            } else {
                const auto* ci = static_cast<const Circle2dFeature*>(f);
                c = ci->GetCenterPoint(), r = ci->GetRadius();
            }
            auto onShape = [&](double angDeg) {
                return !arc || FeatureGeometry::IsAngleOnArc(FeatureGeometry::NormalizeAngle(angDeg), a0, a1, dir);
            };
            auto at = [&](double angDeg) {
                return RuVaPnt2d(c.X() + r * std::cos(angDeg * kDeg), c.Y() + r * std::sin(angDeg * kDeg));
            };
            Consider(kCentre, c, s, ap);
            for (int q = 0; q < 4; ++q)
                if (onShape(q * 90.0))
                    Consider(kQuadrant, at(q * 90.0), s, ap);
            const double dc = cursor.Distance(c);
            if (dc > 0.0) {
                const double ang = std::atan2(cursor.Y() - c.Y(), cursor.X() - c.X()) / kDeg;
                if (onShape(ang))
                    Consider(kNearest, at(ang), s, ap);
            }
            if (m_bOrigin) {
                const double d0 = m_origin.Distance(c);
                if (d0 > 0.0) {
                    const double ang = std::atan2(m_origin.Y() - c.Y(), m_origin.X() - c.X()) / kDeg;
                    for (double a : {ang, ang + 180.0})
                        if (onShape(a))
                            Consider(kPerpendicular, at(a), s, ap);
                    if (d0 > r) {
                        const double off = std::acos(r / d0) / kDeg;
                        for (double a : {ang + off, ang - off})
                            if (onShape(a))
                                Consider(kTangent, at(a), s, ap);
                    }
                }
            }
        } else {
            chains.clear();
            FeatureFlattener::Flatten(f, chains, std::max(ap / 50.0, 1e-9));
            for (const KcArrayOfGePnt2d& ch : chains) {
                if (ch.GetSize() == 0)
                    continue;
                Consider(kEnd, ch[0], s, ap);
                Consider(kEnd, ch[ch.GetSize() - 1], s, ap);
                for (INT_PTR i = 1; i < ch.GetSize(); ++i) {
                    double t = 0;
                    const RuVaPnt2d foot = Foot(cursor, ch[i - 1], ch[i], t);
                    if (t >= 0.0 && t <= 1.0)
                        Consider(kNearest, foot, s, ap);
                }
            }
        }
    }

    // Intersections of every pair of nearby shapes.
    if ((m_dwMask & kIntersection) && m_features.size() >= 2) {
        const int n = std::min<int>((int)m_features.size(), kMaxIntersectionShapes);
        std::vector<std::unique_ptr<RuVaEntity2d>> curves((size_t)n);
        for (int i = 0; i < n; ++i)
            curves[(size_t)i].reset(ConvertFeatureToGeom2d::Convert(m_features[(size_t)i].get()));
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (!keepGoing())
                    return FALSE;
                if (!curves[(size_t)i] || !curves[(size_t)j])
                    continue;
                KcInterCurveCurve2d inter(curves[(size_t)i].get(), curves[(size_t)j].get());
                if (!inter.IsDone())
                    continue;
                for (int k = 0; k < inter.NbPoints(); ++k)
                    Consider(kIntersection, inter.GetPoint(k), i, ap);
            }
    }

    // Tracking from recently used entities, when no point was found.
    if (m_nBestRank < 3) {
        std::vector<RuVaPnt2d> keys;
        auto track = [&](DWORD kind, const RuVaPnt2d& p, const RuVaPnt2d& from) {
            const int before = m_nBestRank;
            const DWORD kindBefore = m_dwKind;
            const RuVaPnt2d pointBefore = m_point;
            Consider(kind, p, -1, ap);
            if (m_dwKind == kind && (before != m_nBestRank || kindBefore != kind || pointBefore != m_point))
                m_virtual.Add(new RuVaLineSeg2d(from, p));
        };
        if (m_pHorzVert != nullptr)
            for (INT_PTR i = 0; i < m_pHorzVert->GetSize(); ++i) {
                KeyPoints(m_pHorzVert->GetAt(i), keys);
                for (const RuVaPnt2d& k : keys) {
                    track(kHorzVert, RuVaPnt2d(k.X(), cursor.Y()), k);
                    track(kHorzVert, RuVaPnt2d(cursor.X(), k.Y()), k);
                }
            }
        if (m_pExtended != nullptr)
            for (INT_PTR i = 0; i < m_pExtended->GetSize(); ++i)
                if (const auto* l = dynamic_cast<const RuVaLineSeg2d*>(m_pExtended->GetAt(i))) {
                    double t = 0;
                    const RuVaPnt2d foot = Foot(cursor, l->StartPoint(), l->EndPoint(), t);
                    if (t > 1.0)
                        track(kExtension, foot, l->EndPoint());
                    else if (t < 0.0)
                        track(kExtension, foot, l->StartPoint());
                }
        if (m_pPerpendicular != nullptr)
            for (INT_PTR i = 0; i < m_pPerpendicular->GetSize(); ++i)
                if (const auto* l = dynamic_cast<const RuVaLineSeg2d*>(m_pPerpendicular->GetAt(i))) {
                    const RuVaPnt2d &a = l->StartPoint(), &b = l->EndPoint();
                    const RuVaPnt2d normal(-(b.Y() - a.Y()), b.X() - a.X());
                    for (const RuVaPnt2d& e : {a, b}) {
                        double t = 0;
                        const RuVaPnt2d foot = Foot(cursor, e, RuVaPnt2d(e.X() + normal.X(), e.Y() + normal.Y()), t);
                        track(kPerpendicularTrack, foot, e);
                    }
                }
    }

    // Angular snap from the origin, unless a point was found.
    if (m_nBestRank < 2 && m_bOrigin && m_nAngularMode != 0 && m_dAngularStep > 0.0 && cursor.Distance(m_origin) > 0.0) {
        const double ang = std::atan2(cursor.Y() - m_origin.Y(), cursor.X() - m_origin.X()) / kDeg - m_dBaseAngle;
        const double k = std::round(ang / m_dAngularStep);
        const double ray = (m_dBaseAngle + k * m_dAngularStep) * kDeg;
        double t = 0;
        const RuVaPnt2d p = Foot(cursor, m_origin, RuVaPnt2d(m_origin.X() + std::cos(ray), m_origin.Y() + std::sin(ray)), t);
        if (m_nAngularMode == 1 || p.Distance(cursor) <= ap) {
            m_dwKind = 0;
            m_nAngular = 1;
            m_dAngle = FeatureGeometry::NormalizeAngle(k * m_dAngularStep);
            m_point = p;
            m_nBestSource = -1;
            m_virtual.DeleteAll();
            return TRUE;
        }
    }
    if (m_dwKind == 0)
        return FALSE;
    // The entity the point came from feeds the histories.
    if (m_nBestSource >= 0 && m_nBestSource < (int)m_features.size()) {
        RuVaEntity2d* e = ConvertFeatureToGeom2d::Convert(m_features[(size_t)m_nBestSource].get());
        if (e != nullptr) {
            m_usedHorzVert.Add(e);
            if (m_dwKind & kEnd) {
                m_usedExtended.Add(e->Clone());
                m_usedPerpendicular.Add(e->Clone());
            }
        }
    }
    return TRUE;
}
