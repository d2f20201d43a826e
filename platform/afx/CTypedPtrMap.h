#pragma once
// A typed view of a pointer map (CMapWordToPtr, CMapStringToOb, CMapPtrToPtr, ...): the same
// table, with KEY and VALUE in the signatures. Keys and values are converted, not reinterpreted,
// so a UINT key over a WORD map gets the whole value back.

#include "platform/afx/AfxTypes.h"

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
 public:
  // References to the stored base pointers seen as VALUE. may_alias tells the optimiser that a
  // write through one is a write to the base pointer (CObject must be VALUE's first base, as usual).
  typedef VALUE __attribute__((__may_alias__)) VALUE_REF_TARGET;

  explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const {
    typename BASE_CLASS::BASE_VALUE value{};
    if (!BASE_CLASS::Lookup(key, value)) return FALSE;
    rValue = static_cast<VALUE>(value);
    return TRUE;
  }
  // The stored value itself (inserted as NULL for a new key).
  VALUE_REF_TARGET& operator[](typename BASE_CLASS::BASE_ARG_KEY key) {
    return reinterpret_cast<VALUE_REF_TARGET&>(BASE_CLASS::operator[](key));
  }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }

  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BASE_KEY key{};
    typename BASE_CLASS::BASE_VALUE value{};
    BASE_CLASS::GetNextAssoc(rPosition, key, value);
    rKey = static_cast<KEY>(key);
    rValue = static_cast<VALUE>(value);
  }
};
