#include "commands/shape/CTextEditDialog.h"

#include "command/CommandManager.h"
#include "command/ParameterHistory.h"
#include "command/TextParameterItem.h"
#include "platform/afx/CRect.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CEdit.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinImm.h"
#include "platform/win/WinInput.h"

using QZ2Command::CommandManager;
using QZ2Command::ParameterHistory;
using QZ2Command::TextParameterItem;

namespace {

constexpr UINT kOkTooltip = 10391;
constexpr UINT kHistoryMenu = 243;
constexpr UINT kHelpBitmap = 404;
constexpr int kTextType = 5;

}  // namespace

BEGIN_MESSAGE_MAP(CTextEditDialog, CDialog)
ON_EN_CHANGE(CTextEditDialog::kTextEdit, &CTextEditDialog::OnTextChange)
ON_EN_SETFOCUS(CTextEditDialog::kTextEdit, &CTextEditDialog::OnTextSetFocus)
ON_EN_KILLFOCUS(CTextEditDialog::kTextEdit, &CTextEditDialog::OnTextKillFocus)
ON_BN_CLICKED(CTextEditDialog::kHistoryButton, &CTextEditDialog::OnHistory)
END_MESSAGE_MAP()

CTextEditDialog::CTextEditDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CTextEditDialog::~CTextEditDialog() = default;

void CTextEditDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, kHistoryButton, m_historyButton);
    if (GetDlgItem(kHelpButton) != nullptr)
        DDX_Control(pDX, kHelpButton, m_helpButton);
    DDX_Text(pDX, kTextEdit, m_strText);
}

BOOL CTextEditDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    CString tooltip;
    tooltip.LoadString(kOkTooltip);
    m_okButton.SetTooltip(tooltip);
    if (m_helpButton.GetSafeHwnd() != nullptr)
        m_helpButton.SetImage(kHelpBitmap);

    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    BOOL bSaveEnabled = FALSE;
    BOOL bState = FALSE;
    if (shell.pfnGetImeOptions != nullptr && shell.pfnGetImeOptions(&bSaveEnabled, &bState) && bSaveEnabled)
        m_bImeOpen = bState ? TRUE : FALSE;

    if (m_pHistory != nullptr && m_historyMenu.LoadMenu(kHistoryMenu)) {
        m_historyButton.m_bStayPressed = TRUE;
        CMenu* pPopup = m_historyMenu.GetSubMenu(0);
        if (pPopup != nullptr) {
            const int nCount = m_pHistory->GetCount(kTextType);
            for (int i = kHistorySlots - 1; i >= 0; --i) {
                if (i >= nCount) {
                    pPopup->RemoveMenu(static_cast<UINT>(i), MF_BYPOSITION);
                    continue;
                }
                CString caption;
                GetHistoryText(i, caption);
                // A text's ampersands are shown, not taken as mnemonics.
                caption.Replace(_T("&"), _T("&&"));
                pPopup->ModifyMenu(static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, kFirstHistoryCommand + i, caption);
            }
            m_historyButton.m_hMenu = pPopup->GetSafeHmenu();
        }
        // Sized to its content, its right edge under the Cancel button's.
        m_historyButton.SizeToContent();
        CWnd* pCancel = GetDlgItem(IDCANCEL);
        if (pCancel != nullptr) {
            CRect cancel;
            CRect button;
            pCancel->GetWindowRect(&cancel);
            m_historyButton.GetWindowRect(&button);
            ScreenToClient(&cancel);
            ScreenToClient(&button);
            m_historyButton.SetWindowPos(nullptr, cancel.right - button.Width(), button.top, 0, 0,
                                         SWP_NOSIZE | SWP_NOZORDER);
        }
    } else {
        m_historyButton.EnableWindow(FALSE);
    }

    UpdateData(FALSE);
    UpdateOkButton();
    return TRUE;
}

CMenu* CTextEditDialog::GetHistoryMenu() const
{
    return m_historyMenu.GetSafeHmenu() != nullptr ? m_historyMenu.GetSubMenu(0) : nullptr;
}

BOOL CTextEditDialog::GetHistoryText(int nIndex, CString& text) const
{
    text.Empty();
    if (m_pHistory == nullptr || nIndex < 0 || nIndex >= m_pHistory->GetCount(kTextType))
        return FALSE;
    const auto* pItem = dynamic_cast<const TextParameterItem*>(m_pHistory->GetAt(kTextType, nIndex));
    if (pItem != nullptr && !pItem->IsEmpty())
        text = pItem->m_strText;
    return TRUE;
}

void CTextEditDialog::UpdateOkButton()
{
    if (m_okButton.GetSafeHwnd() != nullptr)
        m_okButton.EnableWindow(m_bAcceptEmptyText || !m_strText.IsEmpty());
}

void CTextEditDialog::OnTextChange()
{
    UpdateData(TRUE);
    UpdateOkButton();
}

void CTextEditDialog::OnHistory()
{
    const int nIndex = m_historyButton.m_nMenuResult - static_cast<int>(kFirstHistoryCommand);
    CString text;
    if (m_historyButton.m_nMenuResult == 0 || !GetHistoryText(nIndex, text))
        return;
    if (auto* pEdit = static_cast<CEdit*>(GetDlgItem(kTextEdit))) {
        pEdit->ReplaceSel(text, FALSE);
        pEdit->SetFocus();
    }
}

BOOL CTextEditDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0) {
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CTextEditDialog::OnOK()
{
    UpdateData(TRUE);
    if (!m_bAcceptEmptyText && m_strText.IsEmpty())
        return;
    if (m_pHistory != nullptr) {
        TextParameterItem item;
        item.SetValue(m_strText);
        m_pHistory->Add(item);
    }
    CDialog::OnOK();
}

void CTextEditDialog::OnTextKillFocus()
{
    m_bImeOpen = ImmGetOpenStatus(ImmGetContext(GetSafeHwnd())) ? TRUE : FALSE;
}

void CTextEditDialog::OnTextSetFocus()
{
    HWND hWnd = GetSafeHwnd();
    HIMC hIMC = ImmGetContext(hWnd);
    if (hIMC == nullptr) {
        hIMC = ImmCreateContext();
        ImmAssociateContext(hWnd, hIMC);
    }
    ImmSetOpenStatus(hIMC, m_bImeOpen);
    ImmReleaseContext(hWnd, hIMC);
}

BOOL CTextEditDialog::DestroyWindow()
{
    // The state of the edit that still has the focus counts too.
    if (HIMC hIMC = ImmGetContext(GetSafeHwnd())) {
        CWnd* pFocus = GetFocus();
        if (pFocus != nullptr && pFocus == GetDlgItem(kTextEdit))
            m_bImeOpen = ImmGetOpenStatus(hIMC) ? TRUE : FALSE;
        ImmAssociateContext(GetSafeHwnd(), nullptr);
        ImmDestroyContext(hIMC);
    }
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    BOOL bSaveEnabled = FALSE;
    BOOL bState = FALSE;
    if (shell.pfnGetImeOptions != nullptr && shell.pfnGetImeOptions(&bSaveEnabled, &bState) && bSaveEnabled &&
        (bState ? TRUE : FALSE) != m_bImeOpen && shell.pfnSetImeState != nullptr)
        shell.pfnSetImeState(m_bImeOpen);
    return CDialog::DestroyWindow();
}
