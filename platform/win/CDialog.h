#pragma once
// A dialog box made from a dialog template: its controls are created in tab order with the
// template's font, their rectangles converted from dialog units with that font's metrics.
// DoModal runs a real modal loop and returns the value given to EndDialog (IDOK, IDCANCEL
// ...), or -1 when the dialog could not be made. Create makes a modeless dialog.
//
// Keys are handled as a dialog user expects (IsDialogMessage, called from
// PreTranslateMessage): Tab and Shift+Tab move through the WS_TABSTOP controls, arrow keys
// within a WS_GROUP group (checking automatic radio buttons), Return presses the focused
// push button or else the default one (IDOK unless SetDefID says otherwise), Escape sends
// IDCANCEL, and Alt with a letter goes to the control whose text marks it with "&" (a
// label hands it to the control after it).

#include <memory>

#include "platform/afx/CSize.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CFont;
class DialogTemplate;
class QEventLoop;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless dialogs.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL CreateIndirect(const DialogTemplate& dlgTemplate, CWnd* pParentWnd = nullptr);
  // A modal dialog from a template held by the caller (copied).
  BOOL InitModalIndirect(const DialogTemplate& dlgTemplate, CWnd* pParentWnd = nullptr);

  virtual INT_PTR DoModal();
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnSetFont(CFont* pFont);

  void GotoDlgCtrl(CWnd* pWndCtrl);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  BOOL IsDialogMessage(LPMSG lpMsg);
  void MapDialogRect(LPRECT lpRect) const;
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;
  void EndModalLoop(int nResult) override;

  // The error of the last failed creation (missing or damaged template).
  const CString& GetCreateError() const { return m_strCreateError; }
  // The dialog's font (the template's) while the window exists.
  CFont* GetDialogFont() const { return m_pFont; }
  // The size of a dialog unit in pixels: x is a quarter of the average character width,
  // y an eighth of the character height (as numerators over 4 and 8).
  CSize GetBaseUnits() const;

  UINT m_nIDHelp = 0;

protected:
  // Makes the window and its controls from the template; with bModal the dialog is owned
  // by pParentWnd and kept hidden until DoModal shows it.
  BOOL CreateFromTemplate(const DialogTemplate& dlgTemplate, CWnd* pParentWnd, BOOL bModal);
  // The template this dialog is made from: the one given indirectly or m_nIDTemplate's.
  BOOL LoadTemplate(DialogTemplate& out);
  virtual void OnHelp();

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleGetDefID(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleSetDefID(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleNextDlgCtl(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT HandleCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  // F1 (WM_HELP from a control or the dialog) asks for the dialog's help topic.
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  DECLARE_MESSAGE_MAP()

  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;
  std::unique_ptr<DialogTemplate> m_pIndirect;
  CFont* m_pFont = nullptr;
  int m_baseX = 4;
  int m_baseY = 8;
  UINT m_nDefID = IDOK;
  BOOL m_bModal = FALSE;
  BOOL m_bEnded = FALSE;
  QEventLoop* m_pLoop = nullptr;
  CString m_strCreateError;

private:
  BOOL HandleMnemonic(UINT ch);
};
