#include "libs/ruva/RuVaHalfLine2d.h"

#include "platform/afx/CArchive.h"
RuVaBndBox2d RuVaHalfLine2d::GetBndBox() const
{
  RuVaBndBox2d box;
  if (!IsDone())
    return box;
  const RuVaPnt2d& s = Location();
  const RuVaDir2d& d = Direction();
  box.Add(s);
  box.Update(d.X() == 0.0 ? s.X() : (d.X() > 0.0 ? RuVa::Infinite() : -RuVa::Infinite()),
             d.Y() == 0.0 ? s.Y() : (d.Y() > 0.0 ? RuVa::Infinite() : -RuVa::Infinite()));
  return box;
}

BOOL RuVaHalfLine2d::IsEqual(const RuVaEntity2d& other, const RuVaTol& tol) const
{
  if (other.GetEntityType() != kHalfLine)
    return FALSE;
  const RuVaHalfLine2d& o = static_cast<const RuVaHalfLine2d&>(other);
  return Location().IsEqual(o.Location(), tol.Linear()) && Direction().IsEqual(o.Direction(), tol.Angular());
}

void RuVaHalfLine2d::Serialize(CArchive& ar)
{
  m_line.Serialize(ar);
}
