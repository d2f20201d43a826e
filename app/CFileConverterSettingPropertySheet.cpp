#include "app/CFileConverterSettingPropertySheet.h"

#include "command/LoadResourceString.h"
#include "controls/HelpButtonImage.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CFileConverterSettingPropertySheet, CPropertySheet)

namespace {
constexpr UINT IDS_SHOW_AT_CONVERSION = 10203;
constexpr int kHelpButtonWidth = 26;
constexpr int kShowCheckWidth = 120;
}  // namespace

CFileConverterSettingPropertySheet::CFileConverterSettingPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd,
                                                                       UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

CFileConverterSettingPropertySheet::~CFileConverterSettingPropertySheet() = default;

BOOL CFileConverterSettingPropertySheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    CWnd* pOK = GetDlgItem(IDOK);
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pOK == nullptr || pCancel == nullptr || pHelp == nullptr)
        return result;
    // Help moves to its own icon button on the left; OK and Cancel close up to the right edge.
    CRect rcOK, rcCancel, rcHelp;
    pOK->GetWindowRect(&rcOK);
    pCancel->GetWindowRect(&rcCancel);
    pHelp->GetWindowRect(&rcHelp);
    ScreenToClient(&rcOK);
    ScreenToClient(&rcCancel);
    ScreenToClient(&rcHelp);
    pHelp->ShowWindow(SW_HIDE);
    pOK->MoveWindow(&rcCancel);
    pCancel->MoveWindow(&rcHelp);

    const int left = m_rcPage.left;
    CRect rcButton(left, rcOK.top, left + kHelpButtonWidth, rcOK.bottom);
    if (m_helpButton.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, rcButton, this,
                            ID_HELP)) {
        if (LoadHelpButtonImage(m_helpImage))
            m_helpButton.SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    }
    CRect rcCheck(rcButton.right + 6, rcOK.top, rcButton.right + 6 + kShowCheckWidth, rcOK.bottom);
    // Room permitting, the check box takes what lies between the help button and OK (now at Cancel's
    // place), so that longer texts are not cut.
    if (rcCancel.left - 6 > rcCheck.right)
        rcCheck.right = rcCancel.left - 6;
    if (m_showCheck.Create(LoadResourceString(IDS_SHOW_AT_CONVERSION), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                           rcCheck, this, IDC_SHOW_AT_CONVERSION)) {
        m_showCheck.SetFont(GetFont());
        m_showCheck.SetCheck(m_bShowAtConversion ? BST_CHECKED : BST_UNCHECKED);
    }
    return result;
}

BOOL CFileConverterSettingPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK && m_showCheck.GetSafeHwnd() != nullptr)
        m_bShowAtConversion = m_showCheck.GetCheck() == BST_CHECKED ? TRUE : FALSE;
    return CPropertySheet::OnCommand(wParam, lParam);
}
