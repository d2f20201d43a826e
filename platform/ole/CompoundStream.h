#pragma once
// The bytes of one stream of a compound file, held in memory while the file is open. Streams are shared
// between their storage and the stream files opened on them, so a stream file stays valid when the
// element is removed from its storage (its writes then no longer reach the file).

#include <vector>

#include "platform/afx/AfxTypes.h"

class CompoundStream
{
public:
    // Compound files address streams with 32-bit sizes.
    static constexpr ULONGLONG kMaxSize = 0x7FFFFFFFull;

    explicit CompoundStream(BOOL bReadOnly = FALSE) : m_bReadOnly(bReadOnly) {}

    ULONGLONG GetSize() const { return m_data.size(); }
    const BYTE* GetData() const { return m_data.data(); }
    BOOL IsReadOnly() const { return m_bReadOnly; }

    // Copies up to nCount bytes from nPos; returns the number copied (0 at or past the end).
    UINT ReadAt(ULONGLONG nPos, void* lpBuf, UINT nCount) const;
    // These return FALSE, changing nothing, when the stream is read-only or would outgrow kMaxSize.
    BOOL WriteAt(ULONGLONG nPos, const void* lpBuf, UINT nCount);
    BOOL SetSize(ULONGLONG nSize);
    BOOL SetData(const BYTE* lpData, SIZE_T nCount);

private:
    friend class CompoundFile;
    friend class CompoundFileIo;
    friend class CompoundStorage;
    std::vector<BYTE> m_data;
    BOOL m_bReadOnly;
};
