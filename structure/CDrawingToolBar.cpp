#include "structure/CDrawingToolBar.h"

IMPLEMENT_DYNAMIC(CDrawingToolBar, CBarToolBar)

CDrawingToolBar::CDrawingToolBar() = default;

CDrawingToolBar::~CDrawingToolBar() = default;
