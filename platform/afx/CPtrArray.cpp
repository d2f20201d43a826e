#include "platform/afx/CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CPtrArray::Serialize(CArchive& ar) { CObject::Serialize(ar); }
