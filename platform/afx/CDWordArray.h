#pragma once
// An array of 32-bit values. Serialize stores the count and the values, little-endian.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)

 public:
  CDWordArray() = default;
};
