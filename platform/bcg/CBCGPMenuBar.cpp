#include "platform/bcg/CBCGPMenuBar.h"

#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/win/CMenu.h"

IMPLEMENT_SERIAL(CBCGPMenuBar, CBCGPToolBar, VERSIONABLE_SCHEMA | 1)

CBCGPMenuBar::CBCGPMenuBar() = default;
CBCGPMenuBar::~CBCGPMenuBar() = default;

BOOL CBCGPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CBCGPMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  if (!CBCGPToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID)) return FALSE;
  if (auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget())) tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, pParentWnd)) {
    frame->SetMenuBar(this);
    if (CMenu* menu = frame->GetMenu(); menu && menu->m_hMenu) CreateFromMenu(menu->m_hMenu, TRUE);
  }
  return TRUE;
}

void CBCGPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
  if (hMenu == m_hMenu && !bForceUpdate && GetCount() > 0) return;
  m_hMenu = hMenu;
  if (bDefaultMenu) m_hDefaultMenu = hMenu;
  RemoveAllButtons();
  CMenu* menu = CMenu::FromHandle(hMenu);
  if (!menu) return;
  const int n = static_cast<int>(menu->GetMenuItemCount());
  for (int i = 0; i < n; ++i) {
    CString text;
    menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    if (CMenu* sub = menu->GetSubMenu(i)) {
      CBCGPToolbarMenuButton b(0, sub->m_hMenu, -1, text);
      b.m_bText = TRUE;
      b.m_bImage = FALSE;
      InsertButton(b);
    } else if (const UINT id = menu->GetMenuItemID(i); id != 0) {
      CBCGPToolbarButton b(id, -1, text);
      b.m_bText = TRUE;
      b.m_bImage = FALSE;
      InsertButton(b);
    }
  }
  AdjustLayout();
}

BOOL CBCGPMenuBar::OpenPopup(int iIndex) {
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (!tb || iIndex < 0 || iIndex >= static_cast<int>(m_actions.size())) return FALSE;
  auto* button = qobject_cast<QToolButton*>(tb->widgetForAction(m_actions[static_cast<size_t>(iIndex)]));
  if (!button || !button->menu()) return FALSE;
  button->showMenu();
  return TRUE;
}

BOOL CBCGPMenuBar::RestoreOriginalstate() {
  if (!m_hDefaultMenu) return FALSE;
  CreateFromMenu(m_hDefaultMenu, FALSE, TRUE);
  return TRUE;
}
