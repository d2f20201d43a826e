#pragma once
// A growable array of points with the array interface of the drawing code (GetSize, Add,
// GetAt, InsertAt, RemoveAt ...). An index outside the array throws CInvalidArgException, as the
// other arrays do.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"

class RuVaGTrsf2d;

class CArchive;
class KcArrayOfGePnt2d {
public:
  KcArrayOfGePnt2d() = default;
  KcArrayOfGePnt2d(std::initializer_list<RuVaPnt2d> points) : m_points(points) {}

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_points.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_points.empty(); }
  // Negative sizes are refused (FALSE); new points are (0, 0).
  BOOL SetSize(INT_PTR size);
  void RemoveAll() { m_points.clear(); }

  const RuVaPnt2d& GetAt(INT_PTR index) const;
  RuVaPnt2d& ElementAt(INT_PTR index);
  void SetAt(INT_PTR index, const RuVaPnt2d& p) { ElementAt(index) = p; }
  // Grows the array (with (0, 0) points) when the index lies beyond its end.
  void SetAtGrow(INT_PTR index, const RuVaPnt2d& p);
  const RuVaPnt2d& operator[](INT_PTR index) const { return GetAt(index); }
  RuVaPnt2d& operator[](INT_PTR index) { return ElementAt(index); }
  const RuVaPnt2d* GetData() const { return m_points.data(); }
  RuVaPnt2d* GetData() { return m_points.data(); }

  INT_PTR Add(const RuVaPnt2d& p);
  INT_PTR Add(double x, double y) { return Add(RuVaPnt2d(x, y)); }
  // Appends the other array; returns the index of its first point here.
  INT_PTR Append(const KcArrayOfGePnt2d& other);
  void Copy(const KcArrayOfGePnt2d& other) { m_points = other.m_points; }
  // Inserts count copies of p before index (index == size appends).
  void InsertAt(INT_PTR index, const RuVaPnt2d& p, INT_PTR count = 1);
  void RemoveAt(INT_PTR index, INT_PTR count = 1);

  // Drops every point that lies within the tolerance of the point kept before it; the last point
  // is always kept (so a closed chain stays closed). With a non-zero mode, a point that lies within
  // the tolerance of the straight line between its neighbours is dropped too.
  void Compress(double tolerance, int mode = 0);
  void Reverse();
  void Transform(const RuVaGTrsf2d& t);
  RuVaBndBox2d GetBndBox() const;
  // Sum of the distances between consecutive points.
  double GetLength() const;
  // Same count and the points pairwise within the tolerance.
  BOOL IsEqual(const KcArrayOfGePnt2d& other, double tolerance) const;

  // Stores or loads the array (see the archive operators below).
  void Serialize(CArchive& ar);

  bool operator==(const KcArrayOfGePnt2d& o) const { return m_points == o.m_points; }
  bool operator!=(const KcArrayOfGePnt2d& o) const { return !(*this == o); }

  std::vector<RuVaPnt2d>::const_iterator begin() const { return m_points.begin(); }
  std::vector<RuVaPnt2d>::const_iterator end() const { return m_points.end(); }
  std::vector<RuVaPnt2d>::iterator begin() { return m_points.begin(); }
  std::vector<RuVaPnt2d>::iterator end() { return m_points.end(); }
  const std::vector<RuVaPnt2d>& Points() const { return m_points; }

private:
  std::vector<RuVaPnt2d> m_points;
};

// Stored as a count and the points; loading checks the count against the archive before it
// allocates and throws CArchiveException on a short or damaged archive, leaving the array as it was.
CArchive& operator<<(CArchive& ar, const KcArrayOfGePnt2d& v);
CArchive& operator>>(CArchive& ar, KcArrayOfGePnt2d& v);
