#pragma once
// A popup menu whose items are a CQZ2CommandPopupMenuBar: opened from a group button, the command chosen
// becomes the button's face.

#include "app/CQZ2CommandPopupMenuBar.h"
#include "platform/bcg/CBCGPPopupMenu.h"

class CQZ2CommandPopupMenu : public CBCGPPopupMenu
{
public:
    CQZ2CommandPopupMenu();
    ~CQZ2CommandPopupMenu() override;

    CBCGPPopupMenuBar* GetMenuBar() override { return &m_wndCommandBar; }

protected:
    CQZ2CommandPopupMenuBar m_wndCommandBar;
};
