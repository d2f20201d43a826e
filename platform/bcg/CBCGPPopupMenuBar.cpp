#include "platform/bcg/CBCGPPopupMenuBar.h"

#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/win/CMenu.h"

IMPLEMENT_SERIAL(CBCGPPopupMenuBar, CBCGPToolBar, VERSIONABLE_SCHEMA | 1)

CBCGPPopupMenuBar::CBCGPPopupMenuBar() = default;
CBCGPPopupMenuBar::~CBCGPPopupMenuBar() = default;

BOOL CBCGPPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL) {
  CMenu* menu = CMenu::FromHandle(hMenu);
  if (!menu) return FALSE;
  ClearButtons();
  const int n = static_cast<int>(menu->GetMenuItemCount());
  for (int i = 0; i < n; ++i) {
    CString text;
    menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    const UINT state = menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
    if (CMenu* sub = menu->GetSubMenu(i)) {
      InsertButton(CBCGPToolbarMenuButton(0, sub->m_hMenu, -1, text));
    } else if (const UINT id = menu->GetMenuItemID(i); id == 0 || (state & MF_SEPARATOR)) {
      InsertSeparator();
    } else {
      CBCGPToolbarButton b(id, -1, text);
      if (state & (MF_GRAYED | MF_DISABLED)) b.m_nStyle |= TBBS_DISABLED;
      if (state & MF_CHECKED) b.m_nStyle |= TBBS_CHECKED;
      InsertButton(b);
    }
  }
  return TRUE;
}

HMENU CBCGPPopupMenuBar::ExportToMenu() const {
  CMenu menu;
  menu.CreatePopupMenu();
  for (int i = 0; i < GetCount(); ++i) {
    CBCGPToolbarButton* b = GetButton(i);
    if (b->IsSeparator()) {
      menu.AppendMenu(MF_SEPARATOR);
    } else if (auto* m = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, b); m && m->GetMenuItemCount() > 0) {
      menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m->CreateMenu()), b->m_strText);
    } else {
      UINT flags = MF_STRING;
      if (b->m_nStyle & TBBS_DISABLED) flags |= MF_GRAYED;
      if (b->m_nStyle & TBBS_CHECKED) flags |= MF_CHECKED;
      menu.AppendMenu(flags, b->m_nID, b->m_strText);
    }
  }
  return menu.Detach();
}

BOOL CBCGPPopupMenuBar::OnSendCommand(const CBCGPToolbarButton*) { return FALSE; }
