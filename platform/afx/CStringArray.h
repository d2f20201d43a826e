#pragma once
// An array of strings (Add and SetAt also take LPCTSTR). Serialize stores the count and the strings.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)

 public:
  CStringArray() = default;
};
