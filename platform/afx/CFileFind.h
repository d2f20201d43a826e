#pragma once
// Lists the entries of one folder that match a wildcard pattern ("dir/KcResource*.rcc", "*.*").
// '*' matches any run of characters and '?' any one character, ignoring case; "*.*" matches every name.
// Entries come in name order, "." and ".." included when the pattern matches them.
//
//     CFileFind finder;
//     BOOL bWorking = finder.FindFile(_T("dir/*.pat"));
//     while (bWorking) {
//         bWorking = finder.FindNextFile();
//         ... finder.GetFilePath() ...
//     }

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CTime;

class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    // Starts a search; NULL searches "*.*" in the current folder. TRUE when something matches.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when the match moved to is the last one (it is still valid).
    virtual BOOL FindNextFile();
    void Close();

    CString GetFilePath() const;   // folder and name
    CString GetFileName() const;   // name with extension
    CString GetFileTitle() const;  // name without extension
    CString GetRoot() const;       // the folder searched
    CString GetFileURL() const;
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;

    BOOL IsDots() const;
    BOOL IsDirectory() const;
    BOOL IsReadOnly() const;
    BOOL IsHidden() const;
    BOOL IsSystem() const { return FALSE; }
    BOOL IsArchived() const { return !IsDirectory(); }
    BOOL IsNormal() const { return !IsDirectory() && !IsReadOnly() && !IsHidden(); }
    BOOL IsTemporary() const { return FALSE; }
    BOOL IsCompressed() const { return FALSE; }
    // True when the found entry has any of the attributes in dwMask (CFile::Attribute bits).
    BOOL MatchesMask(DWORD dwMask) const;

    // The wildcard match used by FindFile (exposed for callers that filter names themselves).
    static bool MatchWildcard(const CString& name, const CString& pattern);

private:
    struct Found
    {
        CString name;
        ULONGLONG size = 0;
        long long mtime = 0;
        long long atime = 0;
        long long ctime = 0;
        BYTE attribute = 0;
    };
    bool HasCurrent() const { return m_nCurrent >= 0 && m_nCurrent < (int)m_found.size(); }

    CString m_strRoot;
    std::vector<Found> m_found;
    int m_nCurrent;
};
