#include "libs/vevure/Polyline2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Polyline2dFeature, Feature2dBase, 1)

namespace {

bool IsAcceptablePoints(const KcArrayOfGePnt2d& points)
{
    if (points.GetSize() < 2 || !FeatureGeometry::IsFinitePoints(points))
        return false;
    for (INT_PTR i = 1; i < points.GetSize(); ++i)
        if (points[i].Distance(points[0]) >= FeatureGeometry::kPointTolerance)
            return true;
    return false;
}

}  // namespace

Polyline2dFeature::Polyline2dFeature() : Feature2dBase(FeatureTypePolyline) {}

Polyline2dFeature::Polyline2dFeature(const KcArrayOfGePnt2d& points, BOOL bClose) : Polyline2dFeature()
{
    KcArrayOfGePnt2d closed(points);
    if (bClose && closed.GetSize() > 0 &&
        closed[0].Distance(closed[closed.GetSize() - 1]) >= FeatureGeometry::kPointTolerance)
        closed.Add(closed[0]);
    SetPointArray(closed);
}

BOOL Polyline2dFeature::SetPointArray(const KcArrayOfGePnt2d& points)
{
    if (!IsAcceptablePoints(points))
        return FALSE;
    m_points = points;
    return TRUE;
}

const RuVaPnt2d& Polyline2dFeature::GetPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPointSize())
        AfxThrowInvalidArgException();
    return m_points[nIndex];
}

BOOL Polyline2dFeature::SetPoint(int nIndex, const RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetPointSize() || !FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    KcArrayOfGePnt2d changed(m_points);
    changed[nIndex] = point;
    return SetPointArray(changed);
}

BOOL Polyline2dFeature::IsClosed() const
{
    const INT_PTR n = m_points.GetSize();
    return n > 3 && m_points[0].Distance(m_points[n - 1]) <= 1e-7;
}

BOOL Polyline2dFeature::IsValid() const
{
    return IsAcceptablePoints(m_points);
}

RuVaBndBox2d Polyline2dFeature::GetBndBox() const
{
    return m_points.GetBndBox();
}

BOOL Polyline2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    KcArrayOfGePnt2d moved(m_points);
    moved.Transform(t);
    return SetPointArray(moved);
}

BOOL Polyline2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    return Feature2dBase::IsEqualGeometry(pOther) && m_points == static_cast<const Polyline2dFeature*>(pOther)->m_points;
}

void Polyline2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() == GetFeatureType())
        m_points = static_cast<const Polyline2dFeature*>(pSource)->m_points;
}

void Polyline2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_points;
    else
        ar >> m_points;
}
