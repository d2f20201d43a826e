#pragma once
// A window: a C++ object that owns a real Qt widget and talks to it through window messages.
//
// Create/CreateEx make the widget; DestroyWindow destroys it while the C++ object lives on.
// m_hWnd is null before Create and after destruction. Qt events reaching the widget are
// turned into window messages (WM_MOUSEMOVE with MK_ flags and client coordinates,
// WM_KEYDOWN with VK_ codes, WM_PAINT, WM_SIZE ...) and run through WindowProc, OnWndMsg and
// the message map; a message no handler takes goes to DefWindowProc, which for a widget with
// behaviour of its own (a Qt control) hands the original event back to the widget.
//
// Painting: inside WM_PAINT, GetPaintPainter() gives the painter of the paint event (made on
// first use and ended after the handler); the paint DC classes draw through it.

#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/CCmdTarget.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CDataExchange;
class CFrameWnd;
struct CCreateContext;
class QWidget;
class QPainter;
class QEventLoop;
struct AfxWndRecord;
// The owner-draw messages' structures (WinCtrlConstants.h).
struct DRAWITEMSTRUCT;
struct MEASUREITEMSTRUCT;
struct COMPAREITEMSTRUCT;
struct DELETEITEMSTRUCT;
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;
typedef MEASUREITEMSTRUCT* LPMEASUREITEMSTRUCT;
typedef COMPAREITEMSTRUCT* LPCOMPAREITEMSTRUCT;
typedef DELETEITEMSTRUCT* LPDELETEITEMSTRUCT;

typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

// Makes the widget of a window class (a control kind, e.g. "EDIT"). The factory gets the
// parent widget (null for a top-level window) and the style bits.
typedef QWidget* (*AFX_WIDGET_FACTORY)(QWidget* pParent, DWORD dwStyle, DWORD dwExStyle);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
public:
  CWnd();
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const;
  bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
  bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

  // The window object of a handle: the attached one, or a wrapper object that lives as long
  // as the widget. Null for a null or dead handle.
  static CWnd* FromHandle(HWND hWnd);
  // Only an object attached by Create, Attach or SubclassWindow; never a wrapper.
  static CWnd* FromHandlePermanent(HWND hWnd);

  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Attaches to an existing window and routes its messages through this object's map.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // ---- creation and destruction ----
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                        LPVOID lpParam = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL DestroyWindow();
  // Called after the last message (WM_NCDESTROY); a self-owning window deletes itself here.
  virtual void PostNcDestroy();
  virtual void PreSubclassWindow();

  // Creates the window around a widget made by the caller (controls made from Qt widgets).
  // The widget becomes owned by the window. Sends WM_CREATE like Create.
  BOOL CreateFromWidget(QWidget* pWidget, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwExStyle = 0, LPCTSTR lpszWindowName = nullptr);

  // ---- messages ----
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default processing of the message being handled.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers pMsg to PreTranslateMessage of its window and each parent up to hWndStop.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A notification the parent reflects back to this control before handling it itself.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Reflects the message being handled to the child window hWndChild.
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  // The message being handled (its time and cursor position included).
  static const MSG* GetCurrentMessage();

  // ---- styles, ids, relatives ----
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  CWnd* GetDlgItem(int nID) const;
  void GetDlgItem(int nID, HWND* phWnd) const;
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd);
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  // The frame the window sits in (for a frame inside a frame, the outer one's child frame).
  CFrameWnd* GetParentFrame() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  CWnd* GetTopWindow() const;
  BOOL IsChild(const CWnd* pWnd) const;
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;

  // ---- size, position, visibility ----
  BOOL ShowWindow(int nCmdShow);
  BOOL EnableWindow(BOOL bEnable = TRUE);
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void BringWindowToTop();

  // ---- painting ----
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL bRedraw = TRUE);
  BOOL LockWindowUpdate();
  void UnlockWindowUpdate();
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  // A context on the client area (GetWindowDC: the whole window), given back by ReleaseDC.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);

  // ---- focus, capture, activation ----
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  BOOL SetForegroundWindow();
  static CWnd* GetForegroundWindow();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL FlashWindow(BOOL bInvert);
  BOOL FlashWindowEx(DWORD dwFlags, UINT uCount, DWORD dwTimeout);
  static CWnd* WindowFromPoint(POINT point);
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);

  // ---- text and font ----
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // ---- timers ----
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);

  // ---- scroll bars (WS_HSCROLL / WS_VSCROLL) ----
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos(int nBar) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, int* lpMinPos, int* lpMaxPos) const;
  int GetScrollLimit(int nBar);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
  void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

  // ---- mouse tracking, drag and drop, misc ----
  void DragAcceptFiles(BOOL bAccept = TRUE);
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);
  // Dialog data exchange; the dialog layer implements the exchange.
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);
  // Runs a modal loop until EndModalLoop, the window's end, or ContinueModal saying no (asked
  // each time the queue runs dry); waits for events meanwhile. Returns EndModalLoop's result.
  int RunModalLoop(DWORD dwFlags = 0);
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar();
  CMenu* GetSystemMenu(BOOL bRevert) const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  // ---- the Qt side ----
  // The widget of the window (null without one).
  QWidget* GetQWidget() const;
  // True while the window handles WM_PAINT.
  BOOL IsInPaint() const;
  // The painter of the paint event being handled, begun on first use and ended after the
  // paint message; null outside WM_PAINT.
  QPainter* GetPaintPainter();
  // The area being painted, in client coordinates (empty outside WM_PAINT).
  CRect GetPaintRect() const;
  // The window attached to a widget, or null.
  static CWnd* FromQWidget(const QWidget* pWidget);
  // The handle of a widget; with bCreate a handle is made for a widget that has none.
  static HWND HwndFromQWidget(QWidget* pWidget, BOOL bCreate = TRUE);
  static QWidget* QWidgetFromHwnd(HWND hWnd);
  // Registers the widget factory of a window class name (e.g. "EDIT"); null removes it.
  static void RegisterWidgetClass(LPCTSTR lpszClassName, AFX_WIDGET_FACTORY pfnFactory);

  // ---- standard message handlers (default processing unless overridden in a map) ----
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  // The owner-draw messages go by default to the control they are about (its DrawItem ...).
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  const AFX_MSGMAP* GetMessageMap() const override;

  int m_nModalResult = -1;
  int m_nFlags = 0;

private:
  friend class AfxWndBridge;
  friend struct AfxWndRecord;
  AfxWndRecord* m_pRecord = nullptr;  // bookkeeping of the attached widget
  CWnd* m_pOwner = nullptr;
  BOOL m_bModalRunning = FALSE;
  QEventLoop* m_pModalLoop = nullptr;  // the loop RunModalLoop waits in
  BOOL DoCreate(QWidget* pWidget, CREATESTRUCT& cs, CWnd* pParentWnd);
  // Hands an owner-draw message to the control it is about; its answer, or 0.
  LRESULT ReflectOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DestroyTree(BOOL bSelf);
};

// ---- the window functions code calls on bare handles ----
BOOL IsWindow(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetFocus();
HWND SetFocus(HWND hWnd);
HWND GetCapture();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
UINT RegisterWindowMessage(LPCTSTR lpString);
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
// A context on a window's client area (null: the screen), given back by ReleaseDC.
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int x, int y);
int GetDlgCtrlID(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nID);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL DestroyWindow(HWND hWnd);
BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
HWND WindowFromPoint(POINT point);
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount);
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetTickCount();
// A window class name for windows with the given class style, cursor, background and icon.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// Installs the exchange CWnd::UpdateData runs (the dialog layer's DoDataExchange driver).
void AfxSetUpdateDataHandler(BOOL (*pfn)(CWnd*, BOOL));
// The CDC behind the HDC in wParam of WM_ERASEBKGND and the other messages carrying one.
CDC* AfxDCFromHandle(HDC hDC);

#include "platform/win/AfxWinMsgMacros.h"
