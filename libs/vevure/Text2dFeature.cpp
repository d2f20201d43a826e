#include "libs/vevure/Text2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Text2dFeature, Feature2dBase, 1)

Text2dFeature::Text2dFeature() : Feature2dBase(FeatureTypeText) {}

Text2dFeature::Text2dFeature(const CString& strText, const RuVaPnt2d& point) : Text2dFeature()
{
    SetText(strText);
    SetPoint(point);
    SetAutoLayoutRect();
}

BOOL Text2dFeature::SetText(const CString& strText)
{
    m_strText = strText;
    if (m_bAutoLayout)
        SetAutoLayoutRect();
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
    if (!FeatureGeometry::IsPositiveSize(dHeight))
        return FALSE;
    m_dHeight = dHeight;
    if (m_bAutoLayout)
        SetAutoLayoutRect();
    return TRUE;
}

BOOL Text2dFeature::SetWidthRatio(double dRatio)
{
    if (!(dRatio > 0.0 && dRatio <= 100.0))
        return FALSE;
    m_dWidthRatio = dRatio;
    if (m_bAutoLayout)
        SetAutoLayoutRect();
    return TRUE;
}

BOOL Text2dFeature::SetCharSpacing(double dSpacing)
{
    if (!(dSpacing >= 0.0 && dSpacing < 1e15))
        return FALSE;
    m_dCharSpacing = dSpacing;
    if (m_bAutoLayout)
        SetAutoLayoutRect();
    return TRUE;
}

BOOL Text2dFeature::SetLineSpacing(double dSpacing)
{
    if (!(dSpacing >= 0.0 && dSpacing < 1e15))
        return FALSE;
    m_dLineSpacing = dSpacing;
    if (m_bAutoLayout)
        SetAutoLayoutRect();
    return TRUE;
}

BOOL Text2dFeature::SetHorizonArrange(int nArrange)
{
    if (nArrange < 0 || nArrange > 2)
        return FALSE;
    m_nHorizonArrange = (BYTE)nArrange;
    return TRUE;
}

BOOL Text2dFeature::SetVerticalArrange(int nArrange)
{
    if (nArrange < 0 || nArrange > 2)
        return FALSE;
    m_nVerticalArrange = (BYTE)nArrange;
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
    const double cell = m_dHeight * m_dWidthRatio;
    dWidth = longest > 0 ? longest * cell + (longest - 1) * m_dCharSpacing : 0.0;
    const int lines = GetLineCount();
    dHeight = lines * m_dHeight + (lines - 1) * m_dLineSpacing;
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
    if (!FeatureGeometry::IsPositiveSize(dFactor) || !FeatureGeometry::IsPositiveSize(m_dHeight * dFactor))
        return FALSE;
    m_dHeight *= dFactor;
    m_dCharSpacing *= dFactor;
    m_dLineSpacing *= dFactor;
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
    const double ox = -w * 0.5 * m_nHorizonArrange, oy = -h * 0.5 * (2 - m_nVerticalArrange);
    const double a = m_dAngle * RuVa::DegToRad, c = std::cos(a), s = std::sin(a);
    const RuVaPnt2d lowerLeft(m_point.X() + ox * c - oy * s, m_point.Y() + ox * s + oy * c);
    FeatureGeometry::RectangleOutline(lowerLeft, w, h, m_dAngle, points);
    return TRUE;
}

BOOL Text2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_point) && FeatureGeometry::IsPositiveSize(m_dHeight) && m_dWidthRatio > 0.0 &&
           m_dWidthRatio <= 100.0 && m_dCharSpacing >= 0.0 && m_dCharSpacing < 1e15 && m_dLineSpacing >= 0.0 &&
           m_dLineSpacing < 1e15 && m_dLayoutWidth >= 0.0 && m_dLayoutWidth < 1e15 && m_dLayoutHeight >= 0.0 &&
           m_dLayoutHeight < 1e15 && m_dAngle >= 0.0 && m_dAngle < 360.0 && m_nHorizonArrange <= 2 &&
           m_nVerticalArrange <= 2 && m_bAutoLayout <= 1 && m_bItalic <= 1 && m_bBold <= 1;
}

RuVaBndBox2d Text2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Text2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    if (!FeatureGeometry::IsPositiveSize(dSizeScale) || !FeatureGeometry::IsPositiveSize(m_dHeight * dSizeScale))
        return FALSE;
    const RuVaPnt2d p = t.Transformed(m_point);
    if (!FeatureGeometry::IsFinitePoint(p))
        return FALSE;
    m_point = p;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    ScaleSize(dSizeScale, 1);
    return TRUE;
}

BOOL Text2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Text2dFeature*>(pOther);
    return m_strText == o->m_strText && m_strFontName == o->m_strFontName && m_point == o->m_point &&
           m_dAngle == o->m_dAngle && m_dHeight == o->m_dHeight && m_dWidthRatio == o->m_dWidthRatio &&
           m_dCharSpacing == o->m_dCharSpacing && m_dLineSpacing == o->m_dLineSpacing &&
           m_dLayoutWidth == o->m_dLayoutWidth && m_dLayoutHeight == o->m_dLayoutHeight &&
           m_nHorizonArrange == o->m_nHorizonArrange && m_nVerticalArrange == o->m_nVerticalArrange &&
           m_bAutoLayout == o->m_bAutoLayout && m_bItalic == o->m_bItalic && m_bBold == o->m_bBold;
}

void Text2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Text2dFeature*>(pSource);
    m_strText = s->m_strText;
    m_strFontName = s->m_strFontName;
    m_point = s->m_point;
    m_dAngle = s->m_dAngle;
    m_dHeight = s->m_dHeight;
    m_dWidthRatio = s->m_dWidthRatio;
    m_dCharSpacing = s->m_dCharSpacing;
    m_dLineSpacing = s->m_dLineSpacing;
    m_dLayoutWidth = s->m_dLayoutWidth;
    m_dLayoutHeight = s->m_dLayoutHeight;
    m_nHorizonArrange = s->m_nHorizonArrange;
    m_nVerticalArrange = s->m_nVerticalArrange;
    m_bAutoLayout = s->m_bAutoLayout;
    m_bItalic = s->m_bItalic;
    m_bBold = s->m_bBold;
}

void Text2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strText << m_strFontName << m_point << m_dAngle << m_dHeight << m_dWidthRatio << m_dCharSpacing
           << m_dLineSpacing << m_dLayoutWidth << m_dLayoutHeight << m_nHorizonArrange << m_nVerticalArrange
           << m_bAutoLayout << m_bItalic << m_bBold;
    } else {
        ar >> m_strText >> m_strFontName >> m_point >> m_dAngle >> m_dHeight >> m_dWidthRatio >> m_dCharSpacing >>
            m_dLineSpacing >> m_dLayoutWidth >> m_dLayoutHeight >> m_nHorizonArrange >> m_nVerticalArrange >>
            m_bAutoLayout >> m_bItalic >> m_bBold;
    }
}
