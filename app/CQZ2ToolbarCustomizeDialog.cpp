#include "app/CQZ2ToolbarCustomizeDialog.h"

#include "app/CMainFrame.h"

#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include "command/LoadResourceString.h"
#include "platform/bcg/CBCGPCommandsPage.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/bcg/CBCGPKeyboardPage.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarsPage.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"

namespace {

constexpr UINT kTitle = 10119;
constexpr UINT kReservedKey = 11942;
constexpr UINT kMoveKey = 11943;
constexpr DWORD kFirstPageHelp = 480;
constexpr UINT kHelpContext = 1;
CQZ2ToolbarCustomizeDialog* g_pOpenSheet = nullptr;

class CQZ2KeyboardPage : public CBCGPKeyboardPage
{
public:
    explicit CQZ2KeyboardPage(CBCGPToolbarCustomize* pSheet) : CBCGPKeyboardPage(pSheet) {}

protected:
    BOOL OnBeforeAssign(const ACCEL& key, UINT uiCmd, UINT uiOwner) override
    {
        if (CQZ2ToolbarCustomizeDialog::IsReservedKey(key.key, key.fVirt)) {
            AfxMessageBox(LoadResourceString(kReservedKey), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        if (uiOwner == 0 || uiOwner == uiCmd)
            return TRUE;
        const CBCGPToolbarButton owner(uiOwner, -1), command(uiCmd, -1);
        CString question;
        question.Format(LoadResourceString(kMoveKey), static_cast<LPCTSTR>(CBCGPKeyboardManager::FormatAccelerator(key)),
                        static_cast<LPCTSTR>(CBCGPToolbarCustomize::GetButtonLabel(&owner)),
                        static_cast<LPCTSTR>(CBCGPToolbarCustomize::GetButtonLabel(&command)));
        return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
};

}  // namespace

IMPLEMENT_DYNAMIC(CQZ2ToolbarCustomizeDialog, CBCGPToolbarCustomize)

BEGIN_MESSAGE_MAP(CQZ2ToolbarCustomizeDialog, CBCGPToolbarCustomize)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQZ2ToolbarCustomizeDialog::CQZ2ToolbarCustomizeDialog(CMainFrame* pFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                                       void* plistCustomPages)
    : CBCGPToolbarCustomize(pFrame, bAutoSetFromMenus, uiFlags, plistCustomPages), m_pMainFrame(pFrame)
{
    SetTitle(LoadResourceString(kTitle));
    // Every change applies at once: nothing waits for an Apply.
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    // The menus and the options are the program's own: those pages go. The sheet owns every page it made.
    RemovePage(m_pMenuPage);
    RemovePage(m_pOptionsPage);
    // Toolbars, commands, keys, in this order.
    RemovePage(m_pCommandsPage);
    RemovePage(m_pKeyboardPage);
    delete m_pKeyboardPage;
    m_pKeyboardPage = new CQZ2KeyboardPage(this);
    AddPage(m_pCommandsPage);
    AddPage(m_pKeyboardPage);
}

CQZ2ToolbarCustomizeDialog::~CQZ2ToolbarCustomizeDialog()
{
    if (g_pOpenSheet == this)
        g_pOpenSheet = nullptr;
}

CQZ2ToolbarCustomizeDialog* CQZ2ToolbarCustomizeDialog::GetOpenSheet()
{
    return g_pOpenSheet;
}

BOOL CQZ2ToolbarCustomizeDialog::OnInitDialog()
{
    const BOOL result = CBCGPToolbarCustomize::OnInitDialog();
    g_pOpenSheet = this;
    return result;
}

DWORD CQZ2ToolbarCustomizeDialog::GetPageHelpContext(int nPage)
{
    return nPage >= 0 && nPage <= 2 ? kFirstPageHelp + static_cast<DWORD>(nPage) : 0;
}

BOOL CQZ2ToolbarCustomizeDialog::IsReservedKey(WORD nKey, BYTE fVirt)
{
    if ((fVirt & (FCONTROL | FALT)) != 0 || (fVirt & FVIRTKEY) == 0)
        return FALSE;
    switch (nKey) {
    case VK_BACK:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return TRUE;
    default: return FALSE;
    }
}

void CQZ2ToolbarCustomizeDialog::OnHelp()
{
    const DWORD dwContext = GetPageHelpContext(GetActiveIndex());
    if (dwContext != 0 && m_pMainFrame != nullptr)
        m_pMainFrame->WinHelp(dwContext, kHelpContext);
}

void CQZ2ToolbarCustomizeDialog::OnOK()
{
    CBCGPToolbarCustomize::OnOK();
    DestroyLater();
}

void CQZ2ToolbarCustomizeDialog::OnCancel()
{
    CBCGPToolbarCustomize::OnCancel();
    DestroyLater();
}

void CQZ2ToolbarCustomizeDialog::DestroyLater()
{
    // Not from inside the button's own message: the sheet deletes itself when its window goes.
    if (QWidget* pWidget = GetQWidget())
        QTimer::singleShot(0, pWidget, [this]() { DestroyWindow(); });
}

void CQZ2ToolbarCustomizeDialog::OnDestroy()
{
    CBCGPToolbarCustomize::OnDestroy();
    if (g_pOpenSheet == this)
        g_pOpenSheet = nullptr;
    // Buttons dragged from the sheet become their special kind at once.
    if (m_pMainFrame != nullptr && m_pMainFrame->GetSafeHwnd() != nullptr) {
        m_pMainFrame->RestoreSpecialButtons();
        m_pMainFrame->UpdateToolbarCombos();
    }
}
