#pragma once
// A chain of straight segments (type 3), at least two vertices. It counts as closed when it has more than 3
// vertices and the last repeats the first (within 1e-7).

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class Polyline2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(Polyline2dFeature)
public:
    Polyline2dFeature();
    // With bClose the first vertex is repeated at the end unless it is there already. A list that
    // SetPointArray refuses leaves the polyline empty (not valid).
    Polyline2dFeature(const KcArrayOfGePnt2d& points, BOOL bClose = FALSE);

    // Refuses (0, unchanged) fewer than two vertices, non-finite ones, or vertices that all coincide.
    BOOL SetPointArray(const KcArrayOfGePnt2d& points);
    void GetPointArray(KcArrayOfGePnt2d& points) const { points = m_points; }
    const KcArrayOfGePnt2d& GetPointArray() const { return m_points; }
    int GetPointSize() const { return (int)m_points.GetSize(); }
    // Index-guarded (invalid-argument exception).
    const RuVaPnt2d& GetPoint(int nIndex) const;
    const RuVaPnt2d& operator[](int nIndex) const { return GetPoint(nIndex); }
    // FALSE for an index outside the vertices or a point that is not finite.
    BOOL SetPoint(int nIndex, const RuVaPnt2d& point);
    BOOL IsClosed() const;

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    KcArrayOfGePnt2d m_points;
};
