#include "libs/vevure/Line2dFeature.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(Line2dFeature, Feature2dBase, 1)

Line2dFeature::Line2dFeature() : Feature2dBase(FeatureTypeLine) {}

Line2dFeature::Line2dFeature(const RuVaPnt2d& start, const RuVaPnt2d& end) : Line2dFeature()
{
    SetPoint(start, end);
}

BOOL Line2dFeature::SetPoint(const RuVaPnt2d& start, const RuVaPnt2d& end)
{
    if (!FeatureGeometry::IsFinitePoint(start) || !FeatureGeometry::IsFinitePoint(end) ||
        start.Distance(end) < FeatureGeometry::kPointTolerance)
        return FALSE;
    m_start = start;
    m_end = end;
    return TRUE;
}

RuVaDir2d Line2dFeature::GetDirection() const
{
    return RuVaDir2d(m_start, m_end);
}

double Line2dFeature::GetLength() const
{
    return m_start.Distance(m_end);
}

BOOL Line2dFeature::IsValid() const
{
    return FeatureGeometry::IsFinitePoint(m_start) && FeatureGeometry::IsFinitePoint(m_end) &&
           m_start.Distance(m_end) >= FeatureGeometry::kPointTolerance;
}

RuVaBndBox2d Line2dFeature::GetBndBox() const
{
    return RuVaBndBox2d(m_start, m_end);
}

BOOL Line2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    return SetPoint(t.Transformed(m_start), t.Transformed(m_end));
}

BOOL Line2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const Line2dFeature*>(pOther);
    return m_start == o->m_start && m_end == o->m_end;
}

void Line2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const Line2dFeature*>(pSource);
    m_start = s->m_start;
    m_end = s->m_end;
}

void Line2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring())
        ar << m_start << m_end;
    else
        ar >> m_start >> m_end;
}
