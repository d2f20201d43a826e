#pragma once
// The items of a popup menu, kept as toolbar buttons: plain buttons for commands, menu buttons
// for sub-menus, separators. The program fills and changes them before the popup shows.

#include "platform/bcg/CBCGPToolBar.h"

class CBCGPPopupMenuBar : public CBCGPToolBar {
  DECLARE_SERIAL(CBCGPPopupMenuBar)
public:
  CBCGPPopupMenuBar();
  ~CBCGPPopupMenuBar() override;

  // Replaces the items with those of hMenu.
  BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
  // A new menu with the items; the caller destroys it.
  HMENU ExportToMenu() const;
  // The item's command is about to be sent; TRUE when the bar sent it itself.
  BOOL OnSendCommand(const CBCGPToolbarButton* pButton) override;
  // The popup that shows this bar.
  class CBCGPPopupMenu* GetParentPopup() const { return m_pPopup; }
  void SetParentPopup(CBCGPPopupMenu* pPopup) { m_pPopup = pPopup; }

private:
  CBCGPPopupMenu* m_pPopup = nullptr;
};
