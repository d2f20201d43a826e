#pragma once
// The Paste Special dialog: the kinds of content the clipboard holds, each under a name, in the order the
// caller adds them; the user picks one. An entry may stand for a link to the content rather than the
// content itself (a file list pasted as a linked file).

#include <vector>

#include "platform/afx/CString.h"
#include "platform/ole/OleDataTypes.h"
#include "platform/win/CDialog.h"
#include "platform/win/CListBox.h"

constexpr DWORD PSF_SELECTPASTE = 0x0002;

class COlePasteSpecialDialog : public CDialog
{
    DECLARE_DYNAMIC(COlePasteSpecialDialog)
public:
    enum : int { kTemplateID = 13011, kList = 2110 };
    enum Selection { pasteOnly = 0, pasteLink = 1 };

    explicit COlePasteSpecialDialog(DWORD dwFlags = PSF_SELECTPASTE, CWnd* pParentWnd = nullptr);
    ~COlePasteSpecialDialog() override;

    // An entry for the format under the name; bLink: pasting it makes a link.
    void AddFormat(CLIPFORMAT cf, const CString& strName, BOOL bLink = FALSE);
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    const CString& GetEntryName(int i) const { return m_entries[static_cast<size_t>(i)].name; }
    // After OK: the chosen entry's format and whether it is a link; the chosen index (-1 before).
    CLIPFORMAT GetSelectedFormat() const;
    int GetSelectionType() const;
    int GetSelectedIndex() const { return m_nSelected; }

    INT_PTR DoModal() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnListDblClk();
    DECLARE_MESSAGE_MAP()

    struct Entry {
        CLIPFORMAT format;
        CString name;
        BOOL link;
    };
    std::vector<Entry> m_entries;
    int m_nSelected = -1;
    CListBox m_list;
};
