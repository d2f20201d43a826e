#pragma once
// A region (type 8): a closed chain of boundary curves (lines, polylines, arcs, circles, ellipses, elliptic
// arcs, B-splines), each held as the region's own copy. It is compound: it stands for its boundary.

#include <vector>

#include "libs/vevure/Feature2dBase.h"

class RuVaPnt2d;

class Region2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Region2dFeature)
public:
    Region2dFeature();
    Region2dFeature(const Region2dFeature& other);
    Region2dFeature& operator=(const Region2dFeature& other);
    ~Region2dFeature() override;

    // Stores a copy of a valid boundary curve and returns its index; -1 for a shape that cannot bound a region.
    int AddFeature(const Feature2dBase* pFeature);
    int GetFeatureCount() const { return (int)m_boundary.size(); }
    // Index-guarded (invalid-argument exception).
    Feature2dBase* GetFeature(int nIndex);
    const Feature2dBase* GetFeature(int nIndex) const;
    void RemoveAllFeatures();
    // The curves form one closed chain (ends within 1e-7, in either orientation), or one closed curve alone.
    BOOL IsValidConnection() const;

    BOOL IsDisplay() const { return m_bDisplay; }
    void SetDisplay(BOOL bDisplay) { m_bDisplay = bDisplay ? 1 : 0; }

    // Start and end of an open boundary curve; FALSE for a closed curve or a shape that is no curve.
    static BOOL GetCurveEnds(const Feature2dBase* pFeature, RuVaPnt2d& start, RuVaPnt2d& end);
    static BOOL IsClosedCurve(const Feature2dBase* pFeature);
    static BOOL IsBoundaryType(int nFeatureType);

    BOOL IsCompound() const override { return TRUE; }
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    void CopyBoundary(const Region2dFeature& other);

    std::vector<Feature2dBase*> m_boundary;
    BYTE m_bDisplay = 1;
};
