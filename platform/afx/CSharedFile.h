#pragma once
// A memory file whose buffer is a global memory block (HGLOBAL), as the clipboard and data objects take it.

#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/CMemFile.h"

class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the block to the caller (its size is the file's length) and empties the file.
    HGLOBAL Detach();
    // Works on the caller's block (the file's length is the block's size); with bAllowGrow it may be
    // reallocated as the file grows. The file owns it from now on.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};
