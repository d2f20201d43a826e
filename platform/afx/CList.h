#pragma once
// A doubly linked list. A POSITION is the address of a node; it stays valid until that node's
// own element is removed. Nodes come from blocks of nBlockSize entries (see CPlex).
// A null POSITION handed to GetNext/GetPrev/GetAt/SetAt/RemoveAt, or GetHead/GetTail/
// RemoveHead/RemoveTail on an empty list, throws CInvalidArgException.

#include <type_traits>
#include <utility>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPlex.h"
#include "platform/afx/ElementHelpers.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  typedef TYPE BASE_TYPE;
  typedef ARG_TYPE BASE_ARG_TYPE;

  explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  CList(const CList& src) : CObject(), m_nBlockSize(src.m_nBlockSize) { AddTail(const_cast<CList*>(&src)); }
  CList(CList&& src) noexcept : CObject(), m_nBlockSize(src.m_nBlockSize) { Swap(src); }
  CList& operator=(const CList& src) {
    if (this != &src) {
      RemoveAll();
      AddTail(const_cast<CList*>(&src));
    }
    return *this;
  }
  CList& operator=(CList&& src) noexcept {
    if (this != &src) {
      RemoveAll();
      Swap(src);
    }
    return *this;
  }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
  TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

  TYPE RemoveHead();
  TYPE RemoveTail();

  POSITION AddHead(ARG_TYPE newElement);
  POSITION AddTail(ARG_TYPE newElement);
  // Adds a copy of every element of pNewList, keeping their order.
  void AddHead(CList* pNewList);
  void AddTail(CList* pNewList);

  void RemoveAll();

  POSITION GetHeadPosition() const { return ToPos(m_pNodeHead); }
  POSITION GetTailPosition() const { return ToPos(m_pNodeTail); }
  // The element at rPosition; rPosition moves on to the next (or previous) one, NULL at the end.
  TYPE& GetNext(POSITION& rPosition) {
    CNode* p = FromPos(rPosition);
    rPosition = ToPos(p->pNext);
    return p->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* p = FromPos(rPosition);
    rPosition = ToPos(p->pNext);
    return p->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* p = FromPos(rPosition);
    rPosition = ToPos(p->pPrev);
    return p->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* p = FromPos(rPosition);
    rPosition = ToPos(p->pPrev);
    return p->data;
  }

  TYPE& GetAt(POSITION position) { return FromPos(position)->data; }
  const TYPE& GetAt(POSITION position) const { return FromPos(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
  void RemoveAt(POSITION position);

  // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

  // The first element equal to searchValue after startAfter (from the head when NULL), or NULL.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
  // The position of the nIndex-th element, NULL when out of range.
  POSITION FindIndex(INT_PTR nIndex) const;

  void Serialize(CArchive& ar) override;

 protected:
  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
  CNode* m_pNodeFree = nullptr;
  CPlex* m_pBlocks = nullptr;
  INT_PTR m_nBlockSize;

  static POSITION ToPos(CNode* p) { return reinterpret_cast<POSITION>(p); }
  static CNode* FromPos(POSITION pos) {
    if (pos == nullptr) AfxThrowInvalidArgException();
    return reinterpret_cast<CNode*>(pos);
  }
  static CNode* NonEmpty(CNode* p) {
    if (p == nullptr) AfxThrowInvalidArgException();
    return p;
  }

  CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value);
  void FreeNode(CNode* pNode);

 private:
  void Swap(CList& other) noexcept {
    std::swap(m_pNodeHead, other.m_pNodeHead);
    std::swap(m_pNodeTail, other.m_pNodeTail);
    std::swap(m_nCount, other.m_nCount);
    std::swap(m_pNodeFree, other.m_pNodeFree);
    std::swap(m_pBlocks, other.m_pBlocks);
    std::swap(m_nBlockSize, other.m_nBlockSize);
  }
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext,
                                                                      ARG_TYPE value) {
  static_assert(alignof(CNode) <= alignof(std::max_align_t), "over-aligned list element");
  if (m_pNodeFree == nullptr) {
    CPlex* pBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CNode));
    // Chain the new block's nodes onto the free list through pNext.
    CNode* pNode = static_cast<CNode*>(pBlock->data()) + (m_nBlockSize - 1);
    for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pNode) {
      pNode->pNext = m_pNodeFree;
      m_pNodeFree = pNode;
    }
  }
  CNode* pNode = m_pNodeFree;
  CNode* pNextFree = pNode->pNext;
  if constexpr (std::is_constructible_v<TYPE, ARG_TYPE>) {
    ::new (static_cast<void*>(&pNode->data)) TYPE(value);
  } else {
    ::new (static_cast<void*>(&pNode->data)) TYPE();
    pNode->data = value;
  }
  m_pNodeFree = pNextFree;
  pNode->pPrev = pPrev;
  pNode->pNext = pNext;
  ++m_nCount;
  return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode) {
  pNode->data.~TYPE();
  pNode->pNext = m_pNodeFree;
  m_pNodeFree = pNode;
  if (--m_nCount == 0) RemoveAll();  // give the blocks back once the list is empty
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
  for (CNode* p = m_pNodeHead; p != nullptr;) {
    CNode* pNext = p->pNext;
    p->data.~TYPE();
    p = pNext;
  }
  m_nCount = 0;
  m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
  if (m_pBlocks != nullptr) m_pBlocks->FreeDataChain();
  m_pBlocks = nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement) {
  CNode* pNew = NewNode(nullptr, m_pNodeHead, newElement);
  if (m_pNodeHead != nullptr)
    m_pNodeHead->pPrev = pNew;
  else
    m_pNodeTail = pNew;
  m_pNodeHead = pNew;
  return ToPos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement) {
  CNode* pNew = NewNode(m_pNodeTail, nullptr, newElement);
  if (m_pNodeTail != nullptr)
    m_pNodeTail->pNext = pNew;
  else
    m_pNodeHead = pNew;
  m_pNodeTail = pNew;
  return ToPos(pNew);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
  if (pNewList == nullptr) AfxThrowInvalidArgException();
  // Counting first makes adding a list to itself add each element once.
  CNode* p = pNewList->m_pNodeTail;
  for (INT_PTR n = pNewList->m_nCount; n > 0; --n) {
    CNode* pPrev = p->pPrev;
    AddHead(p->data);
    p = pPrev;
  }
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
  if (pNewList == nullptr) AfxThrowInvalidArgException();
  CNode* p = pNewList->m_pNodeHead;
  for (INT_PTR n = pNewList->m_nCount; n > 0; --n) {
    CNode* pNext = p->pNext;
    AddTail(p->data);
    p = pNext;
  }
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
  CNode* pOld = NonEmpty(m_pNodeHead);
  TYPE returnValue(std::move(pOld->data));
  m_pNodeHead = pOld->pNext;
  if (m_pNodeHead != nullptr)
    m_pNodeHead->pPrev = nullptr;
  else
    m_pNodeTail = nullptr;
  FreeNode(pOld);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
  CNode* pOld = NonEmpty(m_pNodeTail);
  TYPE returnValue(std::move(pOld->data));
  m_pNodeTail = pOld->pPrev;
  if (m_pNodeTail != nullptr)
    m_pNodeTail->pNext = nullptr;
  else
    m_pNodeHead = nullptr;
  FreeNode(pOld);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
  CNode* pOld = FromPos(position);
  if (pOld == m_pNodeHead)
    m_pNodeHead = pOld->pNext;
  else
    pOld->pPrev->pNext = pOld->pNext;
  if (pOld == m_pNodeTail)
    m_pNodeTail = pOld->pPrev;
  else
    pOld->pNext->pPrev = pOld->pPrev;
  FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
  if (position == nullptr) return AddHead(newElement);
  CNode* pOld = FromPos(position);
  CNode* pNew = NewNode(pOld->pPrev, pOld, newElement);
  if (pOld->pPrev != nullptr)
    pOld->pPrev->pNext = pNew;
  else
    m_pNodeHead = pNew;
  pOld->pPrev = pNew;
  return ToPos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
  if (position == nullptr) return AddTail(newElement);
  CNode* pOld = FromPos(position);
  CNode* pNew = NewNode(pOld, pOld->pNext, newElement);
  if (pOld->pNext != nullptr)
    pOld->pNext->pPrev = pNew;
  else
    m_pNodeTail = pNew;
  pOld->pNext = pNew;
  return ToPos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
  CNode* p = (startAfter == nullptr) ? m_pNodeHead : reinterpret_cast<CNode*>(startAfter)->pNext;
  for (; p != nullptr; p = p->pNext) {
    if (CompareElements<TYPE>(&p->data, &searchValue)) return ToPos(p);
  }
  return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
  CNode* p = m_pNodeHead;
  while (nIndex-- > 0) p = p->pNext;
  return ToPos(p);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
    for (CNode* p = m_pNodeHead; p != nullptr; p = p->pNext) SerializeElements<TYPE>(ar, &p->data, 1);
    return;
  }
  // Each element is read before it is added, so a corrupt count runs into the end of the archive.
  for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
    TYPE newData{};
    SerializeElements<TYPE>(ar, &newData, 1);
    AddTail(newData);
  }
}
