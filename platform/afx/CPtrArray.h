#pragma once
// An array of untyped pointers, which it does not own. It is not stored in archives.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)

 public:
  CPtrArray() = default;
  void Serialize(CArchive& ar) override;
};
