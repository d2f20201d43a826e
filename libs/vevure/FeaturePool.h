#pragma once
// Working copies of shapes for a placement with scales X and Y: a copy of the shape itself, or, when the two
// scales differ, of a shape that can take them (circles become ellipses, arcs elliptic arcs). The pool owns
// the copies and frees them when it ends.

#include <memory>
#include <vector>

class Feature2dBase;

class FeaturePool
{
public:
    FeaturePool() = default;
    FeaturePool(const FeaturePool&) = delete;
    FeaturePool& operator=(const FeaturePool&) = delete;
    ~FeaturePool();

    // NULL for NULL.
    Feature2dBase* GetFeaturePool(const Feature2dBase* pFeature, double dScaleX, double dScaleY);
    int GetCount() const { return (int)m_copies.size(); }

private:
    std::vector<std::unique_ptr<Feature2dBase>> m_copies;
};
