#pragma once
// The tab window of the library (tabs of views, tabbed bars): created with a look and the side
// of its tabs.

#include "platform/bcg/CBCGPBaseTabWnd.h"

class CBCGPTabWnd : public CBCGPBaseTabWnd {
  DECLARE_DYNCREATE(CBCGPTabWnd)
public:
  enum Style {
    STYLE_3D = 0,
    STYLE_FLAT = 1,
    STYLE_FLAT_SHARED_HORZ_SCROLL = 2,
    STYLE_3D_SCROLLED = 3,
    STYLE_3D_ONENOTE = 4,  // tabs drawn in their own colours
    STYLE_3D_VS2005 = 5,
  };

  CBCGPTabWnd();
  ~CBCGPTabWnd() override;

  BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
              BOOL bCloseBtn = FALSE);
  Style GetTabStyle() const { return m_style; }
  void SetFlatFrame(BOOL bFlat = TRUE, BOOL bRepaint = TRUE);
  BOOL IsFlatFrame() const { return m_bFlatFrame; }

protected:
  Style m_style = STYLE_3D;
  BOOL m_bFlatFrame = FALSE;
  BOOL m_bCloseBtn = FALSE;
};
