#pragma once
// A map from 16-bit keys to untyped pointers, which it does not own. It is not stored in archives.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)

 public:
  explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
