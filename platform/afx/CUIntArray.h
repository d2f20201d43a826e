#pragma once
// An array of UINT values. Serialize stores the count and the 32-bit values, little-endian.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_SERIAL(CUIntArray)

 public:
  CUIntArray() = default;
};
