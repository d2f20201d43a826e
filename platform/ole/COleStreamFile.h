#pragma once
// A CFile over one stream of a compound file, so that a CArchive can be laid over the stream. Reads and
// writes go straight to the stream's bytes in memory; they reach the disk when the compound file is
// committed. Open and create failures report CFileException causes: fileNotFound for a missing stream,
// accessDenied for a read-only file or an existing stream that is not to be replaced, badPath for a name a
// storage cannot hold.

#include <memory>

#include "platform/afx/CFile.h"

class CompoundStorage;
class CompoundStream;

class COleStreamFile : public CFile
{
    DECLARE_DYNAMIC(COleStreamFile)
public:
    COleStreamFile();
    ~COleStreamFile() override;

    // nOpenFlags are CFile flags (modeRead, modeWrite, modeReadWrite; share flags are accepted).
    BOOL OpenStream(CompoundStorage* pStorage, LPCTSTR lpszStreamName,
                    DWORD nOpenFlags = modeReadWrite | shareExclusive, CFileException* pError = nullptr);
    // With modeCreate an existing stream of that name is replaced; without it, it is an error.
    BOOL CreateStream(CompoundStorage* pStorage, LPCTSTR lpszStreamName,
                      DWORD nOpenFlags = modeReadWrite | shareExclusive | modeCreate,
                      CFileException* pError = nullptr);
    // A stream of its own in memory, belonging to no storage.
    BOOL CreateMemoryStream(CFileException* pError = nullptr);

    void Attach(std::shared_ptr<CompoundStream> pStream, BOOL bReadOnly = FALSE);
    std::shared_ptr<CompoundStream> Detach();
    const std::shared_ptr<CompoundStream>& GetStream() const { return m_pStream; }
    BOOL IsOpen() const { return m_pStream != nullptr; }

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    CFile* Duplicate() const override;

private:
    void CheckStream() const;

    std::shared_ptr<CompoundStream> m_pStream;
    ULONGLONG m_nPosition;
    BOOL m_bReadOnly;
};
