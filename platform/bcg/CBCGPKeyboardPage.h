#pragma once
// The keyboard page of the customisation sheet: the keys of each command, which can be taken
// away one by one or all reset to those the frame was made with.

#include "platform/win/CPropertyPage.h"
#include "platform/win/WinConstants.h"

class CBCGPToolbarCustomize;

class CBCGPKeyboardPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBCGPKeyboardPage)
public:
  enum {
    IDC_CATEGORY = 16701,
    IDC_COMMANDS = 16702,
    IDC_KEYS = 16703,
    IDC_REMOVE = 16704,
    IDC_RESET_ALL = 16705,
    IDC_NEW_KEY = 16706,
    IDC_ASSIGN = 16707,
    IDC_ASSIGNED_TO = 16708
  };

  explicit CBCGPKeyboardPage(CBCGPToolbarCustomize* pSheet = nullptr);
  ~CBCGPKeyboardPage() override;

  // The key typed into the new-key field (key 0 when none or one that cannot be a command key).
  ACCEL GetNewKey() const;
  // Types a key into the new-key field, as "Ctrl+Shift+K" (tests and the program's own use).
  void SetNewKey(LPCTSTR lpszKey);
  // The command selected in the list (0 for none), and choosing one by its command.
  UINT GetSelectedCommand() const { return SelectedCommand(); }
  BOOL SelectCommand(UINT uiCmd);

protected:
  // Asked before the key goes to uiCmd; uiOwner is the command that has the key now (0: none). FALSE
  // leaves the keys as they are.
  virtual BOOL OnBeforeAssign(const ACCEL& key, UINT uiCmd, UINT uiOwner) {
    (void)key, (void)uiCmd, (void)uiOwner;
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  afx_msg void OnCategoryChange();
  afx_msg void OnCommandChange();
  afx_msg void OnRemove();
  afx_msg void OnResetAll();
  afx_msg void OnAssign();
  void OnNewKeyChanged();
  UINT SelectedCommand() const;

  CBCGPToolbarCustomize* m_pCustomize;
  CWnd m_wndNewKey;  // a key-capturing field
};
