#include "libs/vevure/Hatch2dFeature.h"

#include <cmath>
#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

IMPLEMENT_SERIAL(Hatch2dFeature, Feature2dBase, 1)

Hatch2dFeature::Hatch2dFeature() : Feature2dBase(FeatureTypeHatch) {}

Hatch2dFeature::Hatch2dFeature(const Hatch2dFeature& other)
    : Feature2dBase(other),
      m_outer(other.m_outer),
      m_userFormat(other.m_userFormat),
      m_setting(other.m_setting),
      m_point(other.m_point),
      m_dPatternScale(other.m_dPatternScale),
      m_dPatternAngle(other.m_dPatternAngle)
{
    CopyRegions(other);
}

Hatch2dFeature& Hatch2dFeature::operator=(const Hatch2dFeature& other)
{
    if (this != &other) {
        Feature2dBase::operator=(other);
        CopyGeometry(&other);
    }
    return *this;
}

Hatch2dFeature::~Hatch2dFeature()
{
    RemoveAllInnerRegions();
}

void Hatch2dFeature::CopyRegions(const Hatch2dFeature& other)
{
    std::vector<Region2dFeature*> copies;
    copies.reserve(other.m_inner.size());
    for (const Region2dFeature* r : other.m_inner)
        copies.push_back(new Region2dFeature(*r));
    RemoveAllInnerRegions();
    m_inner.swap(copies);
}

BOOL Hatch2dFeature::SetOuterRegion(const Region2dFeature& region)
{
    if (!region.IsValidConnection())
        return FALSE;
    m_outer = region;
    return TRUE;
}

BOOL Hatch2dFeature::AddInnerRegions(const Region2dFeature& region)
{
    if (!region.IsValidConnection())
        return FALSE;
    m_inner.push_back(new Region2dFeature(region));
    return TRUE;
}

const Region2dFeature& Hatch2dFeature::GetInnerRegion(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetInnerRegionCount())
        AfxThrowInvalidArgException();
    return *m_inner[(size_t)nIndex];
}

void Hatch2dFeature::RemoveAllInnerRegions()
{
    for (Region2dFeature* r : m_inner)
        delete r;
    m_inner.clear();
}

BOOL Hatch2dFeature::IsValidRegion() const
{
    if (!m_outer.IsValidConnection())
        return FALSE;
    for (const Region2dFeature* r : m_inner)
        if (!r->IsValidConnection())
            return FALSE;
    return TRUE;
}

BOOL Hatch2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL Hatch2dFeature::SetHatchType(int nType)
{
    return nType >= Solid && nType <= UserDefined && m_setting.SetHatchType(nType);
}

BOOL Hatch2dFeature::SetPatternNo(int nNo)
{
    return nNo >= 0 && nNo <= 52 && m_setting.SetPatternType(nNo);
}

void Hatch2dFeature::SetUserDefinedHatchFormat(const UserDefinedHatchFormat& format)
{
    m_userFormat = format;
    m_setting.SetPatternID(format.GetPatternID() >= 0 ? format.GetPatternID() : -1);
}

bool Hatch2dFeature::IsCompleteSetting(const HatchSetting& setting)
{
    HatchSetting probe(setting);
    if (probe.GetPatternID() == -1)
        probe.SetPatternID(0);
    return FeatureSettingRules::IsComplete(probe);
}

BOOL Hatch2dFeature::SetHatchSetting(const HatchSetting& setting)
{
    HatchSetting merged(m_setting);
    if (!merged.SetOnlyDefValue(setting) || !IsCompleteSetting(merged))
        return FALSE;
    m_setting = merged;
    if (setting.GetPatternID() >= 0)
        m_userFormat.SetPatternID(setting.GetPatternID());
    return TRUE;
}

BOOL Hatch2dFeature::SetPatternScale(double dScale)
{
    if (!FeatureGeometry::IsPositiveSize(dScale))
        return FALSE;
    m_dPatternScale = dScale;
    return TRUE;
}

BOOL Hatch2dFeature::SetPatternAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dPatternAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Hatch2dFeature::IsValid() const
{
    if (!m_outer.IsValid())
        return FALSE;
    for (const Region2dFeature* r : m_inner)
        if (!r->IsValid())
            return FALSE;
    return FeatureGeometry::IsFinitePoint(m_point) && IsCompleteSetting(m_setting) &&
           FeatureGeometry::IsPositiveSize(m_dPatternScale) && m_dPatternAngle >= 0.0 && m_dPatternAngle < 360.0;
}

RuVaBndBox2d Hatch2dFeature::GetBndBox() const
{
    return m_outer.GetBndBox();
}

BOOL Hatch2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    Hatch2dFeature moved(*this);
    if (!moved.m_outer.TransformGeometry(t, dSizeScale))
        return FALSE;
    for (Region2dFeature* r : moved.m_inner)
        if (!r->TransformGeometry(t, dSizeScale))
            return FALSE;
    const RuVaPnt2d p = t.Transformed(m_point);
    if (!FeatureGeometry::IsFinitePoint(p))
        return FALSE;
    moved.m_point = p;
    moved.m_dPatternAngle = FeatureGeometry::TransformAngle(t, m_dPatternAngle);
    moved.m_userFormat.SetPatternAngle(FeatureGeometry::TransformAngle(t, m_userFormat.GetPatternAngle()));
    if (dSizeScale > 0.0 && FeatureGeometry::IsPositiveSize(m_dPatternScale * dSizeScale)) {
        moved.m_dPatternScale = m_dPatternScale * dSizeScale;
        moved.m_userFormat.SetPatternScale(m_userFormat.GetPatternScale() * dSizeScale);
    }
    CopyGeometry(&moved);
    return TRUE;
}

BOOL Hatch2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Hatch2dFeature*>(pOther);
    if (!m_outer.IsEqual(&o->m_outer) || m_inner.size() != o->m_inner.size() || m_userFormat != o->m_userFormat ||
        m_point != o->m_point || m_dPatternScale != o->m_dPatternScale || m_dPatternAngle != o->m_dPatternAngle ||
        m_setting.IsEqual(o->m_setting) <= 0)
        return FALSE;
    for (size_t i = 0; i < m_inner.size(); ++i)
        if (!m_inner[i]->IsEqual(o->m_inner[i]))
            return FALSE;
    return TRUE;
}

void Hatch2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType() || pSource == this)
        return;
    const auto* s = static_cast<const Hatch2dFeature*>(pSource);
    m_outer = s->m_outer;
    CopyRegions(*s);
    m_userFormat = s->m_userFormat;
    m_point = s->m_point;
    m_dPatternScale = s->m_dPatternScale;
    m_dPatternAngle = s->m_dPatternAngle;
    m_setting = s->m_setting;
}

void Hatch2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        m_outer.Serialize(ar);
        ar.WriteCount(m_inner.size());
        for (Region2dFeature* r : m_inner)
            r->Serialize(ar);
        m_userFormat.Serialize(ar);
        ar << m_point << m_dPatternScale << m_dPatternAngle;
        m_setting.Serialize(ar);
        return;
    }
    m_outer.Serialize(ar);
    const DWORD_PTR count = ar.ReadCount();
    // A region takes at least its base fields.
    ar.EnsureReadable((ULONGLONG)count * 32);
    std::vector<std::unique_ptr<Region2dFeature>> inner;
    for (DWORD_PTR i = 0; i < count; ++i) {
        inner.push_back(std::make_unique<Region2dFeature>());
        inner.back()->Serialize(ar);
    }
    m_userFormat.Serialize(ar);
    ar >> m_point >> m_dPatternScale >> m_dPatternAngle;
    m_setting.Serialize(ar);
    RemoveAllInnerRegions();
    for (auto& r : inner)
        m_inner.push_back(r.release());
}
