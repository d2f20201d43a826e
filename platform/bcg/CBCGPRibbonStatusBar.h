#pragma once
// The status bar at the bottom of the frame, in the manner of a ribbon status bar: a main part
// on the left (elements in the order added, dynamic ones removable at run time) and an extended
// part on the right. Elements are sized from their texts; what is left is the free space.
// Clickable panes send their commands to the frame; update handlers of the frame set the panes'
// texts and states on idle. In information mode the bar shows one text across its width,
// drawn by OnDrawInformation.

#include <vector>

#include "platform/bcg/CBCGPControlBar.h"

class CBCGPBaseRibbonElement;
class CDC;

class CBCGPRibbonStatusBar : public CBCGPControlBar {
  DECLARE_DYNCREATE(CBCGPRibbonStatusBar)
public:
  CBCGPRibbonStatusBar();
  ~CBCGPRibbonStatusBar() override;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);

  // The bar owns the elements it is given.
  void AddElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible = TRUE);
  void AddExtendedElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible = TRUE);
  void AddDynamicElement(CBCGPBaseRibbonElement* pElement);
  void AddSeparator();
  BOOL RemoveElement(UINT uiID);
  void RemoveAll();
  CBCGPBaseRibbonElement* FindElement(UINT uiID) const;
  int GetCount() const { return static_cast<int>(m_main.size()); }
  CBCGPBaseRibbonElement* GetElement(int nIndex) const;
  int GetExCount() const { return static_cast<int>(m_extended.size()); }
  CBCGPBaseRibbonElement* GetExElement(int nIndex) const;
  BOOL IsExtendedElement(const CBCGPBaseRibbonElement* pElement) const;

  // Places the elements for the bar's width.
  void RecalcLayout();
  // The width left over in the main part, in pixels.
  int GetSpace() const { return m_nFreeSpace; }

  // Shows lpszInfo across the bar (information mode); null ends the mode.
  void SetInformation(LPCTSTR lpszInfo);
  BOOL IsInformationMode() const { return m_bInformationMode; }
  const CString& GetInformation() const { return m_strInformation; }

  // Brings the panes up to date through the frame's update handlers.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The element under a point of the bar's client area, or null.
  CBCGPBaseRibbonElement* HitTest(CPoint point) const;
  // Repaints one element (or everything with null).
  void RedrawElement(CBCGPBaseRibbonElement* pElement);
  int GetBarHeight() const { return m_nHeight; }
  // Runs the animation timer while a pane animates.
  void UpdateAnimationTimer();

protected:
  DECLARE_MESSAGE_MAP()
  // Draws the information text; the default draws it in the bar's text colour.
  virtual void OnDrawInformation(CDC* pDC, CString& strInfo, CRect rectInfo);
  // Fills the bar's background.
  virtual void OnFillBackground(CDC* pDC, CRect rectClient);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

  std::vector<CBCGPBaseRibbonElement*> m_main;      // owned
  std::vector<CBCGPBaseRibbonElement*> m_extended;  // owned
  int m_nFreeSpace = 0;
  int m_nHeight = 24;
  BOOL m_bInformationMode = FALSE;
  CString m_strInformation;
  BOOL m_bTimer = FALSE;
};
