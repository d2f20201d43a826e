#include "libs/vevure/Balloon2dFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeatureSettingRules.h"

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
    return (nType == 0 || nType == 1) && m_setting.SetType(nType);
}

BOOL Balloon2dFeature::SetBalloonSize(double dSize)
{
    return FeatureGeometry::IsPositiveSize(dSize) && m_setting.SetSize(dSize);
}

BOOL Balloon2dFeature::SetTextHeight(double dHeight)
{
    TextSetting font(m_setting.GetTextFont());
    return FeatureGeometry::IsPositiveSize(dHeight) && font.SetHeight(dHeight) && m_setting.SetTextFont(font);
}

BOOL Balloon2dFeature::SetArrowType(int nType)
{
    return Arrow2dFeature::IsValidArrowType(nType) && m_setting.SetLeadArrowType(nType);
}

BOOL Balloon2dFeature::SetArrowSize(double dSize)
{
    return FeatureGeometry::IsPositiveSize(dSize) && m_setting.SetLeadArrowSize(dSize);
}

BOOL Balloon2dFeature::SetBalloonSetting(const BalloonSetting& setting)
{
    return FeatureSettingRules::Apply(m_setting, setting);
}

BOOL Balloon2dFeature::IsValid() const
{
    return m_leadPoints.GetSize() >= 1 && FeatureGeometry::IsFinitePoints(m_leadPoints) &&
           FeatureGeometry::IsFinitePoint(m_centre) && FeatureSettingRules::IsComplete(m_setting);
}

RuVaBndBox2d Balloon2dFeature::GetBndBox() const
{
    RuVaBndBox2d box = m_leadPoints.GetBndBox();
    const double h = 0.5 * GetBalloonSize();
    box.Update(m_centre.X() - h, m_centre.Y() - h, m_centre.X() + h, m_centre.Y() + h);
    return box;
}

BOOL Balloon2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    BalloonSetting scaled(m_setting);
    if (!FeatureGeometry::IsPositiveSize(dSizeScale) || !scaled.ScaleSize(dSizeScale))
        return FALSE;
    KcArrayOfGePnt2d moved(m_leadPoints);
    moved.Transform(t);
    const RuVaPnt2d centre = t.Transformed(m_centre);
    if (!FeatureGeometry::IsFinitePoints(moved) || !FeatureGeometry::IsFinitePoint(centre))
        return FALSE;
    m_leadPoints = moved;
    m_centre = centre;
    m_setting = scaled;
    return TRUE;
}

BOOL Balloon2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Balloon2dFeature*>(pOther);
    return m_strText == o->m_strText && m_leadPoints == o->m_leadPoints && m_centre == o->m_centre &&
           m_setting.IsEqual(o->m_setting) > 0;
}

void Balloon2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Balloon2dFeature*>(pSource);
    m_strText = s->m_strText;
    m_leadPoints = s->m_leadPoints;
    m_centre = s->m_centre;
    m_setting = s->m_setting;
}

void Balloon2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strText << m_leadPoints << m_centre;
    else
        ar >> m_strText >> m_leadPoints >> m_centre;
    m_setting.Serialize(ar);
}
