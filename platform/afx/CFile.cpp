#include "platform/afx/CFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include "platform/afx/CFileException.h"
#include "platform/afx/CFileStatus.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

namespace {

HANDLE ToHandle(int fd)
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
}

int FromHandle(HANDLE h)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(h));
}

// ENOENT means a missing file, or a missing folder on the way to it (a bad path).
int CauseOfOpenError(int nErrno, const std::string& path)
{
    if (nErrno == ENOENT) {
        const size_t slash = path.find_last_of('/');
        if (slash != std::string::npos && slash > 0) {
            struct stat st;
            const std::string dir = path.substr(0, slash);
            if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return CFileException::badPath;
        }
        return CFileException::fileNotFound;
    }
    return CFileException::OsErrorToException(nErrno);
}

// Takes the advisory lock that stands for the share mode; false on a conflict.
bool LockForShareMode(int fd, UINT nOpenFlags)
{
    const UINT share = nOpenFlags & 0x70;
    const bool wantsWrite = (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    switch (share) {
    case CFile::shareDenyWrite:
        return ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    case CFile::shareDenyNone: {
        // Holds nothing, but must not slip past a holder that denies this access.
        const int probe = wantsWrite ? LOCK_EX : LOCK_SH;
        if (::flock(fd, probe | LOCK_NB) != 0)
            return false;
        ::flock(fd, LOCK_UN);
        return true;
    }
    case CFile::shareDenyRead:
    case CFile::shareExclusive:
    case CFile::shareCompat:
    default:
        return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    }
}

CTime TimeOf(const struct timespec& ts)
{
    return CTime(static_cast<std::time_t>(ts.tv_sec));
}

void FillStatus(const struct stat& st, const CString& fullPath, CFileStatus& rStatus)
{
    rStatus.m_mtime = TimeOf(st.st_mtim);
    rStatus.m_atime = TimeOf(st.st_atim);
    rStatus.m_ctime = TimeOf(st.st_ctim);
    rStatus.m_size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
    BYTE attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= CFile::directory;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attr |= CFile::readOnly;
    const int slash = fullPath.ReverseFind(u'/');
    const CString name = fullPath.Mid(slash + 1);
    if (name.GetLength() > 1 && name[0] == u'.')
        attr |= CFile::hidden;
    rStatus.m_attribute = attr;
    const int n = std::min(fullPath.GetLength(), MAX_PATH - 1);
    for (int i = 0; i < n; ++i)
        rStatus.m_szFullName[i] = fullPath[i];
    rStatus.m_szFullName[n] = 0;
}

void CreationTime(const std::string& path, CFileStatus& rStatus)
{
    struct statx stx;
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME))
        rStatus.m_ctime = CTime(static_cast<std::time_t>(stx.stx_btime.tv_sec));
}

}  // namespace

std::string CFile::NativePath(LPCTSTR lpszFileName)
{
    CString path(lpszFileName);
    path.Replace(u'\\', u'/');
    return path.ToUtf8();
}

CString CFile::FullPath(LPCTSTR lpszFileName)
{
    CString path(lpszFileName);
    path.Replace(u'\\', u'/');
    if (path.IsEmpty())
        return path;
    const QString full = QDir::cleanPath(QDir::current().absoluteFilePath(path.ToQString()));
    return CString::FromQString(full);
}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException* e = new CFileException;
    if (!Open(lpszFileName, nOpenFlags, e))
        throw e;
    delete e;
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

int CFile::Descriptor() const
{
    return FromHandle(m_hFile);
}

void CFile::ThrowErrno(int nErrno) const
{
    CFileException::ThrowErrno(nErrno, m_strFileName);
}

void CFile::CheckOpen() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    auto fail = [&](int cause, int nErrno, const CString& name) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = nErrno;
            pError->m_strFileName = name;
        }
        return FALSE;
    };
    if (lpszFileName == nullptr || lpszFileName[0] == 0)
        return fail(CFileException::badPath, -1, CString());

    const CString fullPath = FullPath(lpszFileName);
    const std::string native = fullPath.ToUtf8();

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT;  // truncated below, once the share lock is held

    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int err = errno;
        return fail(CauseOfOpenError(err, native), err, fullPath);
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(CFileException::accessDenied, EISDIR, fullPath);
    }
    if (!LockForShareMode(fd, nOpenFlags)) {
        ::close(fd);
        return fail(CFileException::sharingViolation, EWOULDBLOCK, fullPath);
    }
    if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) && (nOpenFlags & 3) != modeRead) {
        if (::ftruncate(fd, 0) != 0) {
            const int err = errno;
            ::close(fd);
            return fail(CFileException::OsErrorToException(err), err, fullPath);
        }
    }
    m_hFile = ToHandle(fd);
    m_bCloseOnDelete = TRUE;
    m_strFileName = fullPath;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    CheckOpen();
    if (nCount == 0)
        return 0;
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT total = 0;
    while (total < nCount) {
        const ssize_t n = ::read(Descriptor(), out + total, nCount - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            // A descriptor open for writing only refuses reads.
            ThrowErrno(errno == EBADF ? EACCES : errno);
        }
        if (n == 0)
            break;
        total += static_cast<UINT>(n);
    }
    return total;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    CheckOpen();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    UINT total = 0;
    while (total < nCount) {
        const ssize_t n = ::write(Descriptor(), in + total, nCount - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno == EBADF ? EACCES : errno);
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        total += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckOpen();
    int whence = SEEK_SET;
    if (nFrom == current)
        whence = SEEK_CUR;
    else if (nFrom == end)
        whence = SEEK_END;
    const off_t pos = ::lseek(Descriptor(), static_cast<off_t>(lOff), whence);
    if (pos < 0) {
        const int err = errno;
        AfxThrowFileException(err == EINVAL ? CFileException::badSeek : CFileException::OsErrorToException(err), err,
                              m_strFileName);
    }
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    CheckOpen();
    struct stat st;
    if (::fstat(Descriptor(), &st) != 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    CheckOpen();
    if (::ftruncate(Descriptor(), static_cast<off_t>(dwNewLen)) != 0)
        ThrowErrno(errno == EBADF || errno == EINVAL ? EACCES : errno);
}

ULONGLONG CFile::GetPosition() const
{
    CheckOpen();
    const off_t pos = ::lseek(Descriptor(), 0, SEEK_CUR);
    if (pos < 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(pos);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(Descriptor()) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    const int fd = Descriptor();
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    const CString name = m_strFileName;
    m_strFileName.Empty();
    if (::close(fd) != 0 && errno != EINTR)
        CFileException::ThrowErrno(errno, name);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::close(Descriptor());
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    CheckOpen();
    struct flock fl = {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(dwPos);
    fl.l_len = static_cast<off_t>(dwCount);
    if (::fcntl(Descriptor(), F_SETLK, &fl) != 0) {
        // A read-only descriptor can still take a read lock.
        fl.l_type = F_RDLCK;
        if (errno != EBADF || ::fcntl(Descriptor(), F_SETLK, &fl) != 0)
            AfxThrowFileException(CFileException::lockViolation, errno, m_strFileName);
    }
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    CheckOpen();
    struct flock fl = {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(dwPos);
    fl.l_len = static_cast<off_t>(dwCount);
    if (::fcntl(Descriptor(), F_SETLK, &fl) != 0)
        AfxThrowFileException(CFileException::lockViolation, errno, m_strFileName);
}

CFile* CFile::Duplicate() const
{
    CheckOpen();
    const int fd = ::fcntl(Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        ThrowErrno(errno);
    CFile* pFile = new CFile(ToHandle(fd));
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

CString CFile::GetFileName() const
{
    const int slash = m_strFileName.ReverseFind(u'/');
    return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Left(dot) : name;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = FullPath(lpszNewName);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    if (m_hFile == hFileNull)
        return FALSE;
    struct stat st;
    if (::fstat(Descriptor(), &st) != 0)
        return FALSE;
    FillStatus(st, m_strFileName, rStatus);
    if (!m_strFileName.IsEmpty())
        CreationTime(m_strFileName.ToUtf8(), rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == nullptr || lpszFileName[0] == 0)
        return FALSE;
    const CString fullPath = FullPath(lpszFileName);
    const std::string native = fullPath.ToUtf8();
    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        return FALSE;
    FillStatus(st, fullPath, rStatus);
    CreationTime(native, rStatus);
    return TRUE;
}

void CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status)
{
    const CString fullPath = FullPath(lpszFileName);
    const std::string native = fullPath.ToUtf8();
    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        CFileException::ThrowErrno(errno, fullPath);
    if (status.m_mtime.GetTime() != 0) {
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = status.m_mtime.GetTime();
        times[1].tv_nsec = 0;
        if (::utimensat(AT_FDCWD, native.c_str(), times, 0) != 0)
            CFileException::ThrowErrno(errno, fullPath);
    }
    mode_t mode = st.st_mode & 07777;
    if (status.m_attribute & readOnly)
        mode &= ~(S_IWUSR | S_IWGRP | S_IWOTH);
    else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(native.c_str(), mode) != 0)
        CFileException::ThrowErrno(errno, fullPath);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    const CString oldPath = FullPath(lpszOldName);
    const std::string from = oldPath.ToUtf8();
    const std::string to = FullPath(lpszNewName).ToUtf8();
    struct stat stFrom;
    if (::lstat(from.c_str(), &stFrom) != 0)
        CFileException::ThrowErrno(errno, oldPath);
    struct stat stTo;
    if (::lstat(to.c_str(), &stTo) == 0 && !(stTo.st_dev == stFrom.st_dev && stTo.st_ino == stFrom.st_ino))
        CFileException::ThrowErrno(EEXIST, oldPath);  // a rename never replaces another file
    if (::rename(from.c_str(), to.c_str()) != 0)
        CFileException::ThrowErrno(errno, oldPath);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    const CString fullPath = FullPath(lpszFileName);
    if (::unlink(fullPath.ToUtf8().c_str()) != 0)
        CFileException::ThrowErrno(errno, fullPath);
}
