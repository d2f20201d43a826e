#pragma once
// A map from pointers to 16-bit values; it does not own the pointers. It is not stored in archives.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
  DECLARE_DYNAMIC(CMapPtrToWord)

 public:
  explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap<void*, void*, WORD, WORD>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
