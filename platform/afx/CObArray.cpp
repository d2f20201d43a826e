#include "platform/afx/CObArray.h"

#include "platform/afx/CArchive.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
    for (INT_PTR i = 0; i < m_nSize; ++i) ar << m_pData[i];
    return;
  }
  // Objects are added as they arrive: a corrupt count ends in an archive exception, not a huge array.
  const DWORD_PTR nCount = ar.ReadCount();
  RemoveAll();
  for (DWORD_PTR i = 0; i < nCount; ++i) {
    CObject* pOb = nullptr;
    ar >> pOb;
    Add(pOb);
  }
}
