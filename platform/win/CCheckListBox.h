#pragma once
// A list box whose items carry check boxes. A check changed by the user (a click on the box, or the space
// bar on the current item) sends CLBN_CHKCHANGE to the parent; SetCheck sends nothing. An item may show a
// colour swatch before its text. An owner-drawn list (LBS_OWNERDRAWFIXED) draws the box and the text
// itself and then sends WM_DRAWITEM for the row from where its text starts, for the owner to paint there.

#include "platform/win/CListBox.h"

class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)
public:
  CCheckListBox();
  ~CCheckListBox() override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  void PreSubclassWindow() override;

  // Items get their check box as they are added.
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);

  // 0 unchecked, 1 checked; -1 for an index out of range.
  int GetCheck(int nIndex) const;
  void SetCheck(int nIndex, int nCheck);
  void SetItemColor(int nIndex, COLORREF color);

private:
  void Hook();
  bool m_bSilent = false;
};
