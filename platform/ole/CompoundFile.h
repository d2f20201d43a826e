#pragma once
// A compound file (structured storage) on disk or in memory, read and written through libgsf.
//
// Opening reads the whole file into a tree of CompoundStorage and CompoundStream held in memory; changes
// are made there and reach the disk only with Commit, which writes the file anew: a temporary file in the
// same folder, flushed, then renamed over the target. A save that fails at any point leaves the previous
// file as it was. This is the transacted mode of the storage calls the system's code uses; Revert drops
// every change since the last Commit.
//
// While a file is open it is locked against other programs (advisory locks, as CFile keeps its share
// modes): read-write holds an exclusive lock, read-only a shared one. Opening a file that another holder
// keeps read-write, or opening read-write a file that others have open, fails with sharingViolation; the
// caller may then open it read-only.
//
// Errors throw: CFileException for the file system (with errno and the path), CompoundFileException (a
// COleException with a STG_E_ status) for a file that is not a compound file, a damaged one, or a write
// into a file opened read-only.

#include <memory>

#include "platform/ole/OleTypes.h"

class CByteArray;
class CompoundStorage;

class CompoundFile
{
public:
    CompoundFile();
    ~CompoundFile();
    CompoundFile(const CompoundFile&) = delete;
    CompoundFile& operator=(const CompoundFile&) = delete;

    // An empty compound file bound to the path. Nothing is written (an existing file is neither read nor
    // touched) until Commit; a file that exists and may not be written fails now with accessDenied.
    void Create(LPCTSTR lpszPathName);
    // Reads the file. With bReadOnly the storage refuses changes and Commit fails; without it, the file
    // must be writable (else CFileException accessDenied).
    void Open(LPCTSTR lpszPathName, BOOL bReadOnly);
    // A compound file that lives in memory only (SaveToMemory gives its bytes).
    void CreateInMemory();
    void OpenFromMemory(const BYTE* lpData, SIZE_T nCount, BOOL bReadOnly = FALSE, LPCTSTR lpszName = nullptr);
    // A quick read-only look at some streams of the root storage: only those the filter keeps are read;
    // the other streams and every sub-storage are left out of the tree.
    typedef BOOL (*RootStreamFilter)(const CString& name);
    void OpenRootStreamsFromMemory(const BYTE* lpData, SIZE_T nCount, RootStreamFilter pfnKeep,
                                   LPCTSTR lpszName = nullptr);

    // Writes the whole file to its path. Nothing to write for a file in memory.
    void Commit(DWORD grfCommitFlags = STGC_DEFAULT);
    // Writes the whole file to another path and binds to it from then on (read-write).
    void SaveAs(LPCTSTR lpszPathName);
    // Writes the whole file to another path and stays bound to its own (a saved copy).
    void SaveCopyAs(LPCTSTR lpszPathName) const;
    // The compound file's bytes as Commit would write them.
    void SaveToMemory(CByteArray& data) const;
    // Drops the changes since the last Commit (or since opening): re-reads the file, or empties a new one.
    void Revert();
    // Drops the tree without writing.
    void Close();

    BOOL IsOpen() const { return m_pRoot != nullptr; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsInMemory() const { return m_strPathName.IsEmpty(); }
    const CString& GetPathName() const { return m_strPathName; }
    // NULL when closed.
    CompoundStorage* GetRootStorage() const { return m_pRoot.get(); }

    // TRUE when the bytes begin with the compound file signature.
    static BOOL IsCompoundFile(const BYTE* lpData, SIZE_T nCount);
    static BOOL IsCompoundFile(LPCTSTR lpszPathName);

private:
    static int LockFile(const CString& path, BOOL bExclusive);
    void Unlock();
    void Relock();
    void Load(const BYTE* lpData, SIZE_T nCount, BOOL bReadOnly, LPCTSTR lpszName, RootStreamFilter pfnKeep = nullptr);
    void WriteFile(LPCTSTR lpszPathName) const;
    void WriteUnlessHeld(const CString& path) const;

    std::unique_ptr<CompoundStorage> m_pRoot;
    CString m_strPathName;
    BOOL m_bReadOnly;
    BOOL m_bExists;  // the path holds the committed file (Revert reads it back)
    int m_nLockFd;   // the descriptor that holds the lock on the file, -1 for none
};

// The storage calls of the system's code that are not members of a storage.
// S_OK for a compound file, S_FALSE for another file, STG_E_FILENOTFOUND when it cannot be read.
HRESULT StgIsStorageFile(LPCTSTR lpszPathName);
HRESULT WriteClassStg(CompoundStorage* pStorage, REFCLSID clsid);
HRESULT ReadClassStg(const CompoundStorage* pStorage, CLSID* pClsid);
