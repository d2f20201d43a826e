#pragma once
// The Insert Object dialog: a new object made from one of the desktop's document templates (the files of
// the user's Templates folder), or an object from a chosen file, embedded or, with the Link box, linked.
// There is no object server here: the program keeps the file itself (see GetPathName).

#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CButton.h"
#include "platform/win/CDialog.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListBox.h"

constexpr DWORD IOF_SELECTCREATENEW = 0x0004;
constexpr DWORD IOF_SELECTCREATEFROMFILE = 0x0008;
constexpr DWORD IOF_CHECKLINK = 0x0010;

class COleInsertDialog : public CDialog
{
    DECLARE_DYNAMIC(COleInsertDialog)
public:
    enum Selection { createNewItem = 0, insertFromFile = 1, linkToFile = 2 };
    // The template and the controls, for the program's resources and for tests.
    enum : int {
        kTemplateID = 13010,
        kCreateNew = 2100,
        kCreateFromFile = 2101,
        kTemplateList = 2102,
        kFileEdit = 2103,
        kBrowse = 2104,
        kLink = 2105,
        kResult = 2106
    };

    explicit COleInsertDialog(DWORD dwFlags = IOF_SELECTCREATENEW, CWnd* pParentWnd = nullptr);
    ~COleInsertDialog() override;

    INT_PTR DoModal() override;
    // After OK: what was chosen, and the file: the template to copy for a new object, the file otherwise.
    int GetSelectionType() const { return m_nSelection; }
    const CString& GetPathName() const { return m_strPath; }
    // The folder whose files are offered for a new object (the desktop's Templates folder).
    static CString GetTemplatesFolder();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChoice();
    afx_msg void OnBrowse();
    afx_msg void OnListDblClk();
    void UpdateControls();
    DECLARE_MESSAGE_MAP()

    DWORD m_dwFlags;
    int m_nSelection = createNewItem;
    CString m_strPath;
    CListBox m_list;
    CStringArray m_templates;
};
