#include "libs/vevure/Dimension2dFeatureBase.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

IMPLEMENT_DYNAMIC(Dimension2dFeatureBase, Feature2dBase)

Dimension2dFeatureBase::Dimension2dFeatureBase(FeatureType nType, int nDimPoints)
    : Feature2dBase(nType), m_nDimPoints((BYTE)nDimPoints)
{
}

CString Dimension2dFeatureBase::GetValueText() const
{
    return DimensionText::GetValueText(this);
}

const DimensionLayout& Dimension2dFeatureBase::GetLayout() const
{
    if (!m_layout)
        m_layout = std::make_shared<const DimensionLayout>(*this);
    return *m_layout;
}

std::shared_ptr<const DimensionLayout> Dimension2dFeatureBase::GetLayoutShared() const
{
    GetLayout();
    return m_layout;
}

BOOL Dimension2dFeatureBase::SetValueText(const CString& strText)
{
    m_strValueText = strText;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextManualMode(BOOL bManual)
{
    m_bManualText = bManual ? 1 : 0;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextPosFreeMode(int nMode)
{
    m_bTextPosFree = (BYTE)(nMode == 2 ? 2 : nMode ? 1 : 0);
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_textPoint = point;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetPrecision(int nPrecision)
{
    InvalidateLayout();
    return nPrecision >= 0 && nPrecision <= 8 && m_setting.SetPrecision((short)nPrecision);
}

BOOL Dimension2dFeatureBase::SetTextHeight(double dHeight)
{
    TextSetting font(m_setting.GetDimTextFont());
    InvalidateLayout();
    return FeatureGeometry::IsPositiveSize(dHeight) && font.SetHeight(dHeight) && m_setting.SetDimTextFont(font);
}

BOOL Dimension2dFeatureBase::SetArrowType(int nType)
{
    DimensionSetting changed(m_setting);
    if (!Arrow2dFeature::IsValidArrowType(nType) || !changed.SetArrowType1(nType) || !changed.SetArrowType2(nType))
        return FALSE;
    m_setting = changed;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetArrowSize(double dSize)
{
    DimensionSetting changed(m_setting);
    if (!FeatureGeometry::IsPositiveSize(dSize) || !changed.SetArrowSize1(dSize) || !changed.SetArrowSize2(dSize))
        return FALSE;
    m_setting = changed;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetDimensionSetting(const DimensionSetting& setting)
{
    InvalidateLayout();
    return FeatureSettingRules::Apply(m_setting, setting);
}

const RuVaPnt2d& Dimension2dFeatureBase::GetDimPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nDimPoints)
        AfxThrowInvalidArgException();
    return m_points[nIndex];
}

BOOL Dimension2dFeatureBase::SetDimPoint(int nIndex, const RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= m_nDimPoints || !FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_points[nIndex] = point;
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::IsValid() const
{
    for (int i = 0; i < m_nDimPoints; ++i)
        if (!FeatureGeometry::IsFinitePoint(m_points[i]))
            return FALSE;
    return FeatureGeometry::IsFinitePoint(m_textPoint) && FeatureSettingRules::IsComplete(m_setting) &&
           m_bManualText <= 1 && m_bTextPosFree <= 2;
}

RuVaBndBox2d Dimension2dFeatureBase::GetBndBox() const
{
    // Every drawn part and the measured points.
    RuVaBndBox2d box = GetLayout().GetBndBox();
    for (int i = 0; i < m_nDimPoints; ++i)
        box.Add(m_points[i]);
    return box;
}

BOOL Dimension2dFeatureBase::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    DimensionSetting scaled(m_setting);
    if (!FeatureGeometry::IsPositiveSize(dSizeScale) || FeatureGeometry::IsSingular(t) || !scaled.ScaleSize(dSizeScale))
        return FALSE;
    RuVaPnt2d points[kMaxDimPoints];
    for (int i = 0; i < m_nDimPoints; ++i) {
        points[i] = t.Transformed(m_points[i]);
        if (!FeatureGeometry::IsFinitePoint(points[i]))
            return FALSE;
    }
    const RuVaPnt2d textPoint = t.Transformed(m_textPoint);
    if (!FeatureGeometry::IsFinitePoint(textPoint))
        return FALSE;
    for (int i = 0; i < m_nDimPoints; ++i)
        m_points[i] = points[i];
    m_textPoint = textPoint;
    m_setting = scaled;
    TransformScalars(t, FeatureGeometry::LengthScale(t));
    InvalidateLayout();
    return TRUE;
}

BOOL Dimension2dFeatureBase::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Dimension2dFeatureBase*>(pOther);
    for (int i = 0; i < m_nDimPoints; ++i)
        if (m_points[i] != o->m_points[i])
            return FALSE;
    return m_strValueText == o->m_strValueText && m_textPoint == o->m_textPoint &&
           m_setting.IsEqual(o->m_setting) > 0 && m_bManualText == o->m_bManualText &&
           m_bTextPosFree == o->m_bTextPosFree && IsEqualScalars(o);
}

void Dimension2dFeatureBase::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Dimension2dFeatureBase*>(pSource);
    for (int i = 0; i < kMaxDimPoints; ++i)
        m_points[i] = s->m_points[i];
    m_strValueText = s->m_strValueText;
    m_textPoint = s->m_textPoint;
    m_setting = s->m_setting;
    m_bManualText = s->m_bManualText;
    m_bTextPosFree = s->m_bTextPosFree;
    CopyScalars(s);
    m_layout = s->m_layout;
}

void Dimension2dFeatureBase::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        for (int i = 0; i < m_nDimPoints; ++i)
            ar << m_points[i];
        ar << m_strValueText << m_textPoint << m_bManualText << m_bTextPosFree;
    } else {
        for (int i = 0; i < m_nDimPoints; ++i)
            ar >> m_points[i];
        ar >> m_strValueText >> m_textPoint >> m_bManualText >> m_bTextPosFree;
    }
    m_setting.Serialize(ar);
    SerializeScalars(ar);
    InvalidateLayout();
}
