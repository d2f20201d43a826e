#include "libs/ruva/KcArrayOfGePnt2d.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaVec2d.h"

BOOL KcArrayOfGePnt2d::SetSize(INT_PTR size)
{
  if (size < 0)
    return FALSE;
  m_points.resize(static_cast<size_t>(size));
  return TRUE;
}

const RuVaPnt2d& KcArrayOfGePnt2d::GetAt(INT_PTR index) const
{
  if (index < 0 || index >= GetSize())
    AfxThrowInvalidArgException();
  return m_points[static_cast<size_t>(index)];
}

RuVaPnt2d& KcArrayOfGePnt2d::ElementAt(INT_PTR index)
{
  if (index < 0 || index >= GetSize())
    AfxThrowInvalidArgException();
  return m_points[static_cast<size_t>(index)];
}

void KcArrayOfGePnt2d::SetAtGrow(INT_PTR index, const RuVaPnt2d& p)
{
  if (index < 0)
    AfxThrowInvalidArgException();
  if (index >= GetSize())
    m_points.resize(static_cast<size_t>(index) + 1);
  m_points[static_cast<size_t>(index)] = p;
}

void KcArrayOfGePnt2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring())
    ar << *this;
  else
    ar >> *this;
}

INT_PTR KcArrayOfGePnt2d::Add(const RuVaPnt2d& p)
{
  m_points.push_back(p);
  return GetSize() - 1;
}

INT_PTR KcArrayOfGePnt2d::Append(const KcArrayOfGePnt2d& other)
{
  const INT_PTR first = GetSize();
  if (&other == this) {
    const std::vector<RuVaPnt2d> copy = other.m_points;
    m_points.insert(m_points.end(), copy.begin(), copy.end());
  } else {
    m_points.insert(m_points.end(), other.m_points.begin(), other.m_points.end());
  }
  return first;
}

void KcArrayOfGePnt2d::InsertAt(INT_PTR index, const RuVaPnt2d& p, INT_PTR count)
{
  if (index < 0 || index > GetSize() || count < 0)
    AfxThrowInvalidArgException();
  m_points.insert(m_points.begin() + index, static_cast<size_t>(count), p);
}

void KcArrayOfGePnt2d::RemoveAt(INT_PTR index, INT_PTR count)
{
  if (index < 0 || count < 0 || index > GetSize() || count > GetSize() - index)
    AfxThrowInvalidArgException();
  m_points.erase(m_points.begin() + index, m_points.begin() + index + count);
}

namespace {

double DistanceToSegment(const RuVaPnt2d& p, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
  const RuVaVec2d ab(a, b);
  const double len2 = ab.SquareMagnitude();
  if (len2 == 0.0)
    return p.Distance(a);
  double t = RuVaVec2d(a, p).Dot(ab) / len2;
  t = std::clamp(t, 0.0, 1.0);
  return p.Distance(RuVaPnt2d(a.X() + t * ab.X(), a.Y() + t * ab.Y()));
}

}  // namespace

void KcArrayOfGePnt2d::Compress(double tolerance, int mode)
{
  const size_t n = m_points.size();
  if (n < 2)
    return;
  tolerance = std::fabs(tolerance);
  // In place: points [0, kept) are the ones kept so far.
  size_t kept = 1;
  for (size_t i = 1; i < n; ++i) {
    const RuVaPnt2d p = m_points[i];
    if (p.IsEqual(m_points[kept - 1], tolerance)) {
      // A repeated last point replaces the one before it, unless that one is the first point.
      if (i + 1 == n && kept > 1)
        m_points[kept - 1] = p;
      continue;
    }
    m_points[kept++] = p;
  }
  if (mode != 0 && kept > 2) {
    size_t straight = 1;
    for (size_t i = 1; i + 1 < kept; ++i) {
      if (DistanceToSegment(m_points[i], m_points[straight - 1], m_points[i + 1]) <= tolerance)
        continue;
      m_points[straight++] = m_points[i];
    }
    m_points[straight++] = m_points[kept - 1];
    kept = straight;
  }
  m_points.resize(kept);
}

void KcArrayOfGePnt2d::Reverse()
{
  std::reverse(m_points.begin(), m_points.end());
}

void KcArrayOfGePnt2d::Transform(const RuVaGTrsf2d& t)
{
  for (RuVaPnt2d& p : m_points)
    p.Transform(t);
}

RuVaBndBox2d KcArrayOfGePnt2d::GetBndBox() const
{
  RuVaBndBox2d box;
  for (const RuVaPnt2d& p : m_points)
    box.Add(p);
  return box;
}

double KcArrayOfGePnt2d::GetLength() const
{
  double len = 0.0;
  for (size_t i = 1; i < m_points.size(); ++i)
    len += m_points[i - 1].Distance(m_points[i]);
  return len;
}

BOOL KcArrayOfGePnt2d::IsEqual(const KcArrayOfGePnt2d& other, double tolerance) const
{
  if (m_points.size() != other.m_points.size())
    return FALSE;
  for (size_t i = 0; i < m_points.size(); ++i)
    if (!m_points[i].IsEqual(other.m_points[i], tolerance))
      return FALSE;
  return TRUE;
}

CArchive& operator<<(CArchive& ar, const KcArrayOfGePnt2d& v)
{
  ar.WriteCount(static_cast<DWORD_PTR>(v.GetSize()));
  for (const RuVaPnt2d& p : v)
    ar << p;
  return ar;
}

CArchive& operator>>(CArchive& ar, KcArrayOfGePnt2d& v)
{
  const DWORD_PTR count = ar.ReadCount();
  ar.EnsureReadable(static_cast<ULONGLONG>(count) * 2 * sizeof(double));
  KcArrayOfGePnt2d loaded;
  loaded.SetSize(static_cast<INT_PTR>(count));
  for (RuVaPnt2d& p : loaded)
    ar >> p;
  v = loaded;
  return ar;
}
