#pragma once
// The main frame of a multiple-document program: its client area holds the document windows
// (CMDIChildWnd). It knows the active child, activates, cycles, cascades and tiles them, shows
// the active document's menu and routes commands to the active child first.

#include <vector>

#include "platform/win/CFrameWnd.h"

class CMDIChildWnd;
class QMdiArea;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
public:
  CMDIFrameWnd();
  ~CMDIFrameWnd() override;

  // The client area of the document windows.
  HWND m_hWndMDIClient = nullptr;
  CWnd* GetMDIClient() { return &m_wndMDIClient; }
  // Makes the client area (called from OnCreateClient).
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);

  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDINext();
  void MDIPrev();
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDIIconArrange();
  void MDICascade();
  void MDICascade(int nType);
  void MDITile();
  void MDITile(int nType);
  // The document windows in the order they were made.
  std::vector<CMDIChildWnd*> GetMDIChildren() const;

  CFrameWnd* GetActiveFrame() override;
  CDocument* GetActiveDocument() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // The Qt area holding the document windows (the docking library changes its look).
  QMdiArea* GetMdiArea() const;

  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  afx_msg void OnWindowNew();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

private:
  friend class CMDIChildWnd;
  void AddChild(CMDIChildWnd* pChild, QWidget* pSubWindow);
  void RemoveChild(CMDIChildWnd* pChild);
  void OnAreaActivated(QWidget* pSubWindow);

  CWnd m_wndMDIClient;
  std::vector<CMDIChildWnd*> m_children;
  CMDIChildWnd* m_pActiveChild = nullptr;
  int m_nActivating = 0;
};
