#pragma once
// A list of strings (AddHead/AddTail/Find also take LPCTSTR). Serialize stores the count and
// the strings.

#include "platform/afx/CList.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CStringList : public CList<CString, const CString&> {
  DECLARE_SERIAL(CStringList)

 public:
  explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
};
