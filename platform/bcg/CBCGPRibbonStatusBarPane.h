#pragma once
// A pane of the ribbon status bar: a text with an optional icon, sized for its "almost largest"
// text so that it does not jump as its text changes; a clickable (not static) pane sends its
// command. A pane can show an animation from an image strip instead of its icon.

#include <memory>

#include "platform/bcg/CBCGPBaseRibbonElement.h"

class CBCGPToolBarImages;

class CBCGPRibbonStatusBarPane : public CBCGPBaseRibbonElement {
  DECLARE_DYNCREATE(CBCGPRibbonStatusBarPane)
public:
  CBCGPRibbonStatusBarPane();
  CBCGPRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic = FALSE, HICON hIcon = nullptr,
                           LPCTSTR lpszAlmostLargeText = nullptr);
  ~CBCGPRibbonStatusBarPane() override;

  BOOL IsStatic() const override { return m_bIsStatic; }
  void SetAlmostLargeText(LPCTSTR lpszAlmostLargeText);
  LPCTSTR GetAlmostLargeText() const { return m_strAlmostLargeText; }
  HICON GetIcon() const { return m_hIcon; }

  // Frames of the animation: bitmap resource cut into images cxAnimation wide, clrTransp the mask.
  BOOL SetAnimationList(UINT uiAnimationListResID, int cxAnimation = 16, COLORREF clrTransp = RGB(255, 0, 255));
  // Runs the animation, one frame every uiFrameRate ms, for uiDuration ms ((UINT)-1: until stopped).
  void StartAnimation(UINT uiFrameRate = 500, UINT uiDuration = (UINT)-1);
  void StopAnimation();
  BOOL IsAnimation() const { return m_bAnimating; }
  int GetAnimationFrame() const { return m_nAnimationFrame; }
  int GetAnimationFrameCount() const;
  // Next frame (called by the bar's timer); FALSE when the animation has ended.
  BOOL OnAnimationTimer(UINT nElapsed);
  UINT GetAnimationRate() const { return m_uiFrameRate; }

  // The background colour of the pane, (COLORREF)-1 for the bar's.
  virtual COLORREF OnFillBackground(CDC* pDC);
  CSize GetRegularSize(CDC* pDC) override;
  void OnDraw(CDC* pDC) override;

protected:
  BOOL m_bIsStatic = FALSE;
  HICON m_hIcon = nullptr;
  CString m_strAlmostLargeText;
  std::unique_ptr<CBCGPToolBarImages> m_pAnimation;
  BOOL m_bAnimating = FALSE;
  int m_nAnimationFrame = 0;
  UINT m_uiFrameRate = 500;
  UINT m_uiDuration = (UINT)-1;
  UINT m_uiElapsed = 0;
  UINT m_uiSinceFrame = 0;
};
