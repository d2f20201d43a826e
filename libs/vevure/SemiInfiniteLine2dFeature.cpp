#include "libs/vevure/SemiInfiniteLine2dFeature.h"

IMPLEMENT_SERIAL(SemiInfiniteLine2dFeature, InfiniteLine2dFeature, 1)

SemiInfiniteLine2dFeature::SemiInfiniteLine2dFeature() : InfiniteLine2dFeature(FeatureTypeSemiInfiniteLine) {}

SemiInfiniteLine2dFeature::SemiInfiniteLine2dFeature(const RuVaPnt2d& point, const RuVaDir2d& direction)
    : SemiInfiniteLine2dFeature()
{
    SetPoint(point);
    SetDirection(direction);
}

RuVaBndBox2d SemiInfiniteLine2dFeature::GetBndBox() const
{
    const double inf = RuVa::Infinite();
    const double dx = m_direction.X(), dy = m_direction.Y();
    RuVaBndBox2d box;
    box.Update(dx < 0.0 ? -inf : m_point.X(), dy < 0.0 ? -inf : m_point.Y(), dx > 0.0 ? inf : m_point.X(),
               dy > 0.0 ? inf : m_point.Y());
    return box;
}
