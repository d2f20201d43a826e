#pragma once
// An unbounded line: a location and a unit direction; parameter u gives location + u * direction.

#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaDir2d.h"

class RuVaLine2d : public RuVaCurveEnt2d {
public:
  // The x axis.
  RuVaLine2d() = default;
  RuVaLine2d(const RuVaPnt2d& location, const RuVaDir2d& direction) : m_location(location), m_direction(direction) {}

  // FALSE, and the line unchanged, when the vector is too short to give a direction.
  BOOL Set(const RuVaPnt2d& location, const RuVaVec2d& direction);
  // Through two points; FALSE, and unchanged, when they coincide.
  BOOL Set(const RuVaPnt2d& from, const RuVaPnt2d& to);
  void Set(const RuVaPnt2d& location, const RuVaDir2d& direction)
  {
    m_location = location;
    m_direction = direction;
  }

  const RuVaPnt2d& Location() const { return m_location; }
  const RuVaDir2d& Direction() const { return m_direction; }
  void SetLocation(const RuVaPnt2d& p) { m_location = p; }
  void SetDirection(const RuVaDir2d& d) { m_direction = d; }

  // Parameter of the foot of the perpendicular from p.
  double Parameter(const RuVaPnt2d& p) const;
  RuVaPnt2d Project(const RuVaPnt2d& p) const;
  double Distance(const RuVaPnt2d& p) const;
  // Positive when p lies to the left of the direction.
  double SignedDistance(const RuVaPnt2d& p) const;
  RuVaPnt2d Value(double u) const
  {
    return RuVaPnt2d(m_location.X() + u * m_direction.X(), m_location.Y() + u * m_direction.Y());
  }

  int GetEntityType() const override { return kLine; }
  RuVaLine2d* Clone() const override { return new RuVaLine2d(*this); }
  BOOL IsDone() const override { return m_location.IsFinite(); }
  // The same point set, whichever way the directions run.
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return -RuVa::Infinite(); }
  double LastParameter() const override { return RuVa::Infinite(); }
  BOOL IsClosed(double = RuVaTol::kDefaultLinear) const override { return FALSE; }
  BOOL D0(double u, RuVaPnt2d& p) const override;
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override;

protected:
  RuVaPnt2d m_location;
  RuVaDir2d m_direction;
};
