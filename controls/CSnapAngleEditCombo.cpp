#include "controls/CSnapAngleEditCombo.h"

#include "controls/CAngularSnapToolbarComboBoxButton.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CSnapAngleEditCombo, CComboBox)

CSnapAngleEditCombo::CSnapAngleEditCombo(CAngularSnapToolbarComboBoxButton* pButton) : m_pButton(pButton) {}
CSnapAngleEditCombo::~CSnapAngleEditCombo() = default;

BOOL CSnapAngleEditCombo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd && m_pButton != nullptr) {
        m_pButton->NotifyCommand(0);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}
