#include "platform/bcg/CBCGPVisualManager2007.h"

namespace {
CBCGPVisualManager2007::Style g_style = CBCGPVisualManager2007::VS2007_LunaBlue;
}

IMPLEMENT_DYNCREATE(CBCGPVisualManager2007, CBCGPVisualManager2003)

CBCGPVisualManager2007::CBCGPVisualManager2007() = default;
CBCGPVisualManager2007::~CBCGPVisualManager2007() = default;

BOOL CBCGPVisualManager2007::SetStyle(Style style, LPCTSTR) {
  if (style < VS2007_LunaBlue || style > VS2007_Silver) return FALSE;
  g_style = style;
  if (auto* current = DYNAMIC_DOWNCAST(CBCGPVisualManager2007, CBCGPVisualManager::GetInstance())) current->OnApply();
  return TRUE;
}

CBCGPVisualManager2007::Style CBCGPVisualManager2007::GetStyle() { return g_style; }

BOOL CBCGPVisualManager2007::IsDarkTheme() const { return g_style == VS2007_ObsidianBlack; }

COLORREF CBCGPVisualManager2007::GetStatusBarBackColor() {
  switch (g_style) {
    case VS2007_ObsidianBlack: return RGB(83, 83, 83);
    case VS2007_Aqua: return RGB(214, 222, 236);
    case VS2007_Silver: return RGB(221, 224, 227);
    default: return RGB(199, 218, 242);
  }
}

COLORREF CBCGPVisualManager2007::GetRibbonStatusBarTextColor(CBCGPRibbonStatusBar*) {
  return g_style == VS2007_ObsidianBlack ? RGB(255, 255, 255) : RGB(21, 66, 139);
}
