#pragma once
// A docking bar: a resizable panel with a caption that docks on any side of the frame, floats
// in a small frame of its own, hides and shows, stacks with other docking bars as tabs and
// is split beside another docking bar. Its place, size and state are part of the frame's
// stored layout.

#include "platform/afx/CSize.h"
#include "platform/bcg/CBCGPControlBar.h"

struct CCreateContext;

class CBCGPDockingControlBar : public CBCGPControlBar {
  DECLARE_DYNCREATE(CBCGPDockingControlBar)
public:
  CBCGPDockingControlBar();
  ~CBCGPDockingControlBar() override;

  // Docking bars slide in and out without animation when set.
  static BOOL m_bDisableAnimation;

  // dwStyle: window style with the bar style (CBRS_LEFT, CBRS_RIGHT ... the first side);
  // dwBCGStyle: CBRS_BCGP_ flags (float, auto-hide, resize, close).
  virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle, DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS,
                      DWORD dwBCGStyle = dwDefaultBCGDockingBarStyle, CCreateContext* pContext = nullptr);
  virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS,
                      DWORD dwBCGStyle = dwDefaultBCGDockingBarStyle, CCreateContext* pContext = nullptr);

  // Joins the tabs of pTabControlBarAttachTo (a bar of the tab group). With bSetActive the
  // bar becomes the visible tab. *ppTabbedControlBar receives the bar that stands for the tab
  // group (its first bar), which later bars attach to. Returns that bar, null on failure.
  CBCGPDockingControlBar* AttachToTabWnd(CBCGPDockingControlBar* pTabControlBarAttachTo, BCGP_DOCK_METHOD dockMethod,
                                         BOOL bSetActive = TRUE,
                                         CBCGPDockingControlBar** ppTabbedControlBar = nullptr);
  // Docks beside pTargetWindow: below it (CBRS_ALIGN_BOTTOM), to its right (CBRS_ALIGN_RIGHT),
  // above (CBRS_ALIGN_TOP) or to its left (CBRS_ALIGN_LEFT).
  BOOL DockToWindow(CBCGPDockingControlBar* pTargetWindow, DWORD dwAlignment, LPCRECT lpRect = nullptr);
  // In a tab group with other bars.
  BOOL IsTabbed() const;
  // The bars of this bar's tab group in tab order (only this bar when it is not tabbed).
  int GetTabbedBars(CBCGPDockingControlBar** ppBars, int nMax) const;
  // Takes the bar out of its tab group and docks it beside the group.
  BOOL DetachFromTabs();
  // The bar is the visible tab of its group (or not tabbed at all).
  BOOL IsActiveTab() const;
  // The bar's caption (the window text) shown in its caption and tab.
  void SetCaption(LPCTSTR lpszCaption);

  BOOL IsResizable() const override { return TRUE; }
  BOOL CanFloat() const override { return (m_dwBCGStyle & CBRS_BCGP_FLOAT) != 0; }
  DWORD GetBCGStyle() const { return m_dwBCGStyle; }
  CSize GetDefaultSize() const { return m_sizeDefault; }

protected:
  DECLARE_MESSAGE_MAP()
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);

  DWORD m_dwBCGStyle = dwDefaultBCGDockingBarStyle;
  DWORD m_dwTabbedStyle = CBRS_BCGP_REGULAR_TABS;
  CSize m_sizeDefault;
  BOOL m_bHasGripper = TRUE;
};
