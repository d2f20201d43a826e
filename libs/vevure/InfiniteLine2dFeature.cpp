#include "libs/vevure/InfiniteLine2dFeature.h"

#include <cmath>

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/FeatureGeometry.h"

IMPLEMENT_SERIAL(InfiniteLine2dFeature, Feature2dBase, 1)

InfiniteLine2dFeature::InfiniteLine2dFeature() : Feature2dBase(FeatureTypeInfiniteLine) {}

InfiniteLine2dFeature::InfiniteLine2dFeature(FeatureType nType) : Feature2dBase(nType) {}

InfiniteLine2dFeature::InfiniteLine2dFeature(const RuVaPnt2d& point, const RuVaDir2d& direction)
    : InfiniteLine2dFeature()
{
    SetPoint(point);
    SetDirection(direction);
}

RuVaDir2d InfiniteLine2dFeature::Canonical(double x, double y)
{
    RuVaDir2d d;
    if (!d.Set(x, y))
        return d;
    for (int i = 0; i < 4; ++i) {
        RuVaDir2d again;
        again.Set(d.X(), d.Y());
        if (again == d)
            break;
        d = again;
    }
    return d;
}

void InfiniteLine2dFeature::SetDirection(const RuVaDir2d& direction)
{
    m_direction = Canonical(direction.X(), direction.Y());
}

BOOL InfiniteLine2dFeature::SetPoint(const RuVaPnt2d& point)
{
    if (!FeatureGeometry::IsFinitePoint(point))
        return FALSE;
    m_point = point;
    return TRUE;
}

BOOL InfiniteLine2dFeature::SetDirection(const RuVaPnt2d& through)
{
    if (!FeatureGeometry::IsFinitePoint(through) || m_point.Distance(through) < FeatureGeometry::kPointTolerance)
        return FALSE;
    m_direction = Canonical(through.X() - m_point.X(), through.Y() - m_point.Y());
    return TRUE;
}

BOOL InfiniteLine2dFeature::IsValid() const
{
    const double len = std::hypot(m_direction.X(), m_direction.Y());
    return FeatureGeometry::IsFinitePoint(m_point) && std::fabs(len - 1.0) < 1e-9;
}

RuVaBndBox2d InfiniteLine2dFeature::GetBndBox() const
{
    const double inf = RuVa::Infinite();
    RuVaBndBox2d box;
    box.Update(m_direction.X() == 0.0 ? m_point.X() : -inf, m_direction.Y() == 0.0 ? m_point.Y() : -inf,
               m_direction.X() == 0.0 ? m_point.X() : inf, m_direction.Y() == 0.0 ? m_point.Y() : inf);
    return box;
}

BOOL InfiniteLine2dFeature::TransformGeometry(const RuVaGTrsf2d& t, double)
{
    const RuVaPnt2d p = t.Transformed(m_point);
    const RuVaVec2d v = t.Transformed(m_direction.Vec());
    RuVaDir2d d;
    if (!FeatureGeometry::IsFinitePoint(p) || !d.Set(v.X(), v.Y()))
        return FALSE;
    m_point = p;
    m_direction = Canonical(d.X(), d.Y());
    return TRUE;
}

BOOL InfiniteLine2dFeature::IsEqualGeometry(const Feature2dBase* pOther) const
{
    if (!Feature2dBase::IsEqualGeometry(pOther))
        return FALSE;
    const auto* o = static_cast<const InfiniteLine2dFeature*>(pOther);
    return m_point == o->m_point && m_direction == o->m_direction;
}

void InfiniteLine2dFeature::CopyGeometry(const Feature2dBase* pSource)
{
    if (pSource->GetFeatureType() != GetFeatureType())
        return;
    const auto* s = static_cast<const InfiniteLine2dFeature*>(pSource);
    m_point = s->m_point;
    m_direction = s->m_direction;
}

void InfiniteLine2dFeature::Serialize(CArchive& ar)
{
    Feature2dBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_point << m_direction.X() << m_direction.Y();
    } else {
        double x, y;
        ar >> m_point >> x >> y;
        CheckLoaded(ar, std::isfinite(x) && std::isfinite(y) && std::fabs(std::hypot(x, y) - 1.0) < 1e-9);
        m_direction = Canonical(x, y);
    }
}
