#pragma once
// A view that holds other views as tabs: each tab a view of the same document, made from its
// run-time class. The tab view stays its frame's view; the active tab's view is reached through
// GetActiveView. A change of the active tab arrives as BCGM_CHANGE_ACTIVE_TAB.

#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/win/CView.h"

struct CCreateContext;

class CBCGPTabView : public CView {
  DECLARE_DYNAMIC(CBCGPTabView)
public:
  CBCGPTabView();
  ~CBCGPTabView() override;

  // Makes a view of pViewClass on the tab view's document and adds it as a tab (at iIndex, -1
  // for the end). Returns its index, -1 on failure.
  int AddView(CRuntimeClass* pViewClass, const CString& strViewLabel, int iIndex = -1,
              CCreateContext* pContext = nullptr);
  // Removes the tab and destroys its view.
  BOOL RemoveView(int iTabNum);
  BOOL SetActiveView(int iTabNum);
  // The active tab's view, or null.
  CView* GetActiveView() const;
  int FindTab(HWND hWndView) const;
  CBCGPTabWnd& GetTabControl() { return m_wndTabs; }

  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;

protected:
  DECLARE_MESSAGE_MAP()
  // The active view changed (after the tab change).
  virtual void OnActiveTabViewChanged(CView* pView);
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnChangeActiveTab(WPARAM wp, LPARAM lp);

  CBCGPTabWnd m_wndTabs;
};
