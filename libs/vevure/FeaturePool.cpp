#include "libs/vevure/FeaturePool.h"

#include <algorithm>
#include <cmath>

#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dBase.h"

FeaturePool::~FeaturePool() = default;

Feature2dBase* FeaturePool::GetFeaturePool(const Feature2dBase* pFeature, double dScaleX, double dScaleY)
{
    if (pFeature == nullptr)
        return nullptr;
    const bool unequal = std::fabs(std::fabs(dScaleX) - std::fabs(dScaleY)) > 1e-10 * std::max(1.0, std::fabs(dScaleX));
    std::unique_ptr<Feature2dBase> copy;
    if (unequal && pFeature->GetFeatureType() == FeatureTypeCircle)
        copy = std::make_unique<Ellipse2dFeature>();
    else if (unequal && pFeature->GetFeatureType() == FeatureTypeArc)
        copy = std::make_unique<EllipseArc2dFeature>();
    if (copy)
        copy->Copy(pFeature, Feature2dBase::copyAll);
    else
        copy.reset(pFeature->CopyObject(Feature2dBase::copyAll));
    m_copies.push_back(std::move(copy));
    return m_copies.back().get();
}
