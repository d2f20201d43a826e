#pragma once
// A placement: scale (X, Y) from the base point, turn about it by the angle (degrees), then move the base
// point onto the target; sizes (text heights, arrow and mark sizes) scale by the size scale. Or a mirror in
// the line through two points. A plain value: no heap.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class Feature2dBase;
class PointMarker2dFeature;

class TransformFeature
{
public:
    TransformFeature() = default;
    TransformFeature(const RuVaPnt2d& base, double dScaleX, double dScaleY, double dSizeScale, double dAngleDeg,
                     const RuVaPnt2d& target);
    // A pure move from one point to another.
    TransformFeature(const RuVaPnt2d& from, const RuVaPnt2d& to);
    TransformFeature(const TransformFeature&) = default;
    TransformFeature& operator=(const TransformFeature&) = default;
    ~TransformFeature() = default;

    void SetTransform(const RuVaPnt2d& base, double dScaleX, double dScaleY, double dSizeScale, double dAngleDeg,
                      const RuVaPnt2d& target);
    void SetTransform(const RuVaPnt2d& from, const RuVaPnt2d& to);
    // FALSE, unchanged, when the two points coincide.
    BOOL SetMirror(const RuVaPnt2d& p1, const RuVaPnt2d& p2);

    RuVaPnt2d GetOriginPoint() const { return m_origin; }
    RuVaPnt2d GetLocate() const { return m_locate; }
    void GetScale(double& dScaleX, double& dScaleY) const
    {
        dScaleX = m_dScaleX;
        dScaleY = m_dScaleY;
    }
    double GetSizeScale() const { return m_dSizeScale; }
    double GetAngle() const { return m_dAngle; }
    BOOL IsMirror() const { return m_bMirror; }
    int GetUserDefineHatchTransform() const { return m_nUserDefineHatchTransform; }
    void SetUserDefineHatchTransform(int nFlag) { m_nUserDefineHatchTransform = nFlag; }

    // The affine map of the placement.
    RuVaGTrsf2d GetMatrix() const;
    RuVaPnt2d TransformPoint(const RuVaPnt2d& point) const;

    // In place; FALSE, unchanged, when the shape's kind cannot take the map (a circle under unequal scales:
    // use Transformed, which gives an ellipse).
    BOOL Transform(Feature2dBase* pFeature) const;
    BOOL TransformPointMarkerFeature(PointMarker2dFeature* pMarker) const;
    // A new transformed shape owned by the caller (circles and arcs under unequal scales become ellipses and
    // elliptic arcs); NULL when the shape cannot be transformed (a singular map).
    Feature2dBase* Transformed(const Feature2dBase* pFeature) const;
    static Feature2dBase* Transformed(const Feature2dBase* pFeature, const RuVaPnt2d& base, double dScaleX,
                                      double dScaleY, double dSizeScale, double dAngleDeg, const RuVaPnt2d& target);

private:
    RuVaPnt2d m_origin;
    RuVaPnt2d m_locate;
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    double m_dAngle = 0.0;
    double m_dSizeScale = 1.0;
    int m_nUserDefineHatchTransform = 0;
    BOOL m_bMirror = FALSE;
    RuVaPnt2d m_mirror1;
    RuVaPnt2d m_mirror2;
};
