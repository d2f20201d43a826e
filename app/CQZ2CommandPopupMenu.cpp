#include "app/CQZ2CommandPopupMenu.h"

CQZ2CommandPopupMenu::CQZ2CommandPopupMenu()
{
    m_wndCommandBar.SetParentPopup(this);
}

CQZ2CommandPopupMenu::~CQZ2CommandPopupMenu() = default;
