#include "libs/vevure/Arrow2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Arrow2dFeature, Feature2dBase, 1)

Arrow2dFeature::Arrow2dFeature() : Feature2dBase(FeatureTypeArrow) {}

Arrow2dFeature::Arrow2dFeature(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize)
    : Arrow2dFeature()
{
    SetPoint(tip);
    SetAngle(dAngleDeg);
    SetArrowType(nArrowType);
    SetSize(dSize);
}

BOOL Arrow2dFeature::SetPoint(const RuVaPnt2d& tip)
{
    if (!FeatureGeometry::IsFinitePoint(tip))
        return FALSE;
    m_tip = tip;
    return TRUE;
}

BOOL Arrow2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Arrow2dFeature::SetArrowType(int nType)
{
    if (!IsValidArrowType(nType))
        return FALSE;
    m_nArrowType = nType;
    return TRUE;
}

BOOL Arrow2dFeature::SetSize(double dSize)
{
    if (!(dSize >= 0.0 && dSize < 1e15))
        return FALSE;
    m_dSize = dSize;
    return TRUE;
}

BOOL Arrow2dFeature::GetArrowHorizonVerticalSize(int nArrowType, double dSize, double& dHorizon, double& dVertical)
{
    dHorizon = dVertical = 0.0;
    if (!IsValidArrowType(nArrowType) || !(dSize >= 0.0) || !std::isfinite(dSize))
        return FALSE;
    // Triangles run their whole length back from the point; squares, circles, arcs and strokes sit
    // centred on it. Triangles are two thirds of their length wide, the others as wide as long.
    static const double kHorizon[14] = {0.0, 1.0, 0.5, 0.5, 0.5, 0.5, 1.0, 0.5, 0.5, 1.0, 0.5, 1.0, 1.0, 1.0};
    static const double kVertical[14] = {0.0,       2.0 / 3.0, 1.0, 1.0, 1.0, 1.0, 2.0 / 3.0,
                                         1.0,       1.0,       2.0 / 3.0, 1.0, 2.0 / 3.0, 1.0, 1.0};
    dHorizon = kHorizon[nArrowType] * dSize;
    dVertical = kVertical[nArrowType] * dSize;
    return TRUE;
}

double Arrow2dFeature::GetShaftInset(int nArrowType, double dSize)
{
    if (!IsValidArrowType(nArrowType) || !(dSize > 0.0) || !std::isfinite(dSize))
        return 0.0;
    switch (nArrowType) {
    case 1:
    case 12:
    case 13:
        return dSize;
    case 2:
    case 3:
    case 5:
        return 0.5 * dSize;
    default:
        return 0.0;
    }
}

void Arrow2dFeature::GetHeadPieces(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize,
                                   std::vector<HeadPiece>& pieces)
{
    pieces.clear();
    if (nArrowType <= 0 || !IsValidArrowType(nArrowType) || !(dSize > 0.0) || !(dSize < 1e15) ||
        !std::isfinite(dAngleDeg) || !FeatureGeometry::IsFinitePoint(tip))
        return;
    const double a = dAngleDeg * RuVa::DegToRad, s = dSize, h = 0.5 * dSize;
    const RuVaVec2d d(std::cos(a), std::sin(a)), n(-d.Y(), d.X());
    auto at = [&](double along, double across) { return tip + d * along + n * across; };
    auto poly = [&](std::initializer_list<RuVaPnt2d> pts, bool filled) {
        HeadPiece p;
        p.nKind = HeadPiece::Polyline;
        for (const RuVaPnt2d& q : pts)
            p.points.Add(q);
        p.bFilled = filled;
        pieces.push_back(std::move(p));
    };
    auto circle = [&](const RuVaPnt2d& c, double r, bool filled) {
        HeadPiece p;
        p.nKind = HeadPiece::Circle;
        p.centre = c;
        p.dRadius = r;
        p.bFilled = filled;
        pieces.push_back(std::move(p));
    };
    switch (nArrowType) {
    case 1:
    case 6:
    case 11:
        poly({tip, at(-s, s / 3), at(-s, -s / 3), tip}, nArrowType == 6);
        break;
    case 2:
    case 5:
        poly({at(-h, -h), at(h, -h), at(h, h), at(-h, h), at(-h, -h)}, nArrowType == 5);
        break;
    case 3:
    case 4:
    case 7:
        circle(tip, h, nArrowType == 7);
        break;
    case 8: {
        // Two quarter circles meeting at the point, one ahead of it bending to the left, one behind bending
        // to the right.
        HeadPiece ahead;
        ahead.nKind = HeadPiece::Arc;
        ahead.centre = at(h, 0.0);
        ahead.dRadius = h;
        ahead.dStartDeg = RuVa::CorrectAngle(dAngleDeg + 90.0);
        ahead.dSweepDeg = 90.0;
        pieces.push_back(ahead);
        HeadPiece behind = ahead;
        behind.centre = at(-h, 0.0);
        behind.dStartDeg = RuVa::CorrectAngle(dAngleDeg + 270.0);
        pieces.push_back(behind);
        break;
    }
    case 9:
        poly({at(-s, s / 3), tip, at(-s, -s / 3)}, false);
        break;
    case 10:
        poly({at(h, h), at(-h, -h)}, false);
        break;
    case 12:
    case 13:
        poly({at(0.0, h), at(0.0, -h), at(-s, 0.0), at(0.0, h)}, nArrowType == 12);
        break;
    default:
        break;
    }
}

BOOL Arrow2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    // The box of the head, turned with it.
    std::vector<HeadPiece> pieces;
    GetHeadPieces(m_tip, m_dAngle, m_nArrowType, m_dSize, pieces);
    points.RemoveAll();
    if (pieces.empty()) {
        points.Add(m_tip);
        return TRUE;
    }
    const double a = m_dAngle * RuVa::DegToRad;
    const RuVaVec2d d(std::cos(a), std::sin(a)), n(-d.Y(), d.X());
    double lo = 0.0, hi = 0.0, left = 0.0, right = 0.0;
    auto take = [&](const RuVaPnt2d& p, double grow) {
        const RuVaVec2d v = p - m_tip;
        lo = std::min(lo, v.Dot(d) - grow);
        hi = std::max(hi, v.Dot(d) + grow);
        left = std::min(left, v.Dot(n) - grow);
        right = std::max(right, v.Dot(n) + grow);
    };
    for (const HeadPiece& p : pieces) {
        if (p.nKind == HeadPiece::Polyline)
            for (INT_PTR i = 0; i < p.points.GetSize(); ++i)
                take(p.points[i], 0.0);
        else
            take(p.centre, p.dRadius);
    }
    points.Add(m_tip + d * lo + n * left);
    points.Add(m_tip + d * hi + n * left);
    points.Add(m_tip + d * hi + n * right);
    points.Add(m_tip + d * lo + n * right);
    points.Add(m_tip + d * lo + n * left);
    return TRUE;
}

BOOL Arrow2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_tip) && IsValidArrowType(m_nArrowType) && m_dSize >= 0.0 &&
           m_dSize < 1e15 && m_dAngle >= 0.0 && m_dAngle < 360.0;
}

RuVaBndBox2d Arrow2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Arrow2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    const RuVaPnt2d p = t.Transformed(m_tip);
    if (!FeatureGeometry::IsFinitePoint(p) || !(dSizeScale > 0.0) || !(m_dSize * dSizeScale < 1e15))
        return FALSE;
    m_tip = p;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    m_dSize *= dSizeScale;
    return TRUE;
}

BOOL Arrow2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Arrow2dFeature*>(pOther);
    return m_tip == o->m_tip && m_dAngle == o->m_dAngle && m_dSize == o->m_dSize && m_nArrowType == o->m_nArrowType;
}

void Arrow2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Arrow2dFeature*>(pSource);
    m_tip = s->m_tip;
    m_dAngle = s->m_dAngle;
    m_dSize = s->m_dSize;
    m_nArrowType = s->m_nArrowType;
}

void Arrow2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_tip << m_dAngle << m_dSize << m_nArrowType;
    else
        ar >> m_tip >> m_dAngle >> m_dSize >> m_nArrowType;
}
