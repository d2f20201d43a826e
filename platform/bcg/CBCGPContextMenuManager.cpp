#include "platform/bcg/CBCGPContextMenuManager.h"

#include <map>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"

namespace {
CBCGPContextMenuManager* g_pManager = nullptr;
}

struct CBCGPContextMenuManager::Impl {
  std::map<std::u16string, UINT> menus;
};

CBCGPContextMenuManager::CBCGPContextMenuManager() : d(new Impl) {}
CBCGPContextMenuManager::~CBCGPContextMenuManager() { delete d; }

CBCGPContextMenuManager* CBCGPContextMenuManager::GetInstance() { return g_pManager; }

CBCGPContextMenuManager* CBCGPContextMenuManager::Create() {
  if (!g_pManager) g_pManager = new CBCGPContextMenuManager;
  return g_pManager;
}

void CBCGPContextMenuManager::Destroy() {
  delete g_pManager;
  g_pManager = nullptr;
}

BOOL CBCGPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId) {
  if (!lpszName || !AfxFindResourceModule("MENU", uiMenuResId)) return FALSE;
  d->menus[std::u16string(lpszName)] = uiMenuResId;
  return TRUE;
}

BOOL CBCGPContextMenuManager::AddMenu(UINT uiMenuNameResId, UINT uiMenuResId) {
  std::u16string name;
  if (!AfxLoadStringResource(uiMenuNameResId, name)) return FALSE;
  return AddMenu(name.c_str(), uiMenuResId);
}

UINT CBCGPContextMenuManager::GetMenuByName(LPCTSTR lpszName) const {
  if (!lpszName) return 0;
  auto it = d->menus.find(std::u16string(lpszName));
  return it == d->menus.end() ? 0 : it->second;
}

BOOL CBCGPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL) {
  CMenu menu;
  if (!menu.LoadMenu(uiMenuResId)) return FALSE;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return FALSE;
  const UINT cmd = TrackPopupMenu(popup->m_hMenu, x, y, pWndOwner);
  if (cmd && pWndOwner && pWndOwner->m_hWnd) pWndOwner->PostMessage(WM_COMMAND, cmd, 0);
  return TRUE;
}

UINT CBCGPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner) {
  CMenu* menu = CMenu::FromHandle(hmenuPopup);
  if (!menu) return 0;
  return static_cast<UINT>(menu->TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, x, y, pWndOwner));
}
