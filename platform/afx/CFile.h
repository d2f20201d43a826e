#pragma once
// A binary file over a POSIX file descriptor.
//
// Paths use '/' separators; '\\' is accepted as a separator too. Failures throw CFileException with the
// cause and the file's path (Open with an exception object reports instead of throwing).
//
// Sharing: share flags are kept with advisory locks (flock), so two opens of one file conflict as they
// would on the original platform: shareExclusive (and the compatibility mode, which means the same) holds an
// exclusive lock, shareDenyWrite a shared one, shareDenyRead an exclusive one; shareDenyNone holds none but
// fails against an exclusive holder (and a writer fails against a shareDenyWrite holder). A conflict is
// reported as sharingViolation.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CFileException;
struct CFileStatus;

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
        typeUnicode = 0x100000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps an open descriptor (as a HANDLE); it is not closed on destruction.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes the file if open, without throwing.
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Returns FALSE on failure and, when pError is given, fills it with the cause.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // Returns the number of bytes read: fewer than nCount only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    // Moves the position (lOff from begin, current or end); returns the new position.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    // Writes everything to the disk.
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    // A second CFile on a duplicate descriptor.
    virtual CFile* Duplicate() const;

    // The absolute path, its last component, and that without its extension.
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Sets the modification time (when not zero) and the read-only attribute.
    static void SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);
    // Renames or moves a file; fails (accessDenied) when the new name exists.
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    operator HANDLE() const { return m_hFile; }

    // The descriptor as a HANDLE (hFileNull when closed).
    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;

    // Paths as the file system takes them: '\\' turned into '/', as UTF-8.
    static std::string NativePath(LPCTSTR lpszFileName);
    // The absolute, cleaned form of a path, with '/' separators.
    static CString FullPath(LPCTSTR lpszFileName);

protected:
    int Descriptor() const;
    [[noreturn]] void ThrowErrno(int nErrno) const;
    void CheckOpen() const;

    CString m_strFileName;
};
