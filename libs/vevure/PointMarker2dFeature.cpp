#include "libs/vevure/PointMarker2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

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
    return nType >= 0 && nType <= 9 && m_setting.SetType(nType);
}

BOOL PointMarker2dFeature::SetMarkerSize(double dSize)
{
    return FeatureGeometry::IsPositiveSize(dSize) && m_setting.SetSize(dSize);
}

BOOL PointMarker2dFeature::SetRotateAngle(double dAngleDeg)
{
    return std::isfinite(dAngleDeg) && m_setting.SetRotateAngle(FeatureGeometry::NormalizeAngle(dAngleDeg));
}

BOOL PointMarker2dFeature::SetPointMarkerSetting(const PointMarkerSetting& setting)
{
    return FeatureSettingRules::Apply(m_setting, setting);
}

BOOL PointMarker2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureSettingRules::IsComplete(m_setting) &&
           FeatureGeometry::IsPositiveSize(m_setting.GetSize()) && m_bVirtual <= 1;
}

RuVaBndBox2d PointMarker2dFeature::GetBndBox() const
{
    RuVaBndBox2d box;
    box.Set(m_point);
    return box;
}

BOOL PointMarker2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    const RuVaPnt2d p = t.Transformed(m_point);
    PointMarkerSetting moved(m_setting);
    if (!FeatureGeometry::IsFinitePoint(p) || !FeatureGeometry::IsPositiveSize(m_setting.GetSize() * dSizeScale) ||
        !moved.SetSize(m_setting.GetSize() * dSizeScale) ||
        !moved.SetRotateAngle(FeatureGeometry::TransformAngle(t, m_setting.GetRotateAngle())))
        return FALSE;
    m_point = p;
    m_setting = moved;
    return TRUE;
}

BOOL PointMarker2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const PointMarker2dFeature*>(pOther);
    return m_point == o->m_point && m_setting.IsEqual(o->m_setting) > 0 && m_bVirtual == o->m_bVirtual;
}

void PointMarker2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const PointMarker2dFeature*>(pSource);
    m_point = s->m_point;
    m_setting = s->m_setting;
    m_bVirtual = s->m_bVirtual;
}

void PointMarker2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_bVirtual;
        m_setting.Serialize(ar);
    } else {
        ar >> m_point >> m_bVirtual;
        m_setting.Serialize(ar);
        CheckLoaded(ar, m_bVirtual <= 1 && FeatureSettingRules::IsComplete(m_setting));
    }
}
