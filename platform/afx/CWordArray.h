#pragma once
// An array of 16-bit values. Serialize stores the count and the values, little-endian.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)

 public:
  CWordArray() = default;
};
