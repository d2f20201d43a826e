#include "platform/bcg/CBCGPTabbedControlBar.h"

namespace {
BOOL g_bAutoColor = FALSE;
}

CBCGPTabWnd::Style CBCGPTabbedControlBar::m_StyleTabWnd = CBCGPTabWnd::STYLE_3D;

IMPLEMENT_DYNCREATE(CBCGPTabbedControlBar, CBCGPDockingControlBar)

CBCGPTabbedControlBar::CBCGPTabbedControlBar() = default;
CBCGPTabbedControlBar::~CBCGPTabbedControlBar() = default;

void CBCGPTabbedControlBar::EnableTabAutoColor(BOOL bEnable) {
  g_bAutoColor = bEnable;
  CBCGPTabWnd::EnableAutoColor(bEnable);
}

BOOL CBCGPTabbedControlBar::IsTabAutoColor() { return g_bAutoColor; }
