#pragma once
// Per-element helpers of the template collections. Specialise them for a type whose elements
// need other treatment than ==, assignment and the default archive layout, e.g.
//   template <> void AFXAPI SerializeElements<MyType>(CArchive& ar, MyType* p, INT_PTR nCount);

#include <algorithm>
#include <type_traits>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CNotSupportedException.h"

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return (*pElement1 == *pElement2) ? TRUE : FALSE;
}

template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount) {
  for (INT_PTR i = 0; i < nCount; ++i) pDest[i] = pSrc[i];
}

namespace afx_detail {

inline void SerializeBytes(CArchive& ar, void* pData, ULONGLONG nBytes) {
  BYTE* p = static_cast<BYTE*>(pData);
  while (nBytes > 0) {
    const UINT nChunk = static_cast<UINT>(std::min<ULONGLONG>(nBytes, 0x40000000u));
    if (ar.IsStoring()) {
      ar.Write(p, nChunk);
    } else if (ar.Read(p, nChunk) != nChunk) {
      ar.ThrowArchiveException(CArchiveException::endOfFile);
    }
    p += nChunk;
    nBytes -= nChunk;
  }
}

}  // namespace afx_detail

// Stores or loads nCount elements. Numbers and enumerations are kept as their little-endian bytes,
// bool as one byte; a class with archive operators (CString, ...) goes through them, another
// trivially copyable type as its bytes. Pointers and other types cannot be stored this way:
// their collections throw CNotSupportedException (CObArray and friends store objects instead).
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
  if (nCount <= 0) return;
  using T = std::remove_cv_t<TYPE>;
  if constexpr (std::is_same_v<T, bool>) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if (ar.IsStoring())
        ar << pElements[i];
      else
        ar >> pElements[i];
    }
  } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
    afx_detail::SerializeBytes(ar, pElements, static_cast<ULONGLONG>(nCount) * sizeof(T));
  } else if constexpr (std::is_pointer_v<T> || std::is_member_pointer_v<T>) {
    AfxThrowNotSupportedException();
  } else if constexpr (requires(CArchive & a, T & v, const T& cv) {
                         a << cv;
                         a >> v;
                       }) {
    for (INT_PTR i = 0; i < nCount; ++i) {
      if (ar.IsStoring())
        ar << static_cast<const T&>(pElements[i]);
      else
        ar >> pElements[i];
    }
  } else if constexpr (std::is_trivially_copyable_v<T>) {
    afx_detail::SerializeBytes(ar, pElements, static_cast<ULONGLONG>(nCount) * sizeof(T));
  } else {
    AfxThrowNotSupportedException();
  }
}
