#pragma once
// The 2007 looks: three light colour schemes and a dark one (Obsidian black).

#include "platform/bcg/CBCGPVisualManager2003.h"

class CBCGPVisualManager2007 : public CBCGPVisualManager2003 {
  DECLARE_DYNCREATE(CBCGPVisualManager2007)
public:
  enum Style { VS2007_LunaBlue = 0, VS2007_ObsidianBlack = 1, VS2007_Aqua = 2, VS2007_Silver = 3 };

  CBCGPVisualManager2007();
  ~CBCGPVisualManager2007() override;

  // The scheme of 2007 managers made from now on (and of the default one, when it is one).
  static BOOL SetStyle(Style style, LPCTSTR lpszPath = nullptr);
  static Style GetStyle();

  BOOL IsDarkTheme() const override;
  COLORREF GetStatusBarBackColor() override;
  COLORREF GetRibbonStatusBarTextColor(CBCGPRibbonStatusBar* pStatusBar) override;
};
