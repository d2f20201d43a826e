#include "libs/vevure/Image2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"
#include "libs/vevure/SettingValue.h"

IMPLEMENT_SERIAL(Image2dFeature, Feature2dBase, 1)

Image2dFeature::Image2dFeature() : Feature2dBase(FeatureTypeImage) {}

BOOL Image2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL Image2dFeature::SetAlignment(int nAlignment)
{
    if (nAlignment < 0 || nAlignment > 8)
        return FALSE;
    m_nAlignment = (BYTE)nAlignment;
    return TRUE;
}

BOOL Image2dFeature::SetWidth(double dWidth)
{
    if (!FeatureGeometry::IsPositiveSize(dWidth))
        return FALSE;
    m_dWidth = dWidth;
    return TRUE;
}

BOOL Image2dFeature::SetHeight(double dHeight)
{
    if (!FeatureGeometry::IsPositiveSize(dHeight))
        return FALSE;
    m_dHeight = dHeight;
    return TRUE;
}

BOOL Image2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Image2dFeature::SetBrightness(float fValue)
{
    return fValue != SettingValue::kUndefinedFloat && m_setting.SetBrightness(fValue);
}

BOOL Image2dFeature::SetContrast(float fValue)
{
    return fValue != SettingValue::kUndefinedFloat && m_setting.SetContrast(fValue);
}

BOOL Image2dFeature::SetImageSetting(const ImageSetting& setting)
{
    return FeatureSettingRules::Apply(m_setting, setting);
}

void Image2dFeature::SetImageData(const BYTE* pData, size_t nSize)
{
    if (pData == nullptr || nSize == 0)
        m_image.clear();
    else
        m_image.assign(pData, pData + nSize);
}

void Image2dFeature::DeleteImage()
{
    std::vector<BYTE>().swap(m_image);
}

RuVaPnt2d Image2dFeature::GetLowerLeftPoint() const
{
    const double ox = -m_dWidth * 0.5 * (m_nAlignment % 3), oy = -m_dHeight * 0.5 * (m_nAlignment / 3);
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    return RuVaPnt2d(m_point.X() + ox * c - oy * s, m_point.Y() + ox * s + oy * c);
}

BOOL Image2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    FeatureGeometry::RectangleOutline(GetLowerLeftPoint(), m_dWidth, m_dHeight, m_dAngle, points);
    return TRUE;
}

BOOL Image2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureGeometry::IsPositiveSize(m_dWidth) &&
           FeatureGeometry::IsPositiveSize(m_dHeight) && m_dAngle >= 0.0 && m_dAngle < 360.0 && m_nAlignment <= 8 &&
           FeatureSettingRules::IsComplete(m_setting);
}

RuVaBndBox2d Image2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Image2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    // The picture stays a rectangle: maps that keep right angles (moves, turns, equal scales) apply; mirrors
    // and unequal scales do not.
    if (FeatureGeometry::IsSingular(t) || !FeatureGeometry::IsSimilarity(t) || t.Determinant() < 0.0)
        return FALSE;
    const double s = FeatureGeometry::LengthScale(t);
    const RuVaPnt2d p = t.Transformed(m_point);
    if (!FeatureGeometry::IsFinitePoint(p) || !FeatureGeometry::IsPositiveSize(m_dWidth * s) ||
        !FeatureGeometry::IsPositiveSize(m_dHeight * s))
        return FALSE;
    m_point = p;
    m_dWidth *= s;
    m_dHeight *= s;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    return TRUE;
}

BOOL Image2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Image2dFeature*>(pOther);
    return m_image == o->m_image && m_point == o->m_point && m_dWidth == o->m_dWidth && m_dHeight == o->m_dHeight &&
           m_dAngle == o->m_dAngle && m_setting.IsEqual(o->m_setting) > 0 && m_nAlignment == o->m_nAlignment;
}

void Image2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Image2dFeature*>(pSource);
    m_image = s->m_image;
    m_point = s->m_point;
    m_dWidth = s->m_dWidth;
    m_dHeight = s->m_dHeight;
    m_dAngle = s->m_dAngle;
    m_setting = s->m_setting;
    m_nAlignment = s->m_nAlignment;
}

void Image2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_dWidth << m_dHeight << m_dAngle << m_nAlignment;
        m_setting.Serialize(ar);
        ar.WriteCount(m_image.size());
        if (!m_image.empty())
            ar.Write(m_image.data(), (UINT)m_image.size());
        return;
    }
    ar >> m_point >> m_dWidth >> m_dHeight >> m_dAngle >> m_nAlignment;
    m_setting.Serialize(ar);
    const DWORD_PTR count = ar.ReadCount();
    CheckLoaded(ar, count <= kMaxImageBytes);
    ar.EnsureReadable(count);
    std::vector<BYTE> image((size_t)count);
    if (count > 0 && ar.Read(image.data(), (UINT)count) != (UINT)count)
        CheckLoaded(ar, false);
    m_image.swap(image);
}
