#pragma once
// The customisation sheet: pages for the commands (by category, to put on toolbars), the
// toolbars (show, hide, reset, make and delete user toolbars) and the keys, plus a menu page
// and an options page that a program may take away. While the sheet is open the toolbars are
// in customisation mode. Made with new and opened with Create (modeless), it deletes itself
// when closed.

#include <map>
#include <memory>
#include <vector>

#include "platform/afx/CStringArray.h"
#include "platform/win/CPropertySheet.h"

class CFrameWnd;
class CBCGPMDIFrameWnd;
class CBCGPToolbarButton;
class CBCGPToolBar;
class CPropertyPage;
class CBCGPToolbarsPage;
class CBCGPCommandsPage;
class CBCGPKeyboardPage;

#define BCGCUSTOMIZE_MENU_SHADOWS 0x0001
#define BCGCUSTOMIZE_TEXT_LABELS 0x0002
#define BCGCUSTOMIZE_LOOK_2000 0x0004
#define BCGCUSTOMIZE_MENU_ANIMATIONS 0x0008
#define BCGCUSTOMIZE_NOHELP 0x0010

class CBCGPToolbarCustomize : public CPropertySheet {
  DECLARE_DYNAMIC(CBCGPToolbarCustomize)
public:
  // With bAutoSetFromMenus the commands of the frame's menu make the first categories.
  CBCGPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                        UINT uiFlags = BCGCUSTOMIZE_MENU_SHADOWS | BCGCUSTOMIZE_TEXT_LABELS |
                                       BCGCUSTOMIZE_LOOK_2000 | BCGCUSTOMIZE_MENU_ANIMATIONS,
                        void* plistCustomPages = nullptr);
  ~CBCGPToolbarCustomize() override;

  // A copy of the button joins the category (made when missing), after iInsertAfter or at the end.
  void AddButton(LPCTSTR lpszCategory, const CBCGPToolbarButton& button, int iInsertAfter = -1);
  void AddButton(UINT uiCategoryId, const CBCGPToolbarButton& button, int iInsertAfter = -1);
  // Every button of a toolbar resource joins the category.
  BOOL AddToolBar(LPCTSTR lpszCategory, UINT uiToolbarResId);
  BOOL AddToolBar(UINT uiCategoryId, UINT uiToolbarResId);
  // The commands of a menu resource join categories named after its popups.
  BOOL AddMenu(UINT uiMenuResId);
  void EnableUserDefinedToolbars(BOOL bEnable = TRUE) { m_bUserToolbars = bEnable; }
  BOOL AreUserDefinedToolbarsEnabled() const { return m_bUserToolbars; }

  BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0) override;
  CBCGPMDIFrameWnd* GetFrame() const;
  CFrameWnd* GetParentFrame() const { return m_pParentFrame; }

  // The categories in order and their buttons.
  const CStringArray& GetCategories() const { return m_categories; }
  int GetCategoryButtons(const CString& strCategory, std::vector<CBCGPToolbarButton*>& buttons) const;
  // The text of a button for the lists: its own text, else its command's name.
  static CString GetButtonLabel(const CBCGPToolbarButton* pButton);

  CBCGPCommandsPage* m_pCommandsPage;
  CBCGPToolbarsPage* m_pToolbarsPage;
  CBCGPKeyboardPage* m_pKeyboardPage;
  CPropertyPage* m_pMenuPage;
  CPropertyPage* m_pOptionsPage;

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  afx_msg void OnDestroy();
  void PostNcDestroy() override;

  CFrameWnd* m_pParentFrame;
  UINT m_uiFlags;
  BOOL m_bUserToolbars = FALSE;
  BOOL m_bModeless = FALSE;
  CStringArray m_categories;
  std::map<std::u16string, std::vector<std::unique_ptr<CBCGPToolbarButton>>> m_buttons;
};
