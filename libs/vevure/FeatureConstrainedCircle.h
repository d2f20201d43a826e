#pragma once
// Circles and arcs from conditions: through points, with a radius or a centre, tangent to shapes (lines,
// polylines, circles, arcs, ellipses, elliptic arcs, B-splines, construction lines). One object serves one
// computation: call one Find overload, then read the solutions, which stay owned by the object.
//
// Lines and rays are taken as the whole line they lie on, arcs as their whole circle and elliptic arcs as
// their whole ellipse, so that a circle may touch a shape's extension; a polyline is touched by one of its
// segments within the segment, a B-spline within its own span. A NULL shape (a conversion that failed) has
// no curve: nothing is found.
//
// Arc solutions: each circle found gives the arcs that join two of its contact points (the tangent points
// and the given points) and pass through all the others, all running counter-clockwise; so two arcs for
// two contacts (the short and the long way) and three for three.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class Feature2dBase;
class RuVaCurveEnt2d;

class FeatureConstrainedCircle
{
public:
    FeatureConstrainedCircle();
    FeatureConstrainedCircle(const FeatureConstrainedCircle&) = delete;
    FeatureConstrainedCircle& operator=(const FeatureConstrainedCircle&) = delete;
    virtual ~FeatureConstrainedCircle();

    // Each call forgets the solutions of the one before. Non-zero when the conditions were usable (even if
    // no circle fits them); zero for unusable conditions (a NULL shape, a radius of 0 or less, coincident
    // points ...).
    BOOL FindConstrainedCircle(const RuVaPnt2d& point1, const RuVaPnt2d& point2, double dRadius);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2, const RuVaPnt2d& point);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2, double dRadius);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape1, const Feature2dBase* pShape2,
                               const Feature2dBase* pShape3);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& centre);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& point1, const RuVaPnt2d& point2);
    BOOL FindConstrainedCircle(const Feature2dBase* pShape, const RuVaPnt2d& point, double dRadius);

    BOOL FindConstrainedArc(const RuVaPnt2d& point1, const RuVaPnt2d& point2, double dRadius);
    BOOL FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2, const RuVaPnt2d& point);
    BOOL FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2, double dRadius);
    BOOL FindConstrainedArc(const Feature2dBase* pShape1, const Feature2dBase* pShape2, const Feature2dBase* pShape3);
    BOOL FindConstrainedArc(const Feature2dBase* pShape, const RuVaPnt2d& point1, const RuVaPnt2d& point2);
    BOOL FindConstrainedArc(const Feature2dBase* pShape, const RuVaPnt2d& point, double dRadius);

    int GetConstrainedCount() const { return static_cast<int>(m_solutions.size()); }
    // A RuVaCircle2d or RuVaArc2d owned by this object; NULL for an index out of range.
    const RuVaCurveEnt2d* GetConstrainedCurve(int nIndex) const;
    // The index of the solution nearest to the point (distance to the curve), or -1 when there is none or
    // the point is not finite.
    int GetNearestConstrained(const RuVaPnt2d& point) const;

    // The most combinations of polyline segments tried in one computation; beyond it the first ones only.
    static constexpr int kMaxCombinations = 4096;

    struct Tangent;  // a shape as the solver sees it

private:
    struct Circle {
        RuVaPnt2d centre;
        double radius = 0.0;
        std::vector<RuVaPnt2d> contacts;
    };

    void Reset();
    // The circles for the conditions; FALSE for unusable ones.
    BOOL Solve(const std::vector<const Feature2dBase*>& shapes, const std::vector<RuVaPnt2d>& points,
               const double* pRadius, const RuVaPnt2d* pCentre, std::vector<Circle>& circles) const;
    void KeepCircles(const std::vector<Circle>& circles);
    void KeepArcs(const std::vector<Circle>& circles);

    std::vector<std::unique_ptr<RuVaCurveEnt2d>> m_solutions;
};
