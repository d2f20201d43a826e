#pragma once
// The library's colour dialog: the current colour in, the chosen colour out.

#include "platform/win/CWnd.h"

class CBCGPColorDialog {
public:
  explicit CBCGPColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  virtual ~CBCGPColorDialog();

  // IDOK with a chosen colour, IDCANCEL otherwise.
  virtual INT_PTR DoModal();
  COLORREF GetColor() const { return m_color; }
  void SetCurrentColor(COLORREF rgb) { m_color = rgb; }

  // Answers the dialog in place of the user (tests): the colour chosen, or -1 to cancel.
  typedef COLORREF (*AnswerFn)(COLORREF current);
  static void SetAnswerFunction(AnswerFn pfn);

protected:
  COLORREF m_color;
  DWORD m_dwFlags;
  CWnd* m_pParentWnd;
};
