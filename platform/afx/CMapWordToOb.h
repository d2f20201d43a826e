#pragma once
// A map from 16-bit keys to CObject pointers, which it does not own. Serialize stores each key
// and its object through the archive's object references.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
  DECLARE_SERIAL(CMapWordToOb)

 public:
  explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, CObject*, CObject*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
