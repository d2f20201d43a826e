#include "controls/CQZ2MessageBox.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"

IMPLEMENT_DYNAMIC(CQZ2MessageBox, CDialog)

BEGIN_MESSAGE_MAP(CQZ2MessageBox, CDialog)
    ON_BN_CLICKED(IDYES, &CQZ2MessageBox::OnYes)
    ON_BN_CLICKED(2436, &CQZ2MessageBox::OnYesToAll)
    ON_BN_CLICKED(IDNO, &CQZ2MessageBox::OnNo)
END_MESSAGE_MAP()

CQZ2MessageBox::CQZ2MessageBox(CWnd* pParent) : CDialog(kTemplateId, pParent) {}
CQZ2MessageBox::~CQZ2MessageBox() = default;

void CQZ2MessageBox::SetMessageText(LPCTSTR lpszText) { m_strMessage = lpszText != nullptr ? lpszText : u""; }

void CQZ2MessageBox::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 2438, m_iconStatic);
    DDX_Text(pDX, 2439, m_strMessage);
}

BOOL CQZ2MessageBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    LPCTSTR icon = nullptr;
    switch (m_nIconKind) {
    case 0: icon = IDI_ERROR; break;
    case 1: icon = IDI_INFORMATION; break;
    case 2: icon = IDI_QUESTION; break;
    default: break;
    }
    if (icon != nullptr) {
        m_iconStatic.ModifyStyle(0, SS_ICON);
        m_iconStatic.SetIcon(::LoadIcon(nullptr, icon));
    } else {
        m_iconStatic.ShowWindow(SW_HIDE);
    }
    SetWindowText(m_strTitle);
    UpdateData(FALSE);
    return TRUE;
}

void CQZ2MessageBox::OnYes() { EndDialog(IDYES); }
void CQZ2MessageBox::OnYesToAll() { EndDialog(kYesToAll); }
void CQZ2MessageBox::OnNo() { EndDialog(IDNO); }
void CQZ2MessageBox::OnCancel() { EndDialog(IDCANCEL); }
