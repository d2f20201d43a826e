#include "platform/ole/COleStreamFile.h"

#include "platform/afx/CFileException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/CompoundStream.h"

IMPLEMENT_DYNAMIC(COleStreamFile, CFile)

namespace {

int CauseOf(HRESULT hr)
{
    switch (hr) {
    case STG_E_FILENOTFOUND: return CFileException::fileNotFound;
    case STG_E_ACCESSDENIED:
    case STG_E_FILEALREADYEXISTS: return CFileException::accessDenied;
    case STG_E_INVALIDNAME: return CFileException::badPath;
    case STG_E_MEDIUMFULL: return CFileException::diskFull;
    default: return CFileException::genericException;
    }
}

BOOL Fail(CFileException* pError, HRESULT hr, LPCTSTR lpszName)
{
    if (pError != nullptr) {
        pError->m_cause = CauseOf(hr);
        pError->m_lOsError = hr;
        pError->m_strFileName = lpszName;
    }
    return FALSE;
}

DWORD StorageMode(DWORD nOpenFlags)
{
    return (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) | STGM_SHARE_EXCLUSIVE;
}

}  // namespace

COleStreamFile::COleStreamFile() : m_nPosition(0), m_bReadOnly(FALSE) {}

COleStreamFile::~COleStreamFile() = default;

BOOL COleStreamFile::OpenStream(CompoundStorage* pStorage, LPCTSTR lpszStreamName, DWORD nOpenFlags,
                                CFileException* pError)
{
    if (pStorage == nullptr)
        return Fail(pError, STG_E_INVALIDPOINTER, lpszStreamName);
    std::shared_ptr<CompoundStream> stream;
    const HRESULT hr = pStorage->OpenStream(lpszStreamName, StorageMode(nOpenFlags), &stream);
    if (FAILED(hr))
        return Fail(pError, hr, lpszStreamName);
    Attach(std::move(stream), (nOpenFlags & (modeWrite | modeReadWrite)) == 0);
    m_strFileName = lpszStreamName;
    return TRUE;
}

BOOL COleStreamFile::CreateStream(CompoundStorage* pStorage, LPCTSTR lpszStreamName, DWORD nOpenFlags,
                                  CFileException* pError)
{
    if (pStorage == nullptr)
        return Fail(pError, STG_E_INVALIDPOINTER, lpszStreamName);
    DWORD mode = StorageMode(nOpenFlags);
    if ((nOpenFlags & modeCreate) != 0)
        mode |= STGM_CREATE;
    std::shared_ptr<CompoundStream> stream;
    const HRESULT hr = pStorage->CreateStream(lpszStreamName, mode, &stream);
    if (FAILED(hr))
        return Fail(pError, hr, lpszStreamName);
    Attach(std::move(stream), FALSE);
    m_strFileName = lpszStreamName;
    return TRUE;
}

BOOL COleStreamFile::CreateMemoryStream(CFileException* /*pError*/)
{
    Attach(std::make_shared<CompoundStream>(FALSE), FALSE);
    m_strFileName.Empty();
    return TRUE;
}

void COleStreamFile::Attach(std::shared_ptr<CompoundStream> pStream, BOOL bReadOnly)
{
    m_pStream = std::move(pStream);
    m_nPosition = 0;
    m_bReadOnly = bReadOnly || (m_pStream && m_pStream->IsReadOnly());
}

std::shared_ptr<CompoundStream> COleStreamFile::Detach()
{
    std::shared_ptr<CompoundStream> stream = std::move(m_pStream);
    m_pStream.reset();
    m_nPosition = 0;
    return stream;
}

void COleStreamFile::CheckStream() const
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
}

UINT COleStreamFile::Read(void* lpBuf, UINT nCount)
{
    CheckStream();
    const UINT n = m_pStream->ReadAt(m_nPosition, lpBuf, nCount);
    m_nPosition += n;
    return n;
}

void COleStreamFile::Write(const void* lpBuf, UINT nCount)
{
    CheckStream();
    if (m_bReadOnly)
        AfxThrowFileException(CFileException::accessDenied, -1, m_strFileName);
    if (!m_pStream->WriteAt(m_nPosition, lpBuf, nCount))
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
    m_nPosition += nCount;
}

ULONGLONG COleStreamFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckStream();
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_pStream->GetSize());
    else if (nFrom != begin)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    const LONGLONG limit = static_cast<LONGLONG>(CompoundStream::kMaxSize);
    if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && lOff > limit - base))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<ULONGLONG>(base + lOff);
    return m_nPosition;
}

ULONGLONG COleStreamFile::GetLength() const
{
    CheckStream();
    return m_pStream->GetSize();
}

void COleStreamFile::SetLength(ULONGLONG dwNewLen)
{
    CheckStream();
    if (m_bReadOnly)
        AfxThrowFileException(CFileException::accessDenied, -1, m_strFileName);
    if (!m_pStream->SetSize(dwNewLen))
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG COleStreamFile::GetPosition() const
{
    CheckStream();
    return m_nPosition;
}

void COleStreamFile::Flush()
{
    CheckStream();
}

void COleStreamFile::Close()
{
    m_pStream.reset();
    m_nPosition = 0;
    m_strFileName.Empty();
}

void COleStreamFile::Abort()
{
    Close();
}

void COleStreamFile::LockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

void COleStreamFile::UnlockRange(ULONGLONG, ULONGLONG)
{
    AfxThrowNotSupportedException();
}

CFile* COleStreamFile::Duplicate() const
{
    CheckStream();
    auto* copy = new COleStreamFile;
    copy->m_pStream = m_pStream;
    copy->m_nPosition = m_nPosition;
    copy->m_bReadOnly = m_bReadOnly;
    copy->m_strFileName = m_strFileName;
    return copy;
}
