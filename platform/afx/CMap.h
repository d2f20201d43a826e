#pragma once
// A hash map from KEY to VALUE, hashed by HashKey<ARG_KEY> and compared by CompareElements.
// Iteration order is that of the hash table: arbitrary, but stable while the map is unchanged.
// Removing the element that GetNextAssoc just returned leaves the returned next position valid.
// The table starts at the size given to InitHashTable (17 by default) and grows as the map
// fills, so a large map keeps short chains.

#include <type_traits>
#include <utility>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CPlex.h"
#include "platform/afx/ElementHelpers.h"
#include "platform/afx/HashKey.h"

#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))
#endif

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  typedef KEY BASE_KEY;
  typedef ARG_KEY BASE_ARG_KEY;
  typedef VALUE BASE_VALUE;
  typedef ARG_VALUE BASE_ARG_VALUE;

  class CPair {
   public:
    const KEY key;
    VALUE value;

   protected:
    explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
  };

 protected:
  class CAssoc : public CPair {
   public:
    explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
    CAssoc* pNext = nullptr;
    UINT nHashValue = 0;  // the full hash; the bucket is nHashValue % table size
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
  CMap(const CMap& src) : CObject(), m_nHashTableSize(src.m_nHashTableSize), m_nBlockSize(src.m_nBlockSize) {
    CopyFrom(src);
  }
  CMap(CMap&& src) noexcept : CObject(), m_nBlockSize(src.m_nBlockSize) { Swap(src); }
  CMap& operator=(const CMap& src) {
    if (this != &src) {
      RemoveAll();
      CopyFrom(src);
    }
    return *this;
  }
  CMap& operator=(CMap&& src) noexcept {
    if (this != &src) {
      RemoveAll();
      Swap(src);
    }
    return *this;
  }
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    UINT nHash = 0;
    const CAssoc* p = GetAssocAt(key, nHash);
    if (p == nullptr) return FALSE;
    rValue = p->value;
    return TRUE;
  }
  const CPair* PLookup(ARG_KEY key) const {
    UINT nHash = 0;
    return GetAssocAt(key, nHash);
  }
  CPair* PLookup(ARG_KEY key) {
    UINT nHash = 0;
    return GetAssocAt(key, nHash);
  }

  // The value of key, inserted value-initialised when the key is new.
  VALUE& operator[](ARG_KEY key);
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

  BOOL RemoveKey(ARG_KEY key);
  void RemoveAll();

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

  const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
  CPair* PGetFirstAssoc() { return FirstAssoc(); }
  const CPair* PGetNextAssoc(const CPair* pAssocRet) const { return NextAssoc(pAssocRet); }
  CPair* PGetNextAssoc(const CPair* pAssocRet) { return NextAssoc(pAssocRet); }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (existing elements are redistributed); bAllocNow allocates the
  // table at once instead of on the first insertion.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

  void Serialize(CArchive& ar) override;

 protected:
  CAssoc** m_pHashTable = nullptr;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
  void* m_pFreeList = nullptr;
  CPlex* m_pBlocks = nullptr;
  INT_PTR m_nBlockSize;

  CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashValue) const;

 private:
  struct FreeSlot {
    void* pNext;
  };

  CAssoc* NewAssoc(ARG_KEY key);
  void FreeAssoc(CAssoc* pAssoc);
  void AllocTable(UINT nSize);
  void Rehash(UINT nNewSize);
  CAssoc* FirstAssoc() const;
  CAssoc* NextAssoc(const CPair* pAssocRet) const;
  void CopyFrom(const CMap& src) {
    for (const CAssoc* p = FirstAssoc(src); p != nullptr; p = src.NextAssoc(p)) (*this)[p->key] = p->value;
  }
  static const CAssoc* FirstAssoc(const CMap& m) { return m.FirstAssoc(); }
  static UINT NextTableSize(UINT nAtLeast);
  void Swap(CMap& other) noexcept {
    std::swap(m_pHashTable, other.m_pHashTable);
    std::swap(m_nHashTableSize, other.m_nHashTableSize);
    std::swap(m_nCount, other.m_nCount);
    std::swap(m_pFreeList, other.m_pFreeList);
    std::swap(m_pBlocks, other.m_pBlocks);
    std::swap(m_nBlockSize, other.m_nBlockSize);
  }
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocTable(UINT nSize) {
  m_pHashTable = new CAssoc*[nSize]();
  m_nHashTableSize = nSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
UINT CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextTableSize(UINT nAtLeast) {
  // The next prime at or above nAtLeast; primes spread simple hashes (as text hashes are) evenly.
  for (UINT n = nAtLeast | 1u;; n += 2) {
    bool prime = true;
    for (UINT d = 3; d <= n / d; d += 2) {
      if (n % d == 0) {
        prime = false;
        break;
      }
    }
    if (prime) return n;
  }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rehash(UINT nNewSize) {
  CAssoc** pOld = m_pHashTable;
  const UINT nOldSize = m_nHashTableSize;
  AllocTable(nNewSize);
  if (pOld == nullptr) return;
  for (UINT b = 0; b < nOldSize; ++b) {
    for (CAssoc* p = pOld[b]; p != nullptr;) {
      CAssoc* pNext = p->pNext;
      CAssoc*& rHead = m_pHashTable[p->nHashValue % m_nHashTableSize];
      p->pNext = rHead;
      rHead = p;
      p = pNext;
    }
  }
  delete[] pOld;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow) {
  if (hashSize == 0) hashSize = 1;
  if (m_nCount > 0) {
    Rehash(hashSize);
    return;
  }
  delete[] m_pHashTable;
  m_pHashTable = nullptr;
  m_nHashTableSize = hashSize;
  if (bAllocNow) AllocTable(hashSize);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(
    ARG_KEY key) {
  static_assert(alignof(CAssoc) <= alignof(std::max_align_t), "over-aligned map element");
  static_assert(sizeof(CAssoc) >= sizeof(FreeSlot));
  if (m_pFreeList == nullptr) {
    CPlex* pBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CAssoc));
    unsigned char* pSlot = static_cast<unsigned char*>(pBlock->data()) + (m_nBlockSize - 1) * sizeof(CAssoc);
    for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, pSlot -= sizeof(CAssoc)) {
      m_pFreeList = ::new (static_cast<void*>(pSlot)) FreeSlot{m_pFreeList};
    }
  }
  void* pSlot = m_pFreeList;
  void* pNextFree = static_cast<FreeSlot*>(pSlot)->pNext;
  CAssoc* pAssoc = ::new (pSlot) CAssoc(key);
  m_pFreeList = pNextFree;
  ++m_nCount;
  return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc) {
  pAssoc->~CAssoc();
  m_pFreeList = ::new (static_cast<void*>(pAssoc)) FreeSlot{m_pFreeList};
  if (--m_nCount == 0) RemoveAll();  // give the blocks back once the map is empty
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
    ARG_KEY key, UINT& nHashValue) const {
  nHashValue = HashKey<ARG_KEY>(key);
  if (m_pHashTable == nullptr) return nullptr;
  for (CAssoc* p = m_pHashTable[nHashValue % m_nHashTableSize]; p != nullptr; p = p->pNext) {
    if (p->nHashValue == nHashValue && CompareElements(&p->key, &key)) return p;
  }
  return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
  UINT nHashValue = 0;
  CAssoc* pAssoc = GetAssocAt(key, nHashValue);
  if (pAssoc != nullptr) return pAssoc->value;

  if (m_pHashTable == nullptr) {
    AllocTable(m_nHashTableSize);
  } else if (static_cast<UINT_PTR>(m_nCount) >= 2 * static_cast<UINT_PTR>(m_nHashTableSize) &&
             m_nHashTableSize < 0x40000000u) {
    Rehash(NextTableSize(m_nHashTableSize * 2 + 1));
  }
  pAssoc = NewAssoc(key);
  pAssoc->nHashValue = nHashValue;
  CAssoc*& rHead = m_pHashTable[nHashValue % m_nHashTableSize];
  pAssoc->pNext = rHead;
  rHead = pAssoc;
  return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
  if (m_pHashTable == nullptr) return FALSE;
  const UINT nHashValue = HashKey<ARG_KEY>(key);
  CAssoc** ppPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
  for (CAssoc* p = *ppPrev; p != nullptr; ppPrev = &p->pNext, p = p->pNext) {
    if (p->nHashValue == nHashValue && CompareElements(&p->key, &key)) {
      *ppPrev = p->pNext;
      FreeAssoc(p);
      return TRUE;
    }
  }
  return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
  if (m_pHashTable != nullptr) {
    for (UINT b = 0; b < m_nHashTableSize; ++b) {
      for (CAssoc* p = m_pHashTable[b]; p != nullptr;) {
        CAssoc* pNext = p->pNext;
        p->~CAssoc();
        p = pNext;
      }
    }
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
  }
  m_nCount = 0;
  m_pFreeList = nullptr;
  if (m_pBlocks != nullptr) m_pBlocks->FreeDataChain();
  m_pBlocks = nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssoc()
    const {
  if (m_pHashTable == nullptr) return nullptr;
  for (UINT b = 0; b < m_nHashTableSize; ++b) {
    if (m_pHashTable[b] != nullptr) return m_pHashTable[b];
  }
  return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAssoc(
    const CPair* pAssocRet) const {
  if (pAssocRet == nullptr) AfxThrowInvalidArgException();
  const CAssoc* pAssoc = static_cast<const CAssoc*>(pAssocRet);
  if (pAssoc->pNext != nullptr) return pAssoc->pNext;
  for (UINT b = pAssoc->nHashValue % m_nHashTableSize + 1; b < m_nHashTableSize; ++b) {
    if (m_pHashTable[b] != nullptr) return m_pHashTable[b];
  }
  return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const {
  if (rNextPosition == nullptr) AfxThrowInvalidArgException();
  const CAssoc* pAssoc = (rNextPosition == BEFORE_START_POSITION)
                             ? FirstAssoc()
                             : reinterpret_cast<const CAssoc*>(rNextPosition);
  if (pAssoc == nullptr) AfxThrowInvalidArgException();
  // Step on before handing the element out, so that the caller may remove it.
  rNextPosition = reinterpret_cast<POSITION>(NextAssoc(pAssoc));
  rKey = pAssoc->key;
  rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
    for (CAssoc* p = FirstAssoc(); p != nullptr; p = NextAssoc(p)) {
      SerializeElements<KEY>(ar, const_cast<KEY*>(&p->key), 1);
      SerializeElements<VALUE>(ar, &p->value, 1);
    }
    return;
  }
  // Each entry is read before it is added, so a corrupt count runs into the end of the archive.
  for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
    KEY newKey{};
    VALUE newValue{};
    SerializeElements<KEY>(ar, &newKey, 1);
    SerializeElements<VALUE>(ar, &newValue, 1);
    SetAt(newKey, newValue);
  }
}
