#include "platform/afx/CMapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CMapStringToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }
