#pragma once
// An edit control: single or multi-line, read-only, number-only, password, with a text limit,
// selection, a modified flag and undo. Sends EN_UPDATE and EN_CHANGE when its text changes
// (by typing or by WM_SETTEXT), EN_SETFOCUS, EN_KILLFOCUS and EN_MAXTEXT.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
public:
  CEdit();
  ~CEdit() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void GetSel(int& nStartChar, int& nEndChar) const;
  DWORD GetSel() const;
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void Clear();
  void Copy();
  void Cut();
  void Paste();
  BOOL Undo();
  BOOL CanUndo() const;
  void EmptyUndoBuffer();
  BOOL GetModify() const;
  void SetModify(BOOL bModified = TRUE);
  void SetLimitText(UINT nMax);
  void LimitText(int nChars = 0);
  UINT GetLimitText() const;
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void SetPasswordChar(TCHAR ch);
  int GetLineCount() const;
  int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
  int LineIndex(int nLine = -1) const;
  int LineLength(int nLine = -1) const;
  int LineFromChar(int nIndex = -1) const;

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
