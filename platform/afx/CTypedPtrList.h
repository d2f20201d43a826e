#pragma once
// A typed view of a pointer list (CObList or CPtrList): the same nodes, with the element type
// TYPE in every signature.

#include "platform/afx/AfxTypes.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  // References to the stored base pointers seen as TYPE. may_alias tells the optimiser that a
  // write through one is a write to the base pointer (CObject must be TYPE's first base, as usual).
  typedef TYPE __attribute__((__may_alias__)) TYPE_REF_TARGET;

  explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  TYPE_REF_TARGET& GetHead() { return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE_REF_TARGET& GetTail() { return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }

  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }

  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }

  TYPE_REF_TARGET& GetNext(POSITION& rPosition) {
    return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::GetNext(rPosition));
  }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE_REF_TARGET& GetPrev(POSITION& rPosition) {
    return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::GetPrev(rPosition));
  }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }

  TYPE_REF_TARGET& GetAt(POSITION position) {
    return reinterpret_cast<TYPE_REF_TARGET&>(BASE_CLASS::GetAt(position));
  }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }

  POSITION InsertBefore(POSITION position, TYPE newElement) {
    return BASE_CLASS::InsertBefore(position, newElement);
  }
  POSITION InsertAfter(POSITION position, TYPE newElement) {
    return BASE_CLASS::InsertAfter(position, newElement);
  }
};
