#include "platform/afx/CObList.h"

#include "platform/afx/CArchive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

void CObList::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
    for (CNode* p = m_pNodeHead; p != nullptr; p = p->pNext) ar << p->data;
    return;
  }
  for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
    CObject* pOb = nullptr;
    ar >> pOb;
    AddTail(pOb);
  }
}
