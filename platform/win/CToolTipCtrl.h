#pragma once
// Tool tips for windows or rectangles of them. The tip shows after the initial delay while the
// mouse rests on a tool (its moves relayed with RelayEvent, or watched by the tip itself with
// TTF_SUBCLASS) and goes after the pop delay or when the mouse leaves. A tool's text is fixed,
// a string number, or asked from the tool's window each time (LPSTR_TEXTCALLBACK: WM_NOTIFY
// TTN_GETDISPINFO). Texts may run over several lines ("\n", and wrapped at SetMaxTipWidth).

#include <memory>

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

struct AfxToolTipState;

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
public:
  CToolTipCtrl();
  ~CToolTipCtrl() override;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(const TOOLINFO* pToolInfo);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  int GetToolCount() const;
  void SetDelayTime(UINT nDelay);
  void SetDelayTime(DWORD dwDuration, int iTime);
  int GetDelayTime(DWORD dwDuration) const;
  int SetMaxTipWidth(int iWidth);
  int GetMaxTipWidth() const;
  void Activate(BOOL bActivate);
  void RelayEvent(LPMSG lpMsg);
  void Pop();
  // The text shown now, empty while no tip is up.
  CString GetShownText() const;

private:
  std::unique_ptr<AfxToolTipState> m_state;
};
