#include "libs/vevure/Balloon2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Balloon2dFeature, Feature2dBase, 1)

Balloon2dFeature::Balloon2dFeature() : Feature2dBase(FeatureTypeBalloon)
{
    m_leadPoints.Add(RuVaPnt2d(0.0, 0.0));
    m_centre = RuVaPnt2d(10.0, 10.0);
}

BOOL Balloon2dFeature::SetText(const CString& strText)
{
    m_strText = strText;
    return TRUE;
}

BOOL Balloon2dFeature::SetLeadPointArray(const KcArrayOfGePnt2d& points)
{
    if (points.GetSize() < 1 || !FeatureGeometry::IsFinitePoints(points))
        return FALSE;
    m_leadPoints = points;
    return TRUE;
}

const RuVaPnt2d& Balloon2dFeature::GetLeadPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLeadPointSize())
        AfxThrowInvalidArgException();
    return m_leadPoints[nIndex];
}

BOOL Balloon2dFeature::SetLeadPoint(int nIndex, const RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetLeadPointSize() || !FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_leadPoints[nIndex] = point;
    return TRUE;
}

BOOL Balloon2dFeature::SetCenterPoint(const RuVaPnt2d& centre)
{
    if (!FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_centre = centre;
    return TRUE;
}

BOOL Balloon2dFeature::SetBalloonType(int nType)
{
    if (nType != 0 && nType != 1)
        return FALSE;
    m_nBalloonType = (BYTE)nType;
    return TRUE;
}

BOOL Balloon2dFeature::SetBalloonSize(double dSize)
{
    if (!FeatureGeometry::IsPositiveSize(dSize))
        return FALSE;
    m_dBalloonSize = dSize;
    return TRUE;
}

BOOL Balloon2dFeature::SetTextHeight(double dHeight)
{
    if (!FeatureGeometry::IsPositiveSize(dHeight))
        return FALSE;
    m_dTextHeight = dHeight;
    return TRUE;
}

BOOL Balloon2dFeature::SetArrowType(int nType)
{
    if (!Arrow2dFeature::IsValidArrowType(nType))
        return FALSE;
    m_nArrowType = (short)nType;
    return TRUE;
}

BOOL Balloon2dFeature::SetArrowSize(double dSize)
{
    if (!(dSize >= 0.0 && dSize < 1e15))
        return FALSE;
    m_dArrowSize = dSize;
    return TRUE;
}

BOOL Balloon2dFeature::IsValid() const
{
    return m_leadPoints.GetSize() >= 1 && FeatureGeometry::IsFinitePoints(m_leadPoints) &&
           FeatureGeometry::IsFinitePoint(m_centre) && FeatureGeometry::IsPositiveSize(m_dBalloonSize) &&
           FeatureGeometry::IsPositiveSize(m_dTextHeight) && m_dArrowSize >= 0.0 && m_dArrowSize < 1e15 &&
           Arrow2dFeature::IsValidArrowType(m_nArrowType) && m_nBalloonType <= 1;
}

RuVaBndBox2d Balloon2dFeature::GetBndBox() const
{
    RuVaBndBox2d box = m_leadPoints.GetBndBox();
    const double h = 0.5 * m_dBalloonSize;
    box.Update(m_centre.X() - h, m_centre.Y() - h, m_centre.X() + h, m_centre.Y() + h);
    return box;
}

BOOL Balloon2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    if (!(dSizeScale > 0.0) || !FeatureGeometry::IsPositiveSize(m_dBalloonSize * dSizeScale) ||
        !FeatureGeometry::IsPositiveSize(m_dTextHeight * dSizeScale))
        return FALSE;
    KcArrayOfGePnt2d moved(m_leadPoints);
    moved.Transform(t);
    const RuVaPnt2d centre = t.Transformed(m_centre);
    if (!FeatureGeometry::IsFinitePoints(moved) || !FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_leadPoints = moved;
    m_centre = centre;
    m_dBalloonSize *= dSizeScale;
    m_dTextHeight *= dSizeScale;
    m_dArrowSize *= dSizeScale;
    return TRUE;
}

BOOL Balloon2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Balloon2dFeature*>(pOther);
    return m_strText == o->m_strText && m_leadPoints == o->m_leadPoints && m_centre == o->m_centre &&
           m_dBalloonSize == o->m_dBalloonSize && m_dTextHeight == o->m_dTextHeight &&
           m_dArrowSize == o->m_dArrowSize && m_nArrowType == o->m_nArrowType && m_nBalloonType == o->m_nBalloonType;
}

void Balloon2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Balloon2dFeature*>(pSource);
    m_strText = s->m_strText;
    m_leadPoints = s->m_leadPoints;
    m_centre = s->m_centre;
    m_dBalloonSize = s->m_dBalloonSize;
    m_dTextHeight = s->m_dTextHeight;
    m_dArrowSize = s->m_dArrowSize;
    m_nArrowType = s->m_nArrowType;
    m_nBalloonType = s->m_nBalloonType;
}

void Balloon2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strText << m_leadPoints << m_centre << m_dBalloonSize << m_dTextHeight << m_dArrowSize << m_nArrowType
           << m_nBalloonType;
    else
        ar >> m_strText >> m_leadPoints >> m_centre >> m_dBalloonSize >> m_dTextHeight >> m_dArrowSize >> m_nArrowType >>
            m_nBalloonType;
}
