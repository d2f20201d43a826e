#include "platform/afx/CSharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    // The base destructor would call our Free through the base class only; free the block here.
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL h = GlobalAlloc(m_nAllocFlags, nBytes);
    if (h == nullptr)
        return nullptr;
    m_hGlobalMemory = h;
    return static_cast<BYTE*>(GlobalLock(h));
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (!m_bAllowGrow || m_hGlobalMemory == nullptr)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL h = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (h == nullptr) {
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = h;
    return static_cast<BYTE*>(GlobalLock(h));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory != nullptr) {
        GlobalUnlock(m_hGlobalMemory);
        GlobalFree(m_hGlobalMemory);
    }
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL h = m_hGlobalMemory;
    if (h != nullptr) {
        GlobalUnlock(h);
        // The block's size is the file's length.
        if (GlobalSize(h) != m_nFileSize) {
            HGLOBAL shrunk = GlobalReAlloc(h, m_nFileSize, 0);
            if (shrunk != nullptr)
                h = shrunk;
        }
    }
    m_hGlobalMemory = nullptr;
    CMemFile::Detach();
    return h;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_hGlobalMemory = hGlobalMemory;
    m_bAllowGrow = bAllowGrow;
    const SIZE_T size = GlobalSize(hGlobalMemory);
    m_lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    m_nBufferSize = size;
    m_nFileSize = size;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    if (!bAllowGrow)
        m_nGrowBytes = 0;
}
