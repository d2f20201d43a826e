#pragma once
// The base of the library's tab windows: a row of tabs, each with a window, a label, an icon
// and a colour, and an area below (or above) the tabs where the active tab's window shows. A
// change of the active tab is told to the parent with BCGM_CHANGE_ACTIVE_TAB (wParam the new
// index, lParam the tab window) after the tab has become active.

#include <vector>

#include "platform/win/CWnd.h"

// Sent to the tab window's parent after the user dragged a tab to another place: wParam the
// tab's former index, lParam its new one.
extern const UINT BCGM_ON_MOVE_TAB;

class CBCGPBaseTabWnd : public CWnd {
  DECLARE_DYNAMIC(CBCGPBaseTabWnd)
public:
  enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

  CBCGPBaseTabWnd();
  ~CBCGPBaseTabWnd() override;

  // Adds a tab at the end (or at iInsertAt); the first tab becomes active.
  virtual void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = (UINT)-1, BOOL bDetachable = TRUE);
  virtual void InsertTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, int iInsertAt, UINT uiImageId = (UINT)-1,
                         BOOL bDetachable = TRUE);
  // Removes a tab; its window is destroyed when windows are destroyed with their tabs.
  virtual BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
  virtual void RemoveAllTabs();
  int GetTabsNum() const { return static_cast<int>(m_tabs.size()); }
  int GetVisibleTabsNum() const { return GetTabsNum(); }
  int GetActiveTab() const { return m_iActiveTab; }
  virtual BOOL SetActiveTab(int iTab);
  CWnd* GetTabWnd(int iTab) const;
  CWnd* GetActiveWnd() const { return GetTabWnd(m_iActiveTab); }
  int GetTabFromHwnd(HWND hwnd) const;
  // The tab under a point of the tab window's client area, -1 when none.
  int GetTabFromPoint(CPoint& pt) const;
  BOOL GetTabLabel(int iTab, CString& strLabel) const;
  BOOL SetTabLabel(int iTab, const CString& strLabel);
  BOOL SetTabIcon(int iTab, HICON hIcon);
  HICON GetTabIcon(int iTab) const;
  // The tab's own colour, (COLORREF)-1 for the default.
  BOOL SetTabBkColor(int iTab, COLORREF color = (COLORREF)-1);
  COLORREF GetTabBkColor(int iTab) const;
  // Windows are destroyed with their tabs when set.
  void AutoDestroyWindow(BOOL bAutoDestroy = TRUE) { m_bAutoDestroyWindow = bAutoDestroy; }
  BOOL IsAutoDestroyWindow() const { return m_bAutoDestroyWindow; }
  void SetActiveTabBoldFont(BOOL bIsBold = TRUE);
  void EnableTabDocumentsMenu(BOOL bEnable = TRUE) { m_bTabDocumentsMenu = bEnable; }
  static void EnableAutoColor(BOOL bEnable = TRUE);
  // The area the tab windows fill, in client coordinates.
  void GetWndArea(CRect& rect) const;
  virtual void RecalcLayout();
  // Lets the user drag tabs to another place in the row (each move told with BCGM_ON_MOVE_TAB).
  void EnableTabSwap(BOOL bEnable = TRUE);
  BOOL IsTabSwapEnabled() const;
  // Moves a tab with its window, label, icon and colour; the active tab stays the active one.
  BOOL MoveTab(int iSource, int iDest);

protected:
  DECLARE_MESSAGE_MAP()
  afx_msg void OnSize(UINT nType, int cx, int cy);
  // The Qt tab row (made by the derived window's Create).
  void AttachTabRow(Location location);
  void OnTabRowChanged(int index);
  void ShowActive();

  struct Tab {
    CWnd* pWnd = nullptr;
    CString strLabel;
    HICON hIcon = nullptr;
    COLORREF clrBk = (COLORREF)-1;
  };
  std::vector<Tab> m_tabs;
  int m_iActiveTab = -1;
  BOOL m_bAutoDestroyWindow = TRUE;
  BOOL m_bTabDocumentsMenu = FALSE;
  BOOL m_bBoldActive = FALSE;
  Location m_location = LOCATION_BOTTOM;
  int m_nSyncing = 0;

private:
  struct Row;
  Row* m_pRow;
};
