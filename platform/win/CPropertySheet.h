#pragma once
// A property sheet: pages as tabs above one page area, with OK, Cancel, Apply and (when a
// page asks for it) a Help button with its icon. Leaving a page asks it first (OnKillActive
// may refuse, and the tab stays); OK and Apply apply every page made so far; Cancel resets
// them. Runs modal (DoModal) or modeless (Create).

#include <vector>

#include "platform/win/CDialog.h"

class CPropertyPage;
class QTabBar;

struct KC_PROPSHEETHEADER {
  DWORD dwSize = sizeof(KC_PROPSHEETHEADER);
  DWORD dwFlags = 0;   // PSH_NOAPPLYNOW, PSH_HASHELP, PSH_MODELESS
  UINT nStartPage = 0;
};

#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)
public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  BOOL PressButton(int nButton);

  INT_PTR DoModal() override;
  // A modeless sheet; shown at once.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Called by pages: the Apply button follows whether any page is modified.
  void PageChanged();
  // OK becomes Close and Cancel is disabled.
  void CancelToClose();

  KC_PROPSHEETHEADER m_psh;

protected:
  void OnOK() override;
  void OnCancel() override;
  void OnHelp() override;
  afx_msg void OnApplyNow();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  BOOL BuildTemplate(DialogTemplate& out);
  BOOL ApplyAll();
  void LayoutPage(CPropertyPage* pPage);
  void UpdateHelpButton();

  std::vector<CPropertyPage*> m_pages;
  int m_nActive = -1;
  CString m_strCaption;
  UINT m_nIDCaption = 0;
  QTabBar* m_pTabs = nullptr;
  CRect m_rcPage;      // the page area in the sheet's client coordinates
  BOOL m_bSwitching = FALSE;
};
