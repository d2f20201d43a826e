#pragma once
// Bevelling the corner between two straight shapes (lines, polyline segments at the pick, rays, infinite
// lines): a line cutting the corner at distances from the crossing point along each shape, towards its pick,
// or with a face of a given length cutting both equally. With TrimBoth lines are cut back (or carried on) to
// the bevel. The engine owns what it gives; its results live until the next call or its end.

#include <memory>

#include "platform/afx/AfxTypes.h"

class Feature2dBase;
class Line2dFeature;
class RuVaPnt2d;

class FeatureChamfering
{
public:
    enum TrimMode { TrimBoth = 0, TrimNone = 1 };

    FeatureChamfering();
    FeatureChamfering(const FeatureChamfering&) = delete;
    FeatureChamfering& operator=(const FeatureChamfering&) = delete;
    virtual ~FeatureChamfering();

    BOOL ChamferFeatureByFace(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                              const RuVaPnt2d& pick2, double dFace, int nTrimMode);
    BOOL ChamferFeatureBy2Edge(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                               const RuVaPnt2d& pick2, double dDistance1, double dDistance2, int nTrimMode);

    const Line2dFeature* GetChamferFeature() const { return m_pChamfer.get(); }
    const Feature2dBase* GetTrimmedFeature1() const { return m_pTrimmed1.get(); }
    const Feature2dBase* GetTrimmedFeature2() const { return m_pTrimmed2.get(); }

    BOOL m_bRemoveFeature1 = FALSE;
    BOOL m_bRemoveFeature2 = FALSE;

private:
    void Clear();
    // The crossing point and the unit directions from it towards the picks.
    BOOL Corner(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                const RuVaPnt2d& pick2, RuVaPnt2d& corner, double& ux1, double& uy1, double& ux2, double& uy2);
    BOOL Make(const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
              const RuVaPnt2d& pick2, const RuVaPnt2d& end1, const RuVaPnt2d& end2, int nTrimMode);

    double m_cornerX = 0.0;
    double m_cornerY = 0.0;
    std::unique_ptr<Line2dFeature> m_pChamfer;
    std::unique_ptr<Feature2dBase> m_pTrimmed1;
    std::unique_ptr<Feature2dBase> m_pTrimmed2;
};
