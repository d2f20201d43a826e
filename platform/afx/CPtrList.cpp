#include "platform/afx/CPtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CPtrList::Serialize(CArchive& ar) { CObject::Serialize(ar); }
