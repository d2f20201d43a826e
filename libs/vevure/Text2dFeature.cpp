#include "libs/vevure/Text2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"
#include "libs/vevure/SettingValue.h"

IMPLEMENT_SERIAL(Text2dFeature, Feature2dBase, 1)

Text2dFeature::Text2dFeature() : Feature2dBase(FeatureTypeText)
{
    // Text blocks hang from their lower left corner unless told otherwise.
    m_setting.SetLineSpacing(0.0);
}

Text2dFeature::Text2dFeature(const CString& strText, const RuVaPnt2d& point) : Text2dFeature()
{
    SetText(strText);
    SetPoint(point);
    SetAutoLayoutRect();
}

void Text2dFeature::FollowLayout()
{
    if (m_bAutoLayout)
        SetAutoLayoutRect();
}

BOOL Text2dFeature::SetText(const CString& strText)
{
    m_strText = strText;
    FollowLayout();
    return TRUE;
}

BOOL Text2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL Text2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Text2dFeature::SetHeight(double dHeight)
{
    if (!FeatureGeometry::IsPositiveSize(dHeight) || !m_setting.SetHeight(dHeight))
        return FALSE;
    FollowLayout();
    return TRUE;
}

BOOL Text2dFeature::SetWidthRatio(double dRatio)
{
    if (!std::isfinite(dRatio) || !(dRatio > 0.0) || !m_setting.SetWidthRatio(dRatio))
        return FALSE;
    FollowLayout();
    return TRUE;
}

BOOL Text2dFeature::SetCharSpacing(double dSpacing)
{
    if (!(dSpacing >= 0.0 && dSpacing < 1e15) || !m_setting.SetCharSpacing(dSpacing))
        return FALSE;
    FollowLayout();
    return TRUE;
}

BOOL Text2dFeature::SetLineSpacing(double dSpacing)
{
    if (!(dSpacing >= 0.0 && dSpacing < 1e15) || !m_setting.SetLineSpacing(dSpacing))
        return FALSE;
    FollowLayout();
    return TRUE;
}

BOOL Text2dFeature::SetFontName(const CString& strName)
{
    return !SettingValue::IsUndefinedText(strName) && m_setting.SetFontName(strName);
}

BOOL Text2dFeature::SetHorizonArrange(int nArrange)
{
    if (nArrange < 0 || nArrange > 2)
        return FALSE;
    return m_setting.SetBasePointPosition(m_setting.GetBasePointPosition() / 3 * 3 + nArrange);
}

BOOL Text2dFeature::SetVerticalArrange(int nArrange)
{
    if (nArrange < 0 || nArrange > 2)
        return FALSE;
    return m_setting.SetBasePointPosition((2 - nArrange) * 3 + m_setting.GetBasePointPosition() % 3);
}

BOOL Text2dFeature::SetTextSetting(const TextSetting& setting)
{
    if (!FeatureSettingRules::Apply(m_setting, setting))
        return FALSE;
    FollowLayout();
    return TRUE;
}

int Text2dFeature::GetLineCount() const
{
    int lines = 1;
    for (int i = 0; i < m_strText.GetLength(); ++i)
        if (m_strText[i] == u'\n')
            ++lines;
    return lines;
}

void Text2dFeature::GetBlockSize(double& dWidth, double& dHeight) const
{
    int longest = 0, current = 0;
    for (int i = 0; i < m_strText.GetLength(); ++i) {
        const char16_t ch = m_strText[i];
        if (ch == u'\n') {
            current = 0;
        } else if (ch != u'\r' && ++current > longest) {
            longest = current;
        }
    }
    const double height = m_setting.GetHeight();
    const double cell = height * m_setting.GetWidthRatio();
    dWidth = longest > 0 ? longest * cell + (longest - 1) * m_setting.GetCharSpacing() : 0.0;
    const int lines = GetLineCount();
    dHeight = lines * height + (lines - 1) * m_setting.GetLineSpacing();
}

void Text2dFeature::SetAutoLayoutRect()
{
    GetBlockSize(m_dLayoutWidth, m_dLayoutHeight);
}

BOOL Text2dFeature::SetLayoutRect(double dWidth, double dHeight)
{
    if (!(dWidth >= 0.0 && dWidth < 1e15 && dHeight >= 0.0 && dHeight < 1e15))
        return FALSE;
    m_dLayoutWidth = dWidth;
    m_dLayoutHeight = dHeight;
    return TRUE;
}

BOOL Text2dFeature::ScaleSize(double dFactor, int nFlag)
{
    if (!FeatureGeometry::IsPositiveSize(dFactor) || !m_setting.ScaleSize(dFactor))
        return FALSE;
    if (nFlag == 1) {
        m_dLayoutWidth *= dFactor;
        m_dLayoutHeight *= dFactor;
    }
    return TRUE;
}

BOOL Text2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    double w = m_dLayoutWidth, h = m_dLayoutHeight;
    if (m_bAutoLayout || (w <= 0.0 && h <= 0.0))
        GetBlockSize(w, h);
    // The base point sits on the block by the arrangement; the block turns about the base point.
    const double ox = -w * 0.5 * GetHorizonArrange(), oy = -h * 0.5 * (2 - GetVerticalArrange());
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    const RuVaPnt2d lowerLeft(m_point.X() + ox * c - oy * s, m_point.Y() + ox * s + oy * c);
    FeatureGeometry::RectangleOutline(lowerLeft, w, h, m_dAngle, points);
    return TRUE;
}

BOOL Text2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureSettingRules::IsComplete(m_setting) &&
           m_dLayoutWidth >= 0.0 && m_dLayoutWidth < 1e15 && m_dLayoutHeight >= 0.0 && m_dLayoutHeight < 1e15 &&
           m_dAngle >= 0.0 && m_dAngle < 360.0 && m_bAutoLayout <= 1;
}

RuVaBndBox2d Text2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Text2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    const RuVaPnt2d p = t.Transformed(m_point);
    TextSetting scaled(m_setting);
    if (!FeatureGeometry::IsFinitePoint(p) || !FeatureGeometry::IsPositiveSize(dSizeScale) ||
        !scaled.ScaleSize(dSizeScale))
        return FALSE;
    m_point = p;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    m_setting = scaled;
    m_dLayoutWidth *= dSizeScale;
    m_dLayoutHeight *= dSizeScale;
    return TRUE;
}

BOOL Text2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Text2dFeature*>(pOther);
    return m_strText == o->m_strText && m_setting.IsEqual(o->m_setting) > 0 && m_point == o->m_point &&
           m_dAngle == o->m_dAngle && m_dLayoutWidth == o->m_dLayoutWidth && m_dLayoutHeight == o->m_dLayoutHeight &&
           m_bAutoLayout == o->m_bAutoLayout;
}

void Text2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Text2dFeature*>(pSource);
    m_strText = s->m_strText;
    m_setting = s->m_setting;
    m_point = s->m_point;
    m_dAngle = s->m_dAngle;
    m_dLayoutWidth = s->m_dLayoutWidth;
    m_dLayoutHeight = s->m_dLayoutHeight;
    m_bAutoLayout = s->m_bAutoLayout;
}

void Text2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strText << m_point << m_dAngle << m_dLayoutWidth << m_dLayoutHeight << m_bAutoLayout;
        m_setting.Serialize(ar);
    } else {
        ar >> m_strText >> m_point >> m_dAngle >> m_dLayoutWidth >> m_dLayoutHeight >> m_bAutoLayout;
        m_setting.Serialize(ar);
    }
}
