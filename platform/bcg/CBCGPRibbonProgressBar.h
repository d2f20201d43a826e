#pragma once
// A progress bar of the ribbon status bar: a range, a position and an infinite mode (a moving
// block for work of unknown length).

#include "platform/bcg/CBCGPBaseRibbonElement.h"

class CBCGPRibbonProgressBar : public CBCGPBaseRibbonElement {
  DECLARE_DYNCREATE(CBCGPRibbonProgressBar)
public:
  CBCGPRibbonProgressBar();
  CBCGPRibbonProgressBar(UINT nID, int nWidth = 90, int nHeight = 22);
  ~CBCGPRibbonProgressBar() override;

  void SetRange(int nMin, int nMax);
  int GetRangeMin() const { return m_nMin; }
  int GetRangeMax() const { return m_nMax; }
  // The position, kept inside the range.
  void SetPos(int nPos, BOOL bRedraw = TRUE);
  int GetPos() const { return m_nPos; }
  void SetInfiniteMode(BOOL bSet = TRUE) { m_bInfiniteMode = bSet; }
  BOOL IsInfiniteMode() const { return m_bInfiniteMode; }
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }

  CSize GetRegularSize(CDC* pDC) override;
  void OnDraw(CDC* pDC) override;

protected:
  int m_nMin = 0;
  int m_nMax = 100;
  int m_nPos = 0;
  int m_nWidth = 90;
  int m_nHeight = 22;
  BOOL m_bInfiniteMode = FALSE;
};
