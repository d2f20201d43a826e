#pragma once
// A line segment from a start point to an end point; parameter u runs from 0 to the length.

#include "libs/ruva/RuVaLine2d.h"

class RuVaLineSeg2d : public RuVaCurveEnt2d {
public:
  RuVaLineSeg2d() = default;
  RuVaLineSeg2d(const RuVaPnt2d& start, const RuVaPnt2d& end) : m_start(start), m_end(end) {}

  void SetPoints(const RuVaPnt2d& start, const RuVaPnt2d& end)
  {
    m_start = start;
    m_end = end;
  }
  void SetStartPoint(const RuVaPnt2d& p) { m_start = p; }
  void SetEndPoint(const RuVaPnt2d& p) { m_end = p; }
  const RuVaPnt2d& StartPoint() const { return m_start; }
  const RuVaPnt2d& EndPoint() const { return m_end; }
  RuVaPnt2d MiddlePoint() const { return m_start.CenterPoint(m_end); }
  double Length() const { return m_start.Distance(m_end); }
  // FALSE for a segment of zero length.
  BOOL GetDirection(RuVaDir2d& d) const;
  // The carrying line; FALSE for a segment of zero length.
  BOOL GetLine(RuVaLine2d& line) const { return line.Set(m_start, m_end); }

  int GetEntityType() const override { return kLineSeg; }
  BOOL IsTrimmedCurveEntType() const override { return TRUE; }
  RuVaLineSeg2d* Clone() const override { return new RuVaLineSeg2d(*this); }
  // A segment needs two distinct finite points.
  BOOL IsDone() const override;
  // The same two end points, in either order.
  BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const override;
  BOOL Transform(const RuVaGTrsf2d& t) override;
  RuVaBndBox2d GetBndBox() const override;
  void Serialize(CArchive& ar) override;

  double FirstParameter() const override { return 0.0; }
  double LastParameter() const override { return Length(); }
  BOOL D0(double u, RuVaPnt2d& p) const override;
  BOOL D1(double u, RuVaPnt2d& p, RuVaVec2d& d1) const override;
  RuVaCurveEnt2d* CreateBasisCurve() const override;

private:
  RuVaPnt2d m_start;
  RuVaPnt2d m_end;
};
