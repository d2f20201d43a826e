#include "libs/ruva/RuVaEntity2d.h"

#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"

RuVaEntity2d* RuVaEntity2d::CreateByType(int entityType)
{
  switch (entityType) {
  case kLine: return new RuVaLine2d;
  case kHalfLine: return new RuVaHalfLine2d;
  case kLineSeg: return new RuVaLineSeg2d;
  case kCircle: return new RuVaCircle2d;
  case kArc: return new RuVaArc2d;
  case kEllipse: return new RuVaEllipse2d;
  case kEllipseArc: return new RuVaEllipseArc2d;
  case kBSplineCurve: return new RuVaBSplineCurve2d;
  case kPointSequence: return new RuVaArrayPnt2d;
  default: return nullptr;
  }
}

void RuVaEntity2d::Store(CArchive& ar, const RuVaEntity2d* entity)
{
  if (!entity) {
    ar << static_cast<WORD>(0);
    return;
  }
  ar << static_cast<WORD>(entity->GetEntityType());
  // Storing reads the values only.
  const_cast<RuVaEntity2d*>(entity)->Serialize(ar);
}

RuVaEntity2d* RuVaEntity2d::Load(CArchive& ar)
{
  WORD type = 0;
  ar >> type;
  if (type == 0)
    return nullptr;
  std::unique_ptr<RuVaEntity2d> entity(CreateByType(type));
  if (!entity)
    ar.ThrowArchiveException(CArchiveException::badClass);
  entity->Serialize(ar);
  return entity.release();
}
