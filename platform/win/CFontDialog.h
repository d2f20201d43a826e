#pragma once
// The font chooser, over Qt's own font dialog; the result is a LOGFONT (m_lf) with its size in
// tenths of a point and, with CF_EFFECTS, its colour.

#include "platform/afx/CString.h"
#include "platform/win/CDialog.h"
#include "platform/win/CommDlgTypes.h"

class CFontDialog : public CDialog {
  DECLARE_DYNAMIC(CFontDialog)
public:
  explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, CDC* pdcPrinter = nullptr,
                       CWnd* pParentWnd = nullptr);
  ~CFontDialog() override;

  CHOOSEFONT m_cf{};
  LOGFONT m_lf{};

  INT_PTR DoModal() override;
  void GetCurrentFont(LPLOGFONT lplf);
  CString GetFaceName() const;
  int GetSize() const;  // tenths of a point
  COLORREF GetColor() const { return m_cf.rgbColors; }
  int GetWeight() const { return m_lf.lfWeight; }
  BOOL IsStrikeOut() const { return m_lf.lfStrikeOut; }
  BOOL IsUnderline() const { return m_lf.lfUnderline; }
  BOOL IsBold() const { return m_lf.lfWeight >= 700; }
  BOOL IsItalic() const { return m_lf.lfItalic; }
};
