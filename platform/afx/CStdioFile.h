#pragma once
// A buffered file of text lines. Text is UTF-8 on disk (a UTF-8 byte-order mark at the start is skipped);
// lines end in "\n", and "\r\n" is read as a line end too.

#include <cstdio>

#include "platform/afx/CFile.h"

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Wraps an open stream; it is not closed on destruction.
    explicit CStdioFile(FILE* pOpenStream);
    // Opens the file or throws CFileException.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // Writes the text as UTF-8, unchanged (include "\n" to end a line).
    virtual void WriteString(LPCTSTR lpsz);
    // Reads one line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Reads at most nMax - 1 units of one line, keeping its "\n"; NULL at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    CFile* Duplicate() const override;

    FILE* m_pStream;

private:
    void CheckStream() const;
    bool m_bReadOnly = false;  // nothing buffered to write: no flush needed to see the length
    // Reads the bytes of one line (with its '\n'), at most nMaxUnits UTF-16 units of it; false at the end.
    bool ReadLineBytes(std::string& bytes, size_t nMaxUnits);
};
