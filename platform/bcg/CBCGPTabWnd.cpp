#include "platform/bcg/CBCGPTabWnd.h"

IMPLEMENT_DYNCREATE(CBCGPTabWnd, CBCGPBaseTabWnd)

CBCGPTabWnd::CBCGPTabWnd() = default;
CBCGPTabWnd::~CBCGPTabWnd() = default;

BOOL CBCGPTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location, BOOL bCloseBtn) {
  m_style = style;
  m_bCloseBtn = bCloseBtn;
  if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParentWnd,
                    nID))
    return FALSE;
  AttachTabRow(location);
  return TRUE;
}

void CBCGPTabWnd::SetFlatFrame(BOOL bFlat, BOOL bRepaint) {
  m_bFlatFrame = bFlat;
  if (bRepaint && m_hWnd) Invalidate();
}
