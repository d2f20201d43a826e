#pragma once
// The base of every bar of the docking library (docking bars, toolbars, the menu bar, the
// status bar). A bar is a window whose widget the frame lays out: a docking bar inside a
// dockable panel, a toolbar as a movable tool strip. It keeps its bar style (CBRS_), the sides
// it may dock on, and answers where and how it is shown.

#include "platform/afx/CRect.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/win/CWnd.h"

class CFrameWnd;
class CBCGPMDIFrameWnd;
class QWidget;

class CBCGPControlBar : public CWnd {
  DECLARE_DYNAMIC(CBCGPControlBar)
public:
  CBCGPControlBar();
  ~CBCGPControlBar() override;

  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
  // The sides the bar may be docked on (CBRS_ALIGN_ flags).
  virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment & CBRS_ALIGN_ANY_MASK; }
  DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }

  // Shown (not hidden by the user or the program), docked or floating.
  virtual BOOL IsVisible() const;
  virtual BOOL IsFloating() const;
  BOOL IsDocked() const { return !IsFloating(); }
  // The side the bar is docked on now (CBRS_ALIGN_ flag), 0 while floating.
  DWORD GetCurrentAlignment() const;
  virtual BOOL IsAutoHideMode() const { return FALSE; }
  // Listed on the toolbar menu and the customisation sheet.
  virtual BOOL AllowShowOnList() const { return TRUE; }
  virtual BOOL CanFloat() const { return TRUE; }
  virtual BOOL IsResizable() const { return FALSE; }

  // Floats the bar with its frame at rectFloat (screen coordinates).
  virtual BOOL FloatControlBar(CRect rectFloat, int dockMethod = 0, bool bShow = true);
  // The small frame around a floating bar, or null while docked.
  CWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
  // The frame the bar docks in.
  CFrameWnd* GetDockSiteFrameWnd() const { return m_pDockSite; }
  virtual void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
  virtual void AdjustLayout() {}
  // The right mouse button on the bar (the frame's toolbar menu by default).
  virtual void OnControlBarContextMenu(CWnd* pParentFrame, CPoint point);

  // Brings the bar's items up to date through the frame's update handlers (on idle).
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    (void)pTarget;
    (void)bDisableIfNoHndler;
  }

  // The widget the frame's layout holds: the dock panel or the tool strip.
  QWidget* GetLayoutWidget() const;

  // ---- library internals ----
  void SetDockSite(CFrameWnd* pFrame) { m_pDockSite = pFrame; }
  void SetLayoutWidget(QWidget* pWidget);
  // Name of the bar in the stored layout.
  CString GetLayoutName() const;

protected:
  DECLARE_MESSAGE_MAP()
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);

  static constexpr DWORD CBRS_ALIGN_ANY_MASK = 0xF000;
  DWORD m_dwStyle = 0;
  DWORD m_dwEnabledAlignment = 0;
  CFrameWnd* m_pDockSite = nullptr;

private:
  struct LayoutRef;
  LayoutRef* m_pLayout = nullptr;
};
