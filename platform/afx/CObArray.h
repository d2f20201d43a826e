#pragma once
// An array of CObject pointers. It never owns the objects: removing an element or destroying
// the array leaves them alive. Serialize stores the objects through the archive's object references.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)

 public:
  CObArray() = default;
  void Serialize(CArchive& ar) override;
};
