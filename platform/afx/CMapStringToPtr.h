#pragma once
// A map from strings to untyped pointers, which it does not own. It is not stored in archives.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)

 public:
  explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
