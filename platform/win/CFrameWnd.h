#pragma once
// A frame window: the window around views (and bars). It loads its menu, accelerators, icon and
// title from one resource number, makes its view from a creation context, keeps the active view,
// routes commands (active view -> its document -> the frame -> the application), brings the
// command user interface up to date when the loop is idle and shows the status text of menu
// items (WM_SETMESSAGESTRING).

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinDocConstants.h"

class CDocument;
class CView;
class CMenu;
struct CCreateContext;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
public:
  CFrameWnd();
  ~CFrameWnd() override;

  static const CRect rectDefault;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Creates the frame with the title (first part of string nIDResource), menu, accelerators and
  // icon of resource nIDResource.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);

  // ---- views and documents ----
  virtual CView* GetActiveView() const;
  // Makes pViewNew the active view; with bNotify the views hear of it (OnActivateView).
  virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  // The frame whose view is active: the active MDI child for an MDI frame, else this frame.
  virtual CFrameWnd* GetActiveFrame();
  virtual CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // Sends the first update to the views, shows and activates the frame.
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  // The title of the application part (set by LoadFrame from the resource string).
  const CString& GetTitle() const { return m_strTitle; }
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  BOOL IsFrameWnd() const { return TRUE; }

  // ---- layout ----
  // Lays out the bars (each child answers WM_SIZEPARENT with its part) and gives the rest to
  // the pane (AFX_IDW_PANE_FIRST).
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = CWnd_reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE);

  // ---- commands and messages ----
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // The status text of a command: string nID up to its first line break.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  // The window showing status texts: the child AFX_IDW_STATUS_BAR, or null.
  virtual CWnd* GetMessageBar();
  // Brings the state of every item of pMenu (and its popups) up to date through CCmdUI.
  void UpdateMenuCmdUI(CMenu* pMenu, BOOL bRecurse = TRUE);
  // The last status text shown and its command number (0 for a plain text).
  const CString& GetLastMessageText() const { return m_strLastMessage; }
  UINT GetLastMessageID() const { return m_nIDLastMessage; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);

  HMENU m_hMenuDefault = nullptr;   // the frame's own menu (owned)
  HACCEL m_hAccelTable = nullptr;   // the frame's accelerators (owned)
  UINT m_nIDHelp = 0;               // the resource number the frame was loaded from
  int m_nWindow = -1;               // the number after the document title, -1 for none
  UINT m_nIdleFlags = 0;
  BOOL m_bAutoMenuEnable = TRUE;    // items without a handler are disabled
  CString m_strTitle;

protected:
  DECLARE_MESSAGE_MAP()
  // Makes the client: the view of the context (an MDI frame overrides it for its client area).
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // Routes to the application when the frame is the last stop (not for an MDI child).
  virtual BOOL RoutesToApplication() const { return TRUE; }
  void NotifyActiveView(BOOL bActivate);
  // Shows the icon resource nIDResource (of the language library) on the window, if there is one.
  void LoadIconResource(UINT nIDResource);

  CView* m_pViewActive = nullptr;
  CString m_strLastMessage;
  UINT m_nIDLastMessage = 0;
  UINT m_nIDTracking = 0;
  CMenu* m_pMenuDefaultObj = nullptr;
  friend class CView;
};
