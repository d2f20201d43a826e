#pragma once
// Asks the name to register a style under: an editable list of the existing names with the proposal
// chosen. An empty name is refused; a name that exists (ignoring case) is replaced only when confirmed.

#include "platform/afx/CStringArray.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDialog.h"

class CRegisterSettingStyleDialog : public CDialog
{
public:
    enum { IDD = 512 };
    static constexpr int kNameId = 1001;

    explicit CRegisterSettingStyleDialog(CWnd* pParent = nullptr);

    void SetStyleNames(const CStringArray& names);
    void SetStyleName(const CString& name) { m_strProposal = name; }

    CComboBox m_nameList;
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CStringArray m_names;
    CString m_strProposal;
};
