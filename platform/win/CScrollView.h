#pragma once
// A view larger than its window: it keeps a total size in logical units of a mapping mode,
// shows scroll bars while the total does not fit, scrolls by lines, pages, the thumb and the
// mouse wheel, and prepares each context with the scroll position as the viewport origin.

#include "platform/afx/CSize.h"
#include "platform/win/CView.h"

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
public:
  CScrollView();
  ~CScrollView() override;

  static const SIZE sizeDefault;

  // Total, page and line sizes in logical units of nMapMode; the default page is a tenth of
  // the total and the default line a tenth of the page.
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  // Shows the whole total size in the window, scaled, without scroll bars.
  void SetScaleToFitSize(SIZE sizeTotal);
  CPoint GetScrollPosition() const;        // logical units
  CPoint GetDeviceScrollPosition() const;  // pixels
  void ScrollToPosition(POINT pt);         // logical units
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  int GetMapMode() const { return m_nMapMode; }
  // Brings the scroll bars in line with the window's size.
  void UpdateBars();

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

protected:
  DECLARE_MESSAGE_MAP()
  void ScrollToDevicePosition(POINT ptDev);
  CSize ToDevice(SIZE sizeLog) const;

  int m_nMapMode = 0;  // 0 until SetScrollSizes
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;
  BOOL m_bCenter = FALSE;
  BOOL m_bInsideUpdate = FALSE;
};
