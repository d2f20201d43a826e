#include "platform/afx/CMapStringToOb.h"

#include "platform/afx/CArchive.h"

IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)

void CMapStringToOb::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
    for (const CPair* p = PGetFirstAssoc(); p != nullptr; p = PGetNextAssoc(p)) {
      ar << p->key;
      ar << p->value;
    }
    return;
  }
  for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
    CString key{};
    CObject* pOb = nullptr;
    ar >> key;
    ar >> pOb;
    SetAt(key, pOb);
  }
}
