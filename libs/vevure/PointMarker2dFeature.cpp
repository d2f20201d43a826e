#include "libs/vevure/PointMarker2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(PointMarker2dFeature, Feature2dBase, 1)

PointMarker2dFeature::PointMarker2dFeature() : Feature2dBase(FeatureTypePointMarker) {}

PointMarker2dFeature::PointMarker2dFeature(const RuVaPnt2d& point) : PointMarker2dFeature()
{
    SetPoint(point);
}

BOOL PointMarker2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL PointMarker2dFeature::SetMarkerType(int nType)
{
    if (nType < 0 || nType > 9)
        return FALSE;
    m_nMarkerType = (short)nType;
    return TRUE;
}

BOOL PointMarker2dFeature::SetMarkerSize(double dSize)
{
    if (!FeatureGeometry::IsPositiveSize(dSize))
        return FALSE;
    m_dMarkerSize = dSize;
    return TRUE;
}

BOOL PointMarker2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureGeometry::IsPositiveSize(m_dMarkerSize) &&
           m_nMarkerType >= 0 && m_nMarkerType <= 9;
}

RuVaBndBox2d PointMarker2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    box.Set(m_point);
    return box;
}

BOOL PointMarker2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    if (!FeatureGeometry::IsPositiveSize(m_dMarkerSize * dSizeScale))
        return FALSE;
    const RuVaPnt2d p = t.Transformed(m_point);
    if (!FeatureGeometry::IsFinitePoint(p))
        return FALSE;
    m_point = p;
    m_dMarkerSize *= dSizeScale;
    return TRUE;
}

BOOL PointMarker2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const PointMarker2dFeature*>(pOther);
    return m_point == o->m_point && m_dMarkerSize == o->m_dMarkerSize && m_nMarkerType == o->m_nMarkerType &&
           m_bVirtual == o->m_bVirtual;
}

void PointMarker2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const PointMarker2dFeature*>(pSource);
    m_point = s->m_point;
    m_dMarkerSize = s->m_dMarkerSize;
    m_nMarkerType = s->m_nMarkerType;
    m_bVirtual = s->m_bVirtual;
}

void PointMarker2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_dMarkerSize << m_nMarkerType << m_bVirtual;
    } else {
        ar >> m_point >> m_dMarkerSize >> m_nMarkerType >> m_bVirtual;
        CheckLoaded(ar, m_bVirtual <= 1);
    }
}
