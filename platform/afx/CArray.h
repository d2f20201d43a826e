#pragma once
// A growable array of real C++ objects: elements are constructed, moved and destroyed properly,
// new elements are value-initialised (0 for scalars). An index outside the array throws
// CInvalidArgException (AfxThrowInvalidArgException) from every accessor that takes one.

#include <algorithm>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/ElementHelpers.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  typedef TYPE BASE_TYPE;
  typedef ARG_TYPE BASE_ARG_TYPE;

  CArray() = default;
  CArray(const CArray& src) : CObject() {
    m_nGrowBy = src.m_nGrowBy;
    Copy(src);
  }
  CArray(CArray&& src) noexcept : CObject() { Swap(src); }
  CArray& operator=(const CArray& src) {
    Copy(src);
    return *this;
  }
  CArray& operator=(CArray&& src) noexcept {
    if (this != &src) {
      RemoveAll();
      Swap(src);
    }
    return *this;
  }
  ~CArray() override { RemoveAll(); }

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }

  // Resizes to nNewSize elements: new ones are value-initialised, surplus ones destroyed.
  // nGrowBy >= 0 sets the minimum number of elements added when the storage grows.
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckIndex(nIndex)] = newElement; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
  const TYPE& operator[](INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
  TYPE& operator[](INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }

  const TYPE* GetData() const { return m_pData; }
  TYPE* GetData() { return m_pData; }

  // Sets the element at nIndex, growing the array when nIndex is at or past the end.
  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
  // Appends one element and returns its index.
  INT_PTR Add(ARG_TYPE newElement) {
    const INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
  }
  // Appends a copy of src and returns the index of its first element.
  INT_PTR Append(const CArray& src);
  void Copy(const CArray& src);

  // Inserts nCount copies of newElement at nIndex; an index past the end grows the array first.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
  // Inserts a copy of every element of pNewArray at nStartIndex.
  void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

  void Serialize(CArchive& ar) override;

 protected:
  TYPE* m_pData = nullptr;
  INT_PTR m_nSize = 0;
  INT_PTR m_nMaxSize = 0;
  INT_PTR m_nGrowBy = 0;

 private:
  // An argument that refers to one of our own elements, or points into one (an LPCTSTR of a short
  // CString keeps its characters inside the element), must be copied before elements move.
  static constexpr bool kArgMayAlias =
      std::is_reference_v<ARG_TYPE> && std::is_same_v<std::remove_cvref_t<ARG_TYPE>, TYPE>;
  static constexpr bool kArgMayPointInside =
      std::is_pointer_v<ARG_TYPE> && std::is_class_v<TYPE> && std::is_constructible_v<TYPE, ARG_TYPE>;

  INT_PTR CheckIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nSize) AfxThrowInvalidArgException();
    return nIndex;
  }
  bool Aliases(ARG_TYPE e) const {
    if (m_pData == nullptr) return false;
    std::less<const void*> less;
    const void* p = nullptr;
    if constexpr (kArgMayAlias) {
      p = std::addressof(e);
    } else if constexpr (kArgMayPointInside) {
      p = static_cast<const void*>(e);
    } else {
      (void)e;
      return false;
    }
    return !less(p, m_pData) && less(p, m_pData + m_nSize);
  }
  static TYPE* Allocate(INT_PTR n) { return std::allocator<TYPE>().allocate(static_cast<std::size_t>(n)); }
  static void Deallocate(TYPE* p, INT_PTR n) {
    if (p != nullptr) std::allocator<TYPE>().deallocate(p, static_cast<std::size_t>(n));
  }
  void Reallocate(INT_PTR nNewMax);
  // Makes room for nCount elements at nIndex (past the end grows the array); they are left
  // as valid objects for the caller to assign.
  void OpenGap(INT_PTR nIndex, INT_PTR nCount);
  void Swap(CArray& other) noexcept {
    std::swap(m_pData, other.m_pData);
    std::swap(m_nSize, other.m_nSize);
    std::swap(m_nMaxSize, other.m_nMaxSize);
    std::swap(m_nGrowBy, other.m_nGrowBy);
  }
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax) {
  TYPE* pNew = Allocate(nNewMax);  // callers never ask for 0
  if (m_nSize > 0) {
    try {
      std::uninitialized_move_n(m_pData, m_nSize, pNew);
    } catch (...) {
      Deallocate(pNew, nNewMax);
      throw;
    }
    std::destroy_n(m_pData, m_nSize);
  }
  Deallocate(m_pData, m_nMaxSize);
  m_pData = pNew;
  m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
  if (nNewSize < 0) AfxThrowInvalidArgException();
  if (nGrowBy >= 0) m_nGrowBy = nGrowBy;

  if (nNewSize == 0) {
    std::destroy_n(m_pData, m_nSize);
    Deallocate(m_pData, m_nMaxSize);
    m_pData = nullptr;
    m_nSize = m_nMaxSize = 0;
    return;
  }
  if (nNewSize > m_nMaxSize) {
    constexpr INT_PTR kMaxElements = static_cast<INT_PTR>(PTRDIFF_MAX / sizeof(TYPE));
    if (nNewSize > kMaxElements) AfxThrowMemoryException();
    INT_PTR nNewMax = nNewSize;
    if (m_pData != nullptr) {
      // Grow by at least the requested step, and geometrically so that repeated Add stays cheap.
      const INT_PTR nStep = std::max({m_nGrowBy, m_nMaxSize / 2, INT_PTR(4)});
      nNewMax = std::max(nNewSize, m_nMaxSize + std::min(nStep, kMaxElements - m_nMaxSize));
    } else if (m_nGrowBy > nNewSize) {
      nNewMax = std::min(m_nGrowBy, kMaxElements);
    }
    Reallocate(nNewMax);
  }
  if (nNewSize > m_nSize) {
    // Value-initialised one by one: 0 for scalars, as the default constructor makes for classes.
    INT_PTR i = m_nSize;
    try {
      for (; i < nNewSize; ++i) ::new (static_cast<void*>(m_pData + i)) TYPE();
    } catch (...) {
      std::destroy(m_pData + m_nSize, m_pData + i);
      throw;
    }
  } else if (nNewSize < m_nSize) {
    std::destroy_n(m_pData + nNewSize, m_nSize - nNewSize);
  }
  m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
  if (m_nSize == m_nMaxSize) return;
  if (m_nSize == 0) {
    Deallocate(m_pData, m_nMaxSize);
    m_pData = nullptr;
    m_nMaxSize = 0;
    return;
  }
  Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
  if (nIndex < 0) AfxThrowInvalidArgException();
  if (nIndex >= m_nSize) {
    if constexpr (kArgMayAlias || kArgMayPointInside) {
      if (Aliases(newElement)) {
        TYPE copy(newElement);
        SetAtGrow(nIndex, copy);
        return;
      }
    }
    SetSize(nIndex + 1);
  }
  m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
  const INT_PTR nOldSize = m_nSize;
  const INT_PTR nCount = src.m_nSize;
  SetSize(m_nSize + nCount);  // when src is this array, its elements are still the first nCount
  std::copy_n(src.m_pData, nCount, m_pData + nOldSize);
  return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
  if (this == &src) return;
  SetSize(src.m_nSize);
  std::copy_n(src.m_pData, src.m_nSize, m_pData);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::OpenGap(INT_PTR nIndex, INT_PTR nCount) {
  if (nCount > PTRDIFF_MAX - std::max(nIndex, m_nSize)) AfxThrowInvalidArgException();
  if (nIndex >= m_nSize) {
    SetSize(nIndex + nCount);
  } else {
    const INT_PTR nOldSize = m_nSize;
    SetSize(nOldSize + nCount);
    std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
  if (nIndex < 0 || nCount < 0) AfxThrowInvalidArgException();
  if (nCount == 0) return;
  if constexpr (kArgMayAlias || kArgMayPointInside) {
    if (Aliases(newElement)) {
      TYPE copy(newElement);
      InsertAt(nIndex, copy, nCount);
      return;
    }
  }
  OpenGap(nIndex, nCount);
  for (INT_PTR i = 0; i < nCount; ++i) m_pData[nIndex + i] = newElement;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray) {
  if (pNewArray == nullptr || nStartIndex < 0) AfxThrowInvalidArgException();
  if (pNewArray == this) {
    CArray copy(*this);
    InsertAt(nStartIndex, &copy);
    return;
  }
  const INT_PTR nCount = pNewArray->m_nSize;
  if (nCount == 0) return;
  OpenGap(nStartIndex, nCount);
  std::copy_n(pNewArray->m_pData, nCount, m_pData + nStartIndex);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
  if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex) {
    AfxThrowInvalidArgException();
  }
  if (nCount == 0) return;
  std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
  std::destroy_n(m_pData + m_nSize - nCount, nCount);
  m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
    return;
  }
  // The count comes from the file: grow in bounded steps as elements actually arrive, so a
  // corrupt count ends in an archive exception instead of a huge allocation.
  const DWORD_PTR nCount = ar.ReadCount();
  RemoveAll();
  constexpr INT_PTR kStep = std::max<INT_PTR>(1, 65536 / static_cast<INT_PTR>(sizeof(TYPE)));
  while (static_cast<DWORD_PTR>(m_nSize) < nCount) {
    const INT_PTR nStart = m_nSize;
    const INT_PTR nTake = static_cast<INT_PTR>(
        std::min<DWORD_PTR>(static_cast<DWORD_PTR>(kStep), nCount - static_cast<DWORD_PTR>(nStart)));
    SetSize(nStart + nTake);
    SerializeElements<TYPE>(ar, m_pData + nStart, nTake);
  }
}
