#pragma once
// The colour chooser, over Qt's own colour dialog, with the 16 custom colours kept in the
// CHOOSECOLOR record (m_cc.lpCustColors) across calls.

#include "platform/win/CDialog.h"
#include "platform/win/CommDlgTypes.h"

class CColorDialog : public CDialog {
  DECLARE_DYNAMIC(CColorDialog)
public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  ~CColorDialog() override;

  CHOOSECOLOR m_cc{};

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr);
  // The custom colours of all colour dialogs that use no array of their own.
  static COLORREF* GetSavedCustomColors();
};
