#pragma once
// The file page of the document properties sheet (template 614), display only: the drawing file's
// name, type, folder, size, times and attributes.

#include "platform/afx/CString.h"
#include "platform/win/CPropertyPage.h"

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
};
