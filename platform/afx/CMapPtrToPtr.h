#pragma once
// A map from pointers to pointers; it owns neither. It is not stored in archives.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)

 public:
  explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
