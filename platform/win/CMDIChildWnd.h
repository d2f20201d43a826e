#pragma once
// A document window inside an MDI frame: a frame that lives in the MDI client area. Its
// activation (WM_MDIACTIVATE) switches the main frame's menu to the document's menu and
// activates its view; closing it asks its document whether it may close.

#include "platform/win/CFrameWnd.h"

class CMDIFrameWnd;
class QWidget;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();
  void MDIMaximize();
  void MDIRestore();

  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnDestroy();

  HMENU m_hMenuShared = nullptr;   // the document's menu (owned by the template)
  HACCEL m_hAccelShared = nullptr;

protected:
  DECLARE_MESSAGE_MAP()
  BOOL RoutesToApplication() const override { return FALSE; }
  CMDIFrameWnd* m_pMDIFrame = nullptr;
  QWidget* m_pSubWindow = nullptr;  // the decorated box around the frame in the client area
  friend class CMDIFrameWnd;
};

// WM_MDIACTIVATE: wParam the window losing, lParam the window getting the activation.
#define ON_WM_MDIACTIVATE()                                                                          \
  _KC_WM(WM_MDIACTIVATE, void (ThisClass::*)(BOOL, CWnd*, CWnd*), OnMDIActivate,                     \
         CWnd* pAct = _KC_HWNDW(d.lParam); (p->*pfn)(pAct == static_cast<CWnd*>(p), pAct, _KC_HWNDW(d.wParam)); \
         return TRUE;)
