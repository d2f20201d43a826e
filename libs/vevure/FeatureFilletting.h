#pragma once
// Rounding the corner between two shapes (lines, polyline segments at the pick, rays, arcs, circles) with an
// arc of a radius. The picks choose the corner: of the possible fillets, the one whose touching points lie
// nearest the two picks. With TrimBoth each line or arc is cut back (or carried on) to its touching point,
// keeping the part on its pick's side; circles stay whole. The engine owns what it gives; its results live
// until the next call or its end.

#include <memory>

#include "platform/afx/AfxTypes.h"

class Arc2dFeature;
class Feature2dBase;
class RuVaPnt2d;

class FeatureFilletting
{
public:
    enum TrimMode { TrimBoth = 0, TrimNone = 1 };

    FeatureFilletting();
    FeatureFilletting(const FeatureFilletting&) = delete;
    FeatureFilletting& operator=(const FeatureFilletting&) = delete;
    virtual ~FeatureFilletting();

    // Non-zero on success. A radius of 0 makes no arc and meets the shapes at their crossing.
    BOOL FilletFeature(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                       const RuVaPnt2d& pick2, double dRadius, int nTrimMode);

    const Arc2dFeature* GetFilletFeature() const { return m_pFillet.get(); }
    const Feature2dBase* GetTrimmedFeature1() const { return m_pTrimmed1.get(); }
    const Feature2dBase* GetTrimmedFeature2() const { return m_pTrimmed2.get(); }

    // Set when the shape is to be removed because trimming left nothing of it.
    BOOL m_bRemoveFeature1 = FALSE;
    BOOL m_bRemoveFeature2 = FALSE;

private:
    void Clear();

    std::unique_ptr<Arc2dFeature> m_pFillet;
    std::unique_ptr<Feature2dBase> m_pTrimmed1;
    std::unique_ptr<Feature2dBase> m_pTrimmed2;
};
