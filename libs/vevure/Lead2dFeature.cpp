#include "libs/vevure/Lead2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

IMPLEMENT_SERIAL(Lead2dFeature, Feature2dBase, 1)

Lead2dFeature::Lead2dFeature() : Feature2dBase(FeatureTypeLead)
{
    m_points.Add(RuVaPnt2d(0.0, 0.0));
    m_points.Add(RuVaPnt2d(10.0, 10.0));
    m_textPoint = RuVaPnt2d(10.0, 10.0);
}

BOOL Lead2dFeature::SetText(const CString& strText)
{
    m_strText = strText;
    return TRUE;
}

BOOL Lead2dFeature::SetPointArray(const KcArrayOfGePnt2d& points)
{
    if (points.GetSize() < 2 || !FeatureGeometry::IsFinitePoints(points))
        return FALSE;
    m_points = points;
    return TRUE;
}

const RuVaPnt2d& Lead2dFeature::GetPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPointSize())
        AfxThrowInvalidArgException();
    return m_points[nIndex];
}

BOOL Lead2dFeature::SetPoint(int nIndex, const RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= GetPointSize() || !FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_points[nIndex] = point;
    return TRUE;
}

BOOL Lead2dFeature::SetTextPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_textPoint = point;
    return TRUE;
}

BOOL Lead2dFeature::SetTextHeight(double dHeight)
{
    TextSetting font(m_setting.GetTextFont());
    return FeatureGeometry::IsPositiveSize(dHeight) && font.SetHeight(dHeight) && m_setting.SetTextFont(font);
}

BOOL Lead2dFeature::SetArrowType(int nType)
{
    return Arrow2dFeature::IsValidArrowType(nType) && m_setting.SetType(nType);
}

BOOL Lead2dFeature::SetArrowSize(double dSize)
{
    return FeatureGeometry::IsPositiveSize(dSize) && m_setting.SetSize(dSize);
}

BOOL Lead2dFeature::SetLeadSetting(const LeadSetting& setting)
{
    return FeatureSettingRules::Apply(m_setting, setting);
}

BOOL Lead2dFeature::IsValid() const
{
    return m_points.GetSize() >= 2 && FeatureGeometry::IsFinitePoints(m_points) &&
           FeatureGeometry::IsFinitePoint(m_textPoint) && FeatureSettingRules::IsComplete(m_setting) &&
           m_bTextPointFree <= 1;
}

RuVaBndBox2d Lead2dFeature::GetBndBox() const
{
    RuVaBndBox2d box = m_points.GetBndBox();
    // The text block is not measured here; a square of the text height round the text point stands for it.
    const RuVaPnt2d& at = m_bTextPointFree ? m_textPoint : m_points[m_points.GetSize() - 1];
    const double h = GetTextHeight();
    box.Update(at.X() - h, at.Y() - h, at.X() + h, at.Y() + h);
    return box;
}

BOOL Lead2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    LeadSetting scaled(m_setting);
    if (!FeatureGeometry::IsPositiveSize(dSizeScale) || !scaled.ScaleSize(dSizeScale))
        return FALSE;
    KcArrayOfGePnt2d moved(m_points);
    moved.Transform(t);
    const RuVaPnt2d textPoint = t.Transformed(m_textPoint);
    if (!FeatureGeometry::IsFinitePoints(moved) || !FeatureGeometry::IsFinitePoint(textPoint))
        return FALSE;
    m_points = moved;
    m_textPoint = textPoint;
    m_setting = scaled;
    return TRUE;
}

BOOL Lead2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Lead2dFeature*>(pOther);
    return m_strText == o->m_strText && m_points == o->m_points && m_textPoint == o->m_textPoint &&
           m_setting.IsEqual(o->m_setting) > 0 && m_bTextPointFree == o->m_bTextPointFree;
}

void Lead2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Lead2dFeature*>(pSource);
    m_strText = s->m_strText;
    m_points = s->m_points;
    m_textPoint = s->m_textPoint;
    m_setting = s->m_setting;
    m_bTextPointFree = s->m_bTextPointFree;
}

void Lead2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strText << m_points << m_textPoint << m_bTextPointFree;
    else
        ar >> m_strText >> m_points >> m_textPoint >> m_bTextPointFree;
    m_setting.Serialize(ar);
}
