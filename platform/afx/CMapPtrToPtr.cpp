#include "platform/afx/CMapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CMapPtrToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }
