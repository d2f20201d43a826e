#include "platform/afx/AfxGlobalMemory.h"

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>
#include <vector>

namespace {

// A handle names one of these; the bytes live apart, so a handle stays the same when its block
// grows (as a movable block's handle does).
struct Block
{
    std::vector<BYTE> bytes;
    UINT flags = 0;
    UINT lockCount = 0;
};

const SIZE_T kMaxBytes = SIZE_T(1) << 30;

// Every live block, so that a stale or made-up handle is refused instead of followed. The set
// is never destroyed: blocks may still be freed while statics are torn down.
std::unordered_set<const void*>& LiveBlocks()
{
    static auto* live = new std::unordered_set<const void*>;
    return *live;
}

std::mutex& LiveLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

Block* ToBlock(HGLOBAL h)
{
    if (h == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(LiveLock());
    return LiveBlocks().count(h) ? static_cast<Block*>(h) : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (dwBytes > kMaxBytes)
        return nullptr;
    Block* b = new (std::nothrow) Block;
    if (b == nullptr)
        return nullptr;
    try {
        b->bytes.assign(dwBytes, 0);  // always zeroed: nothing of an earlier block can leak out
    } catch (const std::bad_alloc&) {
        delete b;
        return nullptr;
    }
    b->flags = uFlags;
    std::lock_guard<std::mutex> guard(LiveLock());
    LiveBlocks().insert(b);
    return b;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Block* b = ToBlock(hMem);
    // A locked block's bytes are in use by someone holding their address: they must not move.
    if (b == nullptr || dwBytes > kMaxBytes || b->lockCount > 0)
        return nullptr;
    try {
        b->bytes.resize(dwBytes, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    (void)uFlags;
    return b;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Block* b = ToBlock(hMem);
    if (b == nullptr)
        return nullptr;
    b->lockCount++;
    static BYTE empty = 0;
    return b->bytes.empty() ? &empty : b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Block* b = ToBlock(hMem);
    if (b == nullptr || b->lockCount == 0)
        return FALSE;
    b->lockCount--;
    return b->lockCount > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Block* b = ToBlock(hMem);
    return b != nullptr ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (hMem == nullptr)
        return nullptr;
    {
        std::lock_guard<std::mutex> guard(LiveLock());
        if (LiveBlocks().erase(hMem) == 0)
            return hMem;  // not a live block: refused, as on the original platform
    }
    delete static_cast<Block*>(hMem);
    return nullptr;
}

BOOL AfxIsGlobalMemoryHandle(HGLOBAL hMem)
{
    return ToBlock(hMem) != nullptr;
}
