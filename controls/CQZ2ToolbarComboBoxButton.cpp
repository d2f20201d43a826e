#include "controls/CQZ2ToolbarComboBoxButton.h"

#include <QtWidgets/QWidget>

#include "platform/afx/CArchive.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CMenu.h"

IMPLEMENT_SERIAL(CQZ2ToolbarComboBoxButton, CBCGPToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CQZ2ToolbarComboBoxButton::CQZ2ToolbarComboBoxButton() = default;

CQZ2ToolbarComboBoxButton::CQZ2ToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth)
{
}

CQZ2ToolbarComboBoxButton::~CQZ2ToolbarComboBoxButton() = default;

void CQZ2ToolbarComboBoxButton::Serialize(CArchive& ar)
{
    // The combo's own part (items, text) is not stored: the program fills these combos itself.
    CBCGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(1) << m_iWidth;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (version != 1)
        return;
    int width = 0;
    ar >> width;
    if (width <= 0 || width >= 4096)
        return;
    m_iWidth = width;
    m_rect.right = m_rect.left + width;
    if (m_pWndCombo != nullptr && m_pWndCombo->GetQWidget() != nullptr)
        m_pWndCombo->GetQWidget()->setFixedWidth(width);
}

BOOL CQZ2ToolbarComboBoxButton::OnCustomizeMenu(CMenu* pPopup)
{
    if (pPopup == nullptr)
        return TRUE;
    for (UINT id : {16910u, 16911u, 16913u, 16914u, 16915u, 16916u})
        pPopup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}
