#pragma once
// The file page of the document properties sheet (template 614): the drawing file's icon, name, type,
// folder, size, times and attributes. The read-only and hidden boxes change the file on OK.

#include "platform/afx/CString.h"
#include "platform/win/CPropertyPage.h"
#include "platform/win/WinTypes.h"

class CQZ2Doc;

class CFileInfoPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CFileInfoPropertyPage)
public:
    enum { IDD = 614 };

    CFileInfoPropertyPage();
    ~CFileInfoPropertyPage() override;

    void SetDocument(CQZ2Doc* pDocument) { m_pDocument = pDocument; }

    // "1,234.5 KB (1,264,128 bytes)": the size in bytes, KB or MB (1024 stays in the smaller unit).
    static CString FormatFileSize(ULONGLONG nSize);
    // Commas between groups of three digits before the first "."; the rest as it was.
    static CString InsertThousandsSeparators(const CString& strNumber);

    BOOL OnInitDialog() override;
    // Applies a changed read-only or hidden box to the file; a failure is reported, the sheet closes.
    BOOL OnApply() override;

    // Hidden as file managers here see it: a name starting with a dot, or listed in the folder's
    // ".hidden" file.
    static BOOL IsFileHidden(const CString& strPath);
    // Lists the file in (or takes it off) its folder's ".hidden" file; the name itself never changes.
    // FALSE when the list cannot be written or a dot name would have to be unhidden.
    static BOOL SetFileHidden(const CString& strPath, BOOL bHidden);
    // Takes away every write permission, or gives the owner's back. FALSE when the system refuses.
    static BOOL SetFileReadOnly(const CString& strPath, BOOL bReadOnly);
    HICON GetFileIcon() const { return m_hIcon; }

    CString m_strName;
    CString m_strType;
    CString m_strFolder;
    CString m_strSize;
    CString m_strCreated;
    CString m_strModified;
    CString m_strAccessed;
    int m_bReadOnly = FALSE;
    int m_bHidden = FALSE;
    int m_bArchive = FALSE;
    int m_bSystem = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Fills the fields from the document's file.
    void ReadFile();

    CQZ2Doc* m_pDocument = nullptr;
    // The file's icon (owned); null without a file.
    HICON m_hIcon = nullptr;
    // The attribute boxes as the file had them when the page opened.
    int m_bReadOnlyShown = FALSE;
    int m_bHiddenShown = FALSE;
};
