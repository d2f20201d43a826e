#pragma once
// The program's own look (option VisualStyle 4): the light 2003 look whose highlight of toolbar buttons
// (the customise button's among them) follows the palette of the running desktop style.

#include "platform/bcg/CBCGPVisualManager2003.h"

class CQZ2VisualManager : public CBCGPVisualManager2003
{
    DECLARE_DYNCREATE(CQZ2VisualManager)
public:
    CQZ2VisualManager();
    ~CQZ2VisualManager() override;

    // With the theme followed: the style's highlight colour; otherwise the 2003 look's pressed colour.
    COLORREF GetToolbarHighlightColor() override;
};
