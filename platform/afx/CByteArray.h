#pragma once
// An array of bytes. Serialize stores the count and the bytes.

#include "platform/afx/CArray.h"
#include "platform/afx/CObject.h"

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)

 public:
  CByteArray() = default;
};
