#pragma once
// A map from strings to CObject pointers, which it does not own. Serialize stores each key and
// its object through the archive's object references.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
  DECLARE_SERIAL(CMapStringToOb)

 public:
  explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
