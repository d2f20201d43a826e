// The swept area that orders the arrangement's faces, for the pieces a search cuts: segments and arcs
// of circles both ways (worked out in closed form), an elliptic arc and a spline piece (by quadrature),
// each against a fine polygon of the same piece.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <GCE2d_MakeSegment.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Ellipse.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt2d.hxx>
#include <gp_Ax22d.hxx>
#include <gp_Elips2d.hxx>

#include "regionsearch/RgnArrangement.h"

namespace {

double PolygonSweep(const Handle(Geom2d_Curve)& c, const gp_Pnt2d& o)
{
    const int n = 20000;
    const double u0 = c->FirstParameter(), u1 = c->LastParameter();
    double sum = 0.0;
    gp_Pnt2d prev = c->Value(u0);
    for (int i = 1; i <= n; ++i) {
        const gp_Pnt2d p = c->Value(u0 + (u1 - u0) * i / n);
        sum += (prev.X() - o.X()) * (p.Y() - o.Y()) - (prev.Y() - o.Y()) * (p.X() - o.X());
        prev = p;
    }
    return sum;
}

TEST(RgnArrangement, SweptAreaOfEveryPieceKindMatchesItsPolygon)
{
    const gp_Pnt2d origin(-3.0, 2.5);
    Handle(Geom2d_Circle) direct = new Geom2d_Circle(gp_Ax22d(gp_Pnt2d(4, -1), gp_Dir2d(1, 0), gp_Dir2d(0, 1)), 2.5);
    Handle(Geom2d_Circle) indirect = new Geom2d_Circle(gp_Ax22d(gp_Pnt2d(4, -1), gp_Dir2d(1, 0), gp_Dir2d(0, -1)), 2.5);
    Handle(Geom2d_Ellipse) ellipse = new Geom2d_Ellipse(gp_Elips2d(gp_Ax22d(gp_Pnt2d(1, 1), gp_Dir2d(1, 1), gp_Dir2d(-1, 1)), 5.0, 2.0));
    TColgp_Array1OfPnt2d poles(1, 4);
    poles(1) = gp_Pnt2d(0, 0);
    poles(2) = gp_Pnt2d(3, 5);
    poles(3) = gp_Pnt2d(6, -4);
    poles(4) = gp_Pnt2d(9, 1);
    TColStd_Array1OfReal knots(1, 2);
    knots(1) = 0.0;
    knots(2) = 1.0;
    TColStd_Array1OfInteger mults(1, 2);
    mults(1) = 4;
    mults(2) = 4;
    Handle(Geom2d_BSplineCurve) spline = new Geom2d_BSplineCurve(poles, knots, mults, 3);
    const struct {
        const char* name;
        Handle(Geom2d_Curve) curve;
    } cases[] = {
        {"segment", Handle(Geom2d_Curve)(GCE2d_MakeSegment(gp_Pnt2d(1, 2), gp_Pnt2d(-4, 7)).Value())},
        {"arc of a counter-clockwise circle", new Geom2d_TrimmedCurve(direct, 0.3, 4.0)},
        {"arc of a counter-clockwise circle across its seam", new Geom2d_TrimmedCurve(direct, 5.5, 7.0)},
        {"arc of a clockwise circle", new Geom2d_TrimmedCurve(indirect, 1.0, 2.9)},
        {"reversed arc", new Geom2d_TrimmedCurve(direct, 0.3, 4.0)},
        {"elliptic arc", new Geom2d_TrimmedCurve(ellipse, 0.5, 3.5)},
        {"spline piece", new Geom2d_TrimmedCurve(spline, 0.2, 0.9)},
    };
    for (const auto& c : cases) {
        Handle(Geom2d_Curve) curve = c.curve;
        if (std::string(c.name) == "reversed arc")
            curve = curve->Reversed();
        const double expected = PolygonSweep(curve, origin);
        EXPECT_NEAR(RgnArrangement::SweptArea(curve, origin), expected, 1e-6 * (1.0 + std::fabs(expected))) << c.name;
    }
}

}  // namespace
