#pragma once
// The toolbar of the drawing bar and of the overview bar: a bar toolbar whose buttons the bar updates
// and carries out.

#include "controls/CBarToolBar.h"

class CDrawingToolBar : public CBarToolBar
{
    DECLARE_DYNAMIC(CDrawingToolBar)
public:
    CDrawingToolBar();
    ~CDrawingToolBar() override;
};
