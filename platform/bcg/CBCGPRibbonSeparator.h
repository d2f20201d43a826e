#pragma once
// A thin vertical line between status bar elements.

#include "platform/bcg/CBCGPBaseRibbonElement.h"

class CBCGPRibbonSeparator : public CBCGPBaseRibbonElement {
  DECLARE_DYNCREATE(CBCGPRibbonSeparator)
public:
  CBCGPRibbonSeparator() = default;
  BOOL IsSeparator() const override { return TRUE; }
  CSize GetRegularSize(CDC* pDC) override;
  void OnDraw(CDC* pDC) override;
};
