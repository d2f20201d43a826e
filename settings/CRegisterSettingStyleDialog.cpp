#include "settings/CRegisterSettingStyleDialog.h"

#include "command/LoadResourceString.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace {
constexpr UINT IDS_EMPTY_STYLE_NAME = 10370;
constexpr UINT IDS_REPLACE_STYLE = 10371;
constexpr int kMaxNameLength = 255;
}  // namespace

CRegisterSettingStyleDialog::CRegisterSettingStyleDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

void CRegisterSettingStyleDialog::SetStyleNames(const CStringArray& names)
{
    m_names.RemoveAll();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_names.Add(names.GetAt(i));
}

void CRegisterSettingStyleDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kNameId, m_nameList);
    DDX_CBString(pDX, kNameId, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxNameLength);
}

BOOL CRegisterSettingStyleDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
        m_nameList.AddString(m_names.GetAt(i));
    if (m_strProposal.IsEmpty())
        m_nameList.SetCurSel(-1);
    else
        m_nameList.SelectString(-1, m_strProposal);
    m_nameList.SetDroppedWidth(250);
    m_nameList.LimitText(kMaxNameLength);
    return TRUE;
}

void CRegisterSettingStyleDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strName.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_EMPTY_STYLE_NAME), MB_ICONEXCLAMATION);
        GotoDlgCtrl(&m_nameList);
        return;
    }
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i) {
        if (m_names.GetAt(i).CompareNoCase(m_strName) != 0)
            continue;
        CString question;
        question.Format(LoadResourceString(IDS_REPLACE_STYLE), static_cast<LPCTSTR>(m_strName));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return;
    }
    EndDialog(IDOK);
}
