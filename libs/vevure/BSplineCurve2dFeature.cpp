#include "libs/vevure/BSplineCurve2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(BSplineCurve2dFeature, Feature2dBase, 1)

BSplineCurve2dFeature::BSplineCurve2dFeature() : Feature2dBase(FeatureTypeBSplineCurve) {}

BSplineCurve2dFeature::BSplineCurve2dFeature(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed)
    : BSplineCurve2dFeature()
{
    SetPoints(points, nKind, nDegree, bClosed);
}

bool BSplineCurve2dFeature::IsAcceptable(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed)
{
    if (nKind != ControlPoints && nKind != InterpolatePoints)
        return false;
    if (nDegree < 1 || nDegree > kMaxDegree || !FeatureGeometry::IsFinitePoints(points))
        return false;
    const INT_PTR n = points.GetSize();
    if (nKind == ControlPoints ? n < nDegree + 1 : n < 2)
        return false;
    // A closed curve needs room for a loop.
    if (bClosed && n < 3)
        return false;
    for (INT_PTR i = 1; i < n; ++i)
        if (points[i].Distance(points[0]) >= FeatureGeometry::kPointTolerance)
            return true;
    return false;
}

BOOL BSplineCurve2dFeature::SetPoints(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed)
{
    if (nKind == InterpolatePoints)
        nDegree = 3;
    if (!IsAcceptable(points, nKind, nDegree, bClosed))
        return FALSE;
    m_points = points;
    m_nKind = (short)nKind;
    m_nDegree = (short)nDegree;
    m_bClosed = bClosed ? 1 : 0;
    return TRUE;
}

const RuVaPnt2d& BSplineCurve2dFeature::GetPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPointSize())
        AfxThrowInvalidArgException();
    return m_points[nIndex];
}

BOOL BSplineCurve2dFeature::SetPoint(int nIndex, const RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetPointSize())
        return FALSE;
    KcArrayOfGePnt2d changed(m_points);
    changed[nIndex] = point;
    return SetPoints(changed, m_nKind, m_nDegree, m_bClosed);
}

BOOL BSplineCurve2dFeature::SetClosed(BOOL bClosed)
{
    return SetPoints(m_points, m_nKind, m_nDegree, bClosed);
}

BOOL BSplineCurve2dFeature::IsValid() const
{
    return IsAcceptable(m_points, m_nKind, m_nDegree, m_bClosed);
}

RuVaBndBox2d BSplineCurve2dFeature::GetBndBox() const
{
    // Control points hold the curve; interpolating curves may swing out a little, so their box is widened by
    // a share of its size.
    RuVaBndBox2d box = m_points.GetBndBox();
    if (m_nKind == InterpolatePoints && !box.IsVoid())
        box.Enlarge(0.25 * (box.Width() > box.Height() ? box.Width() : box.Height()));
    return box;
}

BOOL BSplineCurve2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    KcArrayOfGePnt2d moved(m_points);
    moved.Transform(t);
    return SetPoints(moved, m_nKind, m_nDegree, m_bClosed);
}

BOOL BSplineCurve2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const BSplineCurve2dFeature*>(pOther);
    return m_points == o->m_points && m_nKind == o->m_nKind && m_nDegree == o->m_nDegree && m_bClosed == o->m_bClosed;
}

void BSplineCurve2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const BSplineCurve2dFeature*>(pSource);
    m_points = s->m_points;
    m_nKind = s->m_nKind;
    m_nDegree = s->m_nDegree;
    m_bClosed = s->m_bClosed;
}

void BSplineCurve2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_points << m_nKind << m_nDegree << m_bClosed;
    else
        ar >> m_points >> m_nKind >> m_nDegree >> m_bClosed;
}
