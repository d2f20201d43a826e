#include "platform/afx/CMapWordToPtr.h"

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CMapWordToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }
