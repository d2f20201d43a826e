#include "libs/vevure/Arrow2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Arrow2dFeature, Feature2dBase, 1)

Arrow2dFeature::Arrow2dFeature() : Feature2dBase(FeatureTypeArrow) {}

Arrow2dFeature::Arrow2dFeature(const RuVaPnt2d& tip, double dAngleDeg, int nArrowType, double dSize)
    : Arrow2dFeature()
{
    SetPoint(tip);
    SetAngle(dAngleDeg);
    SetArrowType(nArrowType);
    SetSize(dSize);
}

BOOL Arrow2dFeature::SetPoint(const RuVaPnt2d& tip)
{
    if (!FeatureGeometry::IsFinitePoint(tip))
        return FALSE;
    m_tip = tip;
    return TRUE;
}

BOOL Arrow2dFeature::SetAngle(double dAngleDeg)
{
    if (!std::isfinite(dAngleDeg))
        return FALSE;
    m_dAngle = RuVa::CorrectAngle(dAngleDeg);
    return TRUE;
}

BOOL Arrow2dFeature::SetArrowType(int nType)
{
    if (!IsValidArrowType(nType))
        return FALSE;
    m_nArrowType = nType;
    return TRUE;
}

BOOL Arrow2dFeature::SetSize(double dSize)
{
    if (!(dSize >= 0.0 && dSize < 1e15))
        return FALSE;
    m_dSize = dSize;
    return TRUE;
}

BOOL Arrow2dFeature::GetArrowHorizonVerticalSize(int nArrowType, double dSize, double& dHorizon, double& dVertical)
{
    dHorizon = dVertical = 0.0;
    if (!IsValidArrowType(nArrowType) || !(dSize >= 0.0) || !std::isfinite(dSize))
        return FALSE;
    // Heads of 30 degrees (15 each side), of 90 degrees, dots, ticks and datum triangles of 60 degrees.
    static const double kHorizon[14] = {0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.5, 1.0, 1.0, 1.0, 0.7071067811865476, 0.5, 1.0, 1.0};
    static const double kVertical[14] = {0.0, 0.5358983848622454, 0.5358983848622454, 0.5358983848622454, 1.0, 1.0,
                                         1.0, 2.0, 2.0, 2.0, 0.7071067811865476, 0.5, 1.1547005383792515,
                                         1.1547005383792515};
    dHorizon = kHorizon[nArrowType] * dSize;
    dVertical = kVertical[nArrowType] * dSize;
    return TRUE;
}

BOOL Arrow2dFeature::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    double h, v;
    GetArrowHorizonVerticalSize(m_nArrowType, m_dSize, h, v);
    const double a = m_dAngle * RuVa::DegToRad;
    const RuVaVec2d d(std::cos(a), std::sin(a)), n(-d.Y(), d.X());
    points.RemoveAll();
    points.Add(m_tip);
    points.Add(m_tip - d * h + n * (0.5 * v));
    points.Add(m_tip - d * h - n * (0.5 * v));
    points.Add(m_tip);
    return TRUE;
}

BOOL Arrow2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_tip) && IsValidArrowType(m_nArrowType) && m_dSize >= 0.0 &&
           m_dSize < 1e15 && m_dAngle >= 0.0 && m_dAngle < 360.0;
}

RuVaBndBox2d Arrow2dFeature::GetBndBox() const
{
    KcArrayOfGePnt2d points;
    GetOutlinePoints(points);
    return points.GetBndBox();
}

BOOL Arrow2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale)
{
    const RuVaPnt2d p = t.Transformed(m_tip);
    if (!FeatureGeometry::IsFinitePoint(p) || !(dSizeScale > 0.0) || !(m_dSize * dSizeScale < 1e15))
        return FALSE;
    m_tip = p;
    m_dAngle = FeatureGeometry::TransformAngle(t, m_dAngle);
    m_dSize *= dSizeScale;
    return TRUE;
}

BOOL Arrow2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Arrow2dFeature*>(pOther);
    return m_tip == o->m_tip && m_dAngle == o->m_dAngle && m_dSize == o->m_dSize && m_nArrowType == o->m_nArrowType;
}

void Arrow2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Arrow2dFeature*>(pSource);
    m_tip = s->m_tip;
    m_dAngle = s->m_dAngle;
    m_dSize = s->m_dSize;
    m_nArrowType = s->m_nArrowType;
}

void Arrow2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_tip << m_dAngle << m_dSize << m_nArrowType;
    else
        ar >> m_tip >> m_dAngle >> m_dSize >> m_nArrowType;
}
