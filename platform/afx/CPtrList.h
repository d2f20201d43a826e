#pragma once
// A list of untyped pointers, which it does not own. It is not stored in archives.

#include "platform/afx/CList.h"
#include "platform/afx/CObject.h"

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)

 public:
  explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
  void Serialize(CArchive& ar) override;
};
