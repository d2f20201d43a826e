#include "libs/vevure/Dimension2dFeatureBase.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_DYNAMIC(Dimension2dFeatureBase, Feature2dBase)

Dimension2dFeatureBase::Dimension2dFeatureBase(FeatureType nType, int nDimPoints)
    : Feature2dBase(nType), m_nDimPoints((BYTE)nDimPoints)
{
}

CString Dimension2dFeatureBase::GetValueText() const
{
    if (m_bManualText)
        return m_strValueText;
    CString format, text;
    format.Format(u"%%.%df", (int)m_nPrecision);
    text.Format(format.GetString(), GetMeasuredValue());
    return text;
}

BOOL Dimension2dFeatureBase::SetValueText(const CString& strText)
{
    m_strValueText = strText;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextManualMode(BOOL bManual)
{
    m_bManualText = bManual ? 1 : 0;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextPosFreeMode(BOOL bFree)
{
    m_bTextPosFree = bFree ? 1 : 0;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetValueTextPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_textPoint = point;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetPrecision(int nPrecision)
{
    if (nPrecision < 0 || nPrecision > 8)
        return FALSE;
    m_nPrecision = (BYTE)nPrecision;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetTextHeight(double dHeight)
{
    if (!FeatureGeometry::IsPositiveSize(dHeight))
        return FALSE;
    m_dTextHeight = dHeight;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetArrowType(int nType)
{
    if (!Arrow2dFeature::IsValidArrowType(nType))
        return FALSE;
    m_nArrowType = (short)nType;
    return TRUE;
}

BOOL Dimension2dFeatureBase::SetArrowSize(double dSize)
{
    if (!(dSize >= 0.0 && dSize < 1e15))
        return FALSE;
    m_dArrowSize = dSize;
    return TRUE;
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
    return TRUE;
}

BOOL Dimension2dFeatureBase::IsValid() const
{
    for (int i = 0; i < m_nDimPoints; ++i)
        if (!FeatureGeometry::IsFinitePoint(m_points[i]))
            return FALSE;
    return FeatureGeometry::IsFinitePoint(m_textPoint) && FeatureGeometry::IsPositiveSize(m_dTextHeight) &&
           m_dArrowSize >= 0.0 && m_dArrowSize < 1e15 && Arrow2dFeature::IsValidArrowType(m_nArrowType) &&
           m_nPrecision <= 8 && m_bManualText <= 1 && m_bTextPosFree <= 1;
}

RuVaBndBox2d Dimension2dFeatureBase::GetBndBox() const
{
    RuVaBndBox2d box;
    for (int i = 0; i < m_nDimPoints; ++i)
        box.Add(m_points[i]);
    if (m_bTextPosFree)
        box.Update(m_textPoint.X() - m_dTextHeight, m_textPoint.Y() - m_dTextHeight, m_textPoint.X() + m_dTextHeight,
                   m_textPoint.Y() + m_dTextHeight);
    return box;
}

BOOL Dimension2dFeatureBase::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    if (!(dSizeScale > 0.0) || !FeatureGeometry::IsPositiveSize(m_dTextHeight * dSizeScale) ||
        FeatureGeometry::IsSingular(t))
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
    m_dTextHeight *= dSizeScale;
    m_dArrowSize *= dSizeScale;
    TransformScalars(t, FeatureGeometry::LengthScale(t));
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
    return m_strValueText == o->m_strValueText && m_textPoint == o->m_textPoint && m_dTextHeight == o->m_dTextHeight &&
           m_dArrowSize == o->m_dArrowSize && m_bManualText == o->m_bManualText &&
           m_bTextPosFree == o->m_bTextPosFree && m_nPrecision == o->m_nPrecision && m_nArrowType == o->m_nArrowType &&
           IsEqualScalars(o);
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
    m_dTextHeight = s->m_dTextHeight;
    m_dArrowSize = s->m_dArrowSize;
    m_bManualText = s->m_bManualText;
    m_bTextPosFree = s->m_bTextPosFree;
    m_nPrecision = s->m_nPrecision;
    m_nArrowType = s->m_nArrowType;
    CopyScalars(s);
}

void Dimension2dFeatureBase::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        for (int i = 0; i < m_nDimPoints; ++i)
            ar << m_points[i];
        ar << m_strValueText << m_textPoint << m_dTextHeight << m_dArrowSize << m_bManualText << m_bTextPosFree
           << m_nPrecision << m_nArrowType;
    } else {
        for (int i = 0; i < m_nDimPoints; ++i)
            ar >> m_points[i];
        ar >> m_strValueText >> m_textPoint >> m_dTextHeight >> m_dArrowSize >> m_bManualText >> m_bTextPosFree >>
            m_nPrecision >> m_nArrowType;
    }
    SerializeScalars(ar);
}
