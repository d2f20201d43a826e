#pragma once
// A list of CObject pointers. It never owns the objects. Serialize stores the objects through
// the archive's object references.

#include "platform/afx/CList.h"
#include "platform/afx/CObject.h"

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)

 public:
  explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
