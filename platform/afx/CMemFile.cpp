#include "platform/afx/CMemFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/afx/CFileException.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CNotSupportedException.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {
// Memory files stay below what a UINT-sized archive can address in one piece of arithmetic.
const SIZE_T kMaxMemFileSize = SIZE_T(1) << 40;
}

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes)
{
    if (nBytes != 0)
        std::memcpy(lpMemTarget, lpMemSource, nBytes);
    return lpMemTarget;
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);  // a fixed buffer
    if (dwNewLen > kMaxMemFileSize)
        AfxThrowMemoryException();
    // Whole steps of the grow size, and at least doubling so that long writes stay linear.
    SIZE_T newSize = ((dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes) * m_nGrowBytes;
    newSize = std::max(newSize, std::min(m_nBufferSize * 2, kMaxMemFileSize));
    BYTE* lpNew;
    if (m_lpBuffer == nullptr || !m_bAutoDelete) {
        // The caller's buffer is never reallocated or freed: copy it into one of our own.
        lpNew = Alloc(newSize);
        if (lpNew != nullptr && m_lpBuffer != nullptr)
            Memcpy(lpNew, m_lpBuffer, m_nFileSize);
    } else {
        lpNew = Realloc(m_lpBuffer, newSize);
    }
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    const SIZE_T n = std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const SIZE_T newEnd = m_nPosition + nCount;
    if (newEnd > m_nBufferSize)
        GrowFile(newEnd);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);  // the gap after a seek
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = newEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    const LONGLONG pos = base + lOff;
    if (pos < 0 || static_cast<ULONGLONG>(pos) > kMaxMemFileSize)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(pos);
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > kMaxMemFileSize)
        AfxThrowMemoryException();
    const SIZE_T n = static_cast<SIZE_T>(dwNewLen);
    if (n > m_nBufferSize)
        GrowFile(n);
    if (n > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    m_nFileSize = n;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    m_nPosition = 0;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_bAutoDelete = TRUE;
}

void CMemFile::Abort()
{
    Close();
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
