#pragma once
// An axis-aligned bounding box that may be empty (void), with a gap that widens it on every
// side so that boxes touching within the gap count as overlapping.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaGTrsf2d;

class CArchive;
class RuVaBndBox2d {
public:
  RuVaBndBox2d() = default;
  // The box of two points (any two opposite corners).
  RuVaBndBox2d(const RuVaPnt2d& a, const RuVaPnt2d& b);

  void SetVoid();
  BOOL IsVoid() const { return m_void; }
  // The box becomes the single point; the gap stays.
  void Set(const RuVaPnt2d& p);
  // Widens the box to take in the point or the corners; values that are not finite are ignored.
  void Update(double x, double y);
  void Update(double xmin, double ymin, double xmax, double ymax);
  void Add(const RuVaPnt2d& p) { Update(p.X(), p.Y()); }
  // Takes in another box together with its gap.
  void Add(const RuVaBndBox2d& other);

  double GetGap() const { return m_gap; }
  void SetGap(double gap) { m_gap = gap < 0.0 ? -gap : gap; }
  // The gap grows to at least the given value (never shrinks).
  void Enlarge(double tolerance);

  // Corners widened by the gap; FALSE (and nothing written) for a void box.
  BOOL Get(double& xmin, double& ymin, double& xmax, double& ymax) const;
  double XMin() const { return m_xmin - m_gap; }
  double YMin() const { return m_ymin - m_gap; }
  double XMax() const { return m_xmax + m_gap; }
  double YMax() const { return m_ymax + m_gap; }
  RuVaPnt2d MinPoint() const { return RuVaPnt2d(XMin(), YMin()); }
  RuVaPnt2d MaxPoint() const { return RuVaPnt2d(XMax(), YMax()); }
  RuVaPnt2d Center() const;
  double Width() const { return m_void ? 0.0 : XMax() - XMin(); }
  double Height() const { return m_void ? 0.0 : YMax() - YMin(); }

  // A void box is out of everything and everything is out of it.
  BOOL IsOut(const RuVaPnt2d& p) const;
  BOOL IsOut(const RuVaBndBox2d& other) const;
  // The whole other box lies inside this one (gaps included).
  BOOL Contains(const RuVaBndBox2d& other) const;

  // The box of the four transformed corners (gap widened with the transform's largest stretch).
  RuVaBndBox2d Transformed(const RuVaGTrsf2d& t) const;

  bool operator==(const RuVaBndBox2d& o) const;
  bool operator!=(const RuVaBndBox2d& o) const { return !(*this == o); }

private:
  friend CArchive& operator<<(CArchive& ar, const RuVaBndBox2d& v);
  friend CArchive& operator>>(CArchive& ar, RuVaBndBox2d& v);

  double m_xmin = 0.0;
  double m_ymin = 0.0;
  double m_xmax = 0.0;
  double m_ymax = 0.0;
  double m_gap = 0.0;
  bool m_void = true;
};

// Stored with its emptiness and gap; loading throws CArchiveException on a short or damaged archive.
CArchive& operator<<(CArchive& ar, const RuVaBndBox2d& v);
CArchive& operator>>(CArchive& ar, RuVaBndBox2d& v);
