#pragma once
// One page of a property sheet: a child dialog made from its template when it is first
// shown. The sheet asks the page before leaving it (OnKillActive, which saves its controls
// and may refuse), tells it when it is shown (OnSetActive), applies it (OnApply) and resets
// it on cancel (OnReset). SetModified enables the sheet's Apply button.

#include "platform/win/CDialog.h"

class CPropertySheet;

// The page's description as the sheet uses it.
struct KC_PROPSHEETPAGE {
  DWORD dwSize = sizeof(KC_PROPSHEETPAGE);
  DWORD dwFlags = 0;   // PSP_HASHELP shows the sheet's Help button while the page is active
  LPCTSTR pszTitle = nullptr;
};

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  // A page from a template held by the caller (copied), for pages made at run time.
  void ConstructIndirect(const DialogTemplate& dlgTemplate, UINT nIDCaption = 0);

  // A page made inside a window of the program's own (not a sheet): a child whose controls
  // join that window's keyboard order.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  void OnOK() override;
  void OnCancel() override;

  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  void CancelToClose();
  // The tab's text: the caption string, else the template's caption.
  CString GetTitle() const;
  CPropertySheet* GetParentSheet() const { return m_pSheet; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  KC_PROPSHEETPAGE m_psp;

protected:
  friend class CPropertySheet;
  // Made by the sheet inside pSheet's page area.
  BOOL CreatePage(CPropertySheet* pSheet);
  BOOL LoadPageTemplate(DialogTemplate& out);

  UINT m_nIDCaption = 0;
  CString m_strTemplateCaption;
  CPropertySheet* m_pSheet = nullptr;
  BOOL m_bModified = FALSE;
  BOOL m_bFirstSetActive = TRUE;
};
