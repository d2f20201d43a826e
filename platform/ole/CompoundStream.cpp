#include "platform/ole/CompoundStream.h"

#include <cstring>

UINT CompoundStream::ReadAt(ULONGLONG nPos, void* lpBuf, UINT nCount) const
{
    if (nPos >= m_data.size() || nCount == 0)
        return 0;
    const ULONGLONG available = m_data.size() - nPos;
    const UINT n = available < nCount ? static_cast<UINT>(available) : nCount;
    std::memcpy(lpBuf, m_data.data() + nPos, n);
    return n;
}

BOOL CompoundStream::WriteAt(ULONGLONG nPos, const void* lpBuf, UINT nCount)
{
    if (m_bReadOnly || nPos > kMaxSize || nCount > kMaxSize - nPos)
        return FALSE;
    if (nCount == 0)
        return TRUE;
    if (nPos + nCount > m_data.size())
        m_data.resize(nPos + nCount);
    std::memcpy(m_data.data() + nPos, lpBuf, nCount);
    return TRUE;
}

BOOL CompoundStream::SetSize(ULONGLONG nSize)
{
    if (m_bReadOnly || nSize > kMaxSize)
        return FALSE;
    m_data.resize(nSize);
    return TRUE;
}

BOOL CompoundStream::SetData(const BYTE* lpData, SIZE_T nCount)
{
    if (m_bReadOnly || nCount > kMaxSize)
        return FALSE;
    m_data.assign(lpData, lpData + nCount);
    return TRUE;
}
