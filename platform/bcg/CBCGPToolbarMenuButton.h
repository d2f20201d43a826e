#pragma once
// A toolbar or menu-bar button with a drop-down menu. The button keeps its own copy of the
// menu's items (so the menu it was made from may go); with a command of its own the button
// runs it and the arrow opens the menu, without one the whole button opens the menu. The
// chosen command goes to the frame like a button's.

#include <vector>

#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/win/WinTypes.h"

class CBCGPToolbarMenuButton : public CBCGPToolbarButton {
  DECLARE_SERIAL(CBCGPToolbarMenuButton)
public:
  CBCGPToolbarMenuButton();
  CBCGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
  ~CBCGPToolbarMenuButton() override;

  void CopyFrom(const CBCGPToolbarButton& src) override;
  void Serialize(CArchive& ar) override;
  QMenu* CreateDropDownMenu(QWidget* pParent) override;

  // The drop-down can be torn off into a toolbar with this id (0: it cannot).
  virtual void SetTearOff(UINT uiBarID) { m_uiTearOffBarID = uiBarID; }
  UINT GetTearOffBarID() const { return m_uiTearOffBarID; }
  // A new menu with the button's items; the caller destroys it.
  HMENU CreateMenu() const;
  // Replaces the items with those of hMenu.
  void SetMenuItems(HMENU hMenu);
  int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
  // The commands of the drop-down (all levels), in order.
  void GetCommands(std::vector<UINT>& ids) const;

  struct Item {
    UINT nID = 0;       // 0 for a separator or a popup
    UINT nFlags = 0;    // MF_ state of the item
    CString strText;
    std::vector<Item> sub;  // a popup's items
  };

protected:
  std::vector<Item> m_items;
  UINT m_uiTearOffBarID = 0;
};
