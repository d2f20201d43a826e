#pragma once
// A B-spline curve (type 9) given by its control points (kind 0) or by points it passes through (kind 1),
// with a degree (1-9; interpolating curves are cubic) and a closed flag.

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class BSplineCurve2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(BSplineCurve2dFeature)
public:
    enum Kind { ControlPoints = 0, InterpolatePoints = 1 };

    BSplineCurve2dFeature();
    // Refused inputs (see SetPoints) leave an invalid curve.
    BSplineCurve2dFeature(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed);

    // Needs at least two points (degree + 1 control points for kind 0), finite; FALSE, unchanged, otherwise.
    BOOL SetPoints(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed);
    const KcArrayOfGePnt2d& GetPointArray() const { return m_points; }
    int GetPointSize() const { return (int)m_points.GetSize(); }
    // Index-guarded (invalid-argument exception).
    const RuVaPnt2d& GetPoint(int nIndex) const;
    BOOL SetPoint(int nIndex, const RuVaPnt2d& point);
    int GetKind() const { return m_nKind; }
    int GetDegree() const { return m_nDegree; }
    BOOL IsClosed() const { return m_bClosed; }
    BOOL SetClosed(BOOL bClosed);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

    static constexpr int kMaxDegree = 9;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    static bool IsAcceptable(const KcArrayOfGePnt2d& points, int nKind, int nDegree, BOOL bClosed);

    KcArrayOfGePnt2d m_points;
    short m_nKind = ControlPoints;
    short m_nDegree = 3;
    BYTE m_bClosed = 0;
};
