#include "platform/afx/AfxGlobalMemory.h"

#include <cstdlib>
#include <cstring>

namespace {

// The handle points at this header; the bytes follow it.
struct Block
{
    SIZE_T size;
    UINT flags;
    UINT lockCount;
    std::max_align_t align[1];  // keeps the bytes aligned like malloc's
};

const size_t kHeader = offsetof(Block, align);

Block* ToBlock(HGLOBAL h)
{
    return static_cast<Block*>(h);
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (dwBytes > (SIZE_T(1) << 40))
        return nullptr;
    void* p = (uFlags & GMEM_ZEROINIT) ? std::calloc(1, kHeader + dwBytes) : std::malloc(kHeader + dwBytes);
    if (p == nullptr)
        return nullptr;
    Block* b = static_cast<Block*>(p);
    b->size = dwBytes;
    b->flags = uFlags;
    b->lockCount = 0;
    return b;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    if (hMem == nullptr || dwBytes > (SIZE_T(1) << 40))
        return nullptr;
    const SIZE_T oldSize = ToBlock(hMem)->size;
    void* p = std::realloc(hMem, kHeader + dwBytes);
    if (p == nullptr)
        return nullptr;
    Block* b = static_cast<Block*>(p);
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > oldSize)
        std::memset(reinterpret_cast<BYTE*>(b) + kHeader + oldSize, 0, dwBytes - oldSize);
    b->size = dwBytes;
    return b;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    if (hMem == nullptr)
        return nullptr;
    ToBlock(hMem)->lockCount++;
    return reinterpret_cast<BYTE*>(hMem) + kHeader;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    if (hMem == nullptr)
        return FALSE;
    Block* b = ToBlock(hMem);
    if (b->lockCount > 0)
        b->lockCount--;
    return b->lockCount > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    return hMem != nullptr ? ToBlock(hMem)->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    std::free(hMem);
    return nullptr;
}
