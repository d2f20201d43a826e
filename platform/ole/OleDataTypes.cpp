#include "platform/ole/OleDataTypes.h"

#include <cstring>

#ifdef KC_WIN_HAVE_GDI
#include "platform/gdi/GdiApi.h"
#endif

void ReleaseStgMedium(LPSTGMEDIUM lpMedium)
{
    if (lpMedium == nullptr)
        return;
    switch (lpMedium->tymed) {
    case TYMED_HGLOBAL:
    case TYMED_MFPICT:
        if (lpMedium->hGlobal != nullptr)
            GlobalFree(lpMedium->hGlobal);
        break;
    case TYMED_FILE:
        delete[] lpMedium->lpszFileName;
        break;
    case TYMED_GDI:
#ifdef KC_WIN_HAVE_GDI
        if (lpMedium->hBitmap != nullptr)
            ::DeleteObject(static_cast<HGDIOBJ>(lpMedium->hBitmap));
#endif
        break;
    default:
        break;
    }
    lpMedium->tymed = TYMED_NULL;
    lpMedium->hGlobal = nullptr;
    lpMedium->pUnkForRelease = nullptr;
}

HGLOBAL AfxCopyGlobalMemory(HGLOBAL hSource)
{
    if (hSource == nullptr)
        return nullptr;
    const SIZE_T size = GlobalSize(hSource);
    const void* from = GlobalLock(hSource);
    if (from == nullptr)
        return nullptr;
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (hCopy != nullptr) {
        void* to = GlobalLock(hCopy);
        if (to != nullptr && size > 0)
            std::memcpy(to, from, size);
        GlobalUnlock(hCopy);
    }
    GlobalUnlock(hSource);
    return hCopy;
}
