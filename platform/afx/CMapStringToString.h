#pragma once
// A map from strings to strings. Serialize stores the count and each key and value.

#include "platform/afx/CMap.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
  DECLARE_SERIAL(CMapStringToString)

 public:
  explicit CMapStringToString(INT_PTR nBlockSize = 10)
      : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
};
