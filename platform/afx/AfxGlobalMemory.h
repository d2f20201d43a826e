#pragma once
// Movable memory blocks handed between the clipboard, data objects and CSharedFile (HGLOBAL).
// A block knows its size; GlobalLock gives its bytes. Blocks are plain heap memory of this process.
// Handles are checked: a freed or made-up handle is refused (NULL, 0 or FALSE), never followed.
// A handle stays the same when its block is resized; a locked block cannot be resized. New bytes
// are always zeroed. Sizes above 1 GiB fail.

#include "platform/afx/AfxTypes.h"

typedef HANDLE HGLOBAL;

#ifndef GMEM_FIXED
#define GMEM_FIXED 0x0000
#endif
#ifndef GMEM_MOVEABLE
#define GMEM_MOVEABLE 0x0002
#endif
#ifndef GMEM_ZEROINIT
#define GMEM_ZEROINIT 0x0040
#endif
#ifndef GMEM_SHARE
#define GMEM_SHARE 0x2000
#endif
#ifndef GMEM_DDESHARE
#define GMEM_DDESHARE GMEM_SHARE
#endif

// A new block of dwBytes (zeroed with GMEM_ZEROINIT); NULL when out of memory.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// Resizes a block (new bytes zeroed with GMEM_ZEROINIT); NULL on failure, the old block stays valid.
HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
LPVOID GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// Frees the block; returns NULL on success, the handle when it is no live block.
HGLOBAL GlobalFree(HGLOBAL hMem);
// Whether the handle names a live block.
BOOL AfxIsGlobalMemoryHandle(HGLOBAL hMem);
