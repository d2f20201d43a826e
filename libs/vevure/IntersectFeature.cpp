#include "libs/vevure/IntersectFeature.h"

#include <algorithm>
#include <memory>

#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"

IntersectFeature::IntersectFeature(const Feature2dBase* pFeature, const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    const Line2dFeature fence(p1, p2);
    if (pFeature == nullptr || !fence.IsValid())
        return;
    std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(pFeature));
    std::unique_ptr<RuVaEntity2d> segment(ConvertFeatureToGeom2d::Convert(&fence));
    if (!curve || !segment)
        return;
    KcInterCurveCurve2d inter(segment.get(), curve.get());
    if (!inter.IsDone())
        return;
    for (int i = 0; i < inter.NbPoints(); ++i) {
        const RuVaPnt2d p = inter.GetPoint(i);
        if (std::none_of(m_points.begin(), m_points.end(),
                         [&](const RuVaPnt2d& q) { return q.Distance(p) < FeatureGeometry::kPointTolerance; }))
            m_points.push_back(p);
    }
    std::sort(m_points.begin(), m_points.end(),
              [&](const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.Distance(p1) < b.Distance(p1); });
}

RuVaPnt2d IntersectFeature::GetIntersectionPoint(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetIntersectionPointsCount())
        AfxThrowInvalidArgException();
    return m_points[(size_t)nIndex];
}
