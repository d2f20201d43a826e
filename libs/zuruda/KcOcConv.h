#pragma once
// Conversion between the geometry values and the curve kernel's 2D points and curves.

#include <Geom2d_Curve.hxx>
#include <gp_Dir2d.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Vec2d.hxx>

#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaEntity2d;
class RuVaCurveEnt2d;

class KcOcConv {
public:
  static gp_Pnt2d KcToOcPnt2d(const RuVaPnt2d& p) { return gp_Pnt2d(p.X(), p.Y()); }
  static RuVaPnt2d OcToKcPnt2d(const gp_Pnt2d& p) { return RuVaPnt2d(p.X(), p.Y()); }
  static gp_Vec2d KcToOcVec2d(const RuVaVec2d& v) { return gp_Vec2d(v.X(), v.Y()); }
  static RuVaVec2d OcToKcVec2d(const gp_Vec2d& v) { return RuVaVec2d(v.X(), v.Y()); }
  static gp_Dir2d KcToOcDir2d(const RuVaDir2d& d) { return gp_Dir2d(d.X(), d.Y()); }
  static RuVaDir2d OcToKcDir2d(const gp_Dir2d& d) { return RuVaDir2d(d.X(), d.Y()); }

  // A kernel curve for a curve entity with the same parametrisation; null for a null entity, an
  // entity that is not a curve or not usable (zero length, zero radius, bad spline data ...).
  // Unbounded lines are bounded at the kernel's infinite value.
  static Handle(Geom2d_Curve) ConvertToOcCurve(const RuVaEntity2d* entity);
  static Handle(Geom2d_Curve) ConvertToOcCurve(const RuVaEntity2d& entity) { return ConvertToOcCurve(&entity); }

  // A new curve entity (owned by the caller) for a kernel curve: lines, half lines and segments,
  // circles and arcs, ellipses and elliptic arcs, B-splines; any other bounded curve is turned into
  // a B-spline. Null for a null curve or one that cannot be represented.
  static RuVaCurveEnt2d* ConvertToKcCurve(const Handle(Geom2d_Curve)& curve);

  // Parameters of an entity and of its converted kernel curve agree, except for ellipses drawn
  // taller than wide, whose kernel axes are turned a quarter turn; these map between the two.
  static double OcToKcParameter(const RuVaEntity2d& entity, double kernelParameter);
  static double KcToOcParameter(const RuVaEntity2d& entity, double parameter);
};
