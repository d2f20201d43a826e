#include "platform/afx/CMapPtrToWord.h"

IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)

// Pointers mean nothing outside this process, so nothing is stored.
void CMapPtrToWord::Serialize(CArchive& ar) { CObject::Serialize(ar); }
