#pragma once
// The look of the library's windows. One manager is the default at a time; choosing another
// switches the whole program between the light and the dark look at once. Bars ask it for the
// colours they draw with.

#include "platform/afx/CObject.h"
#include "platform/win/WinTypes.h"

class CBCGPRibbonStatusBar;

class CBCGPVisualManager : public CObject {
  DECLARE_DYNCREATE(CBCGPVisualManager)
public:
  CBCGPVisualManager();
  ~CBCGPVisualManager() override;

  // Makes a manager of the class the default (null: the plain manager) and applies its look.
  static void SetDefaultManager(CRuntimeClass* pRTI);
  static CBCGPVisualManager* GetInstance();
  // Frees the default manager (at the end of the program).
  static void DestroyInstance();

  virtual BOOL IsDarkTheme() const { return FALSE; }
  virtual COLORREF GetRibbonStatusBarTextColor(CBCGPRibbonStatusBar* pStatusBar);
  virtual COLORREF GetStatusBarBackColor();
  virtual COLORREF GetToolbarHighlightColor();
  // Applies the look to the running program.
  virtual void OnApply();
};
