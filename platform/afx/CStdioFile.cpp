#include "platform/afx/CStdioFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/afx/CFileException.h"
#include "platform/afx/CNotSupportedException.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(nullptr)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    if (pOpenStream != nullptr)
        m_hFile = reinterpret_cast<HANDLE>(static_cast<intptr_t>(::fileno(pOpenStream)));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    CFileException* e = new CFileException;
    if (!Open(lpszFileName, nOpenFlags, e))
        throw e;
    delete e;
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != nullptr)
        Abort();
    if (!CFile::Open(lpszFileName, nOpenFlags, pError))
        return FALSE;
    const char* mode = "rb";
    switch (nOpenFlags & 3) {
    case modeWrite: mode = "wb"; break;  // fdopen never truncates
    case modeReadWrite: mode = "r+b"; break;
    default: break;
    }
    m_bReadOnly = (nOpenFlags & 3) == modeRead;
    m_pStream = ::fdopen(Descriptor(), mode);
    if (m_pStream == nullptr) {
        const int err = errno;
        const CString name = m_strFileName;
        CFile::Abort();
        if (pError != nullptr) {
            pError->m_cause = CFileException::OsErrorToException(err);
            pError->m_lOsError = err;
            pError->m_strFileName = name;
        }
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::CheckStream() const
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    CheckStream();
    if (nCount == 0)
        return 0;
    const size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
    if (n < nCount && std::ferror(m_pStream)) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err == EBADF ? EACCES : err);
    }
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    CheckStream();
    if (nCount == 0)
        return;
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err == EBADF ? EACCES : (err == 0 ? ENOSPC : err));
    }
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return;
    const std::string bytes = CString(lpsz).ToUtf8();
    size_t left = bytes.size();
    const char* p = bytes.data();
    while (left > 0) {
        const UINT n = static_cast<UINT>(std::min<size_t>(left, 0x40000000));
        Write(p, n);
        p += n;
        left -= n;
    }
}

bool CStdioFile::ReadLineBytes(std::string& bytes, size_t nMaxUnits)
{
    CheckStream();
    bytes.clear();
    if (::ftello(m_pStream) == 0) {
        // A UTF-8 mark at the start of the file is no text.
        unsigned char mark[3];
        const size_t n = std::fread(mark, 1, 3, m_pStream);
        if (!(n == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF))
            ::fseeko(m_pStream, 0, SEEK_SET);
    }
    bool any = false;
    size_t units = 0;
    for (;;) {
        const int c = std::getc(m_pStream);
        if (c == EOF)
            break;
        if ((c & 0xC0) != 0x80) {
            // A character starts: one UTF-16 unit, two for those beyond the basic plane. Stop before one
            // that does not fit, so a character is never split.
            const size_t need = c >= 0xF0 ? 2 : 1;
            if (units + need > nMaxUnits) {
                std::ungetc(c, m_pStream);
                break;
            }
            units += need;
        }
        any = true;
        bytes.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (std::ferror(m_pStream)) {
        const int err = errno;
        std::clearerr(m_pStream);
        ThrowErrno(err == EBADF ? EACCES : err);
    }
    return any;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string bytes;
    if (!ReadLineBytes(bytes, std::string::npos)) {
        rString.Empty();
        return FALSE;
    }
    if (!bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    rString = CString::FromUtf8(bytes);
    return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    lpsz[0] = 0;
    std::string bytes;
    if (!ReadLineBytes(bytes, nMax - 1))
        return nullptr;
    if (bytes.size() >= 2 && bytes[bytes.size() - 1] == '\n' && bytes[bytes.size() - 2] == '\r')
        bytes.erase(bytes.size() - 2, 1);
    const CString text = CString::FromUtf8(bytes);
    const UINT n = std::min<UINT>(static_cast<UINT>(text.GetLength()), nMax - 1);
    for (UINT i = 0; i < n; ++i)
        lpsz[i] = text[i];
    lpsz[n] = 0;
    return lpsz;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckStream();
    int whence = SEEK_SET;
    if (nFrom == current)
        whence = SEEK_CUR;
    else if (nFrom == end)
        whence = SEEK_END;
    if (::fseeko(m_pStream, static_cast<off_t>(lOff), whence) != 0) {
        const int err = errno;
        AfxThrowFileException(err == EINVAL ? CFileException::badSeek : CFileException::OsErrorToException(err), err,
                              m_strFileName);
    }
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    CheckStream();
    const off_t pos = ::ftello(m_pStream);
    if (pos < 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const
{
    CheckStream();
    if (!m_bReadOnly)
        std::fflush(m_pStream);
    struct stat st;
    if (::fstat(::fileno(m_pStream), &st) != 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    CheckStream();
    std::fflush(m_pStream);
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    if (m_pStream == nullptr)
        return;
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
}

void CStdioFile::Close()
{
    if (m_pStream == nullptr) {
        CFile::Close();
        return;
    }
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    const CString name = m_strFileName;
    m_strFileName.Empty();
    if (std::fclose(stream) != 0)
        CFileException::ThrowErrno(errno, name);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
