#pragma once
// A typed view of a pointer array (CObArray or CPtrArray): the same storage, with the element
// type TYPE in every signature. Index accessors throw CInvalidArgException outside the array.

#include "platform/afx/AfxTypes.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  // References to the stored base pointers seen as TYPE. may_alias tells the optimiser that a
  // write through one is a write to the base pointer (CObject must be TYPE's first base, as usual).
  typedef TYPE __attribute__((__may_alias__)) TYPE_REF_TARGET;

  TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE_REF_TARGET& ElementAt(INT_PTR nIndex) {
    return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::ElementAt(nIndex));
  }
  void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }

  void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }

  void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) {
    BASE_CLASS::InsertAt(nIndex, newElement, nCount);
  }
  void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) {
    BASE_CLASS::InsertAt(nStartIndex, pNewArray);
  }

  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE_REF_TARGET& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  const TYPE_REF_TARGET* GetData() const {
    return reinterpret_cast<const TYPE_REF_TARGET*>(BASE_CLASS::GetData());
  }
  TYPE_REF_TARGET* GetData() { return reinterpret_cast<TYPE_REF_TARGET*>(BASE_CLASS::GetData()); }
};
