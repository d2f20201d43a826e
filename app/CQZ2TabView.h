#pragma once
// The view of a document window. It will hold the drawing, layer table and drawing table tabs;
// for now it paints the paper colour of the options.

#include "platform/win/CView.h"

class CQZ2TabView : public CView
{
    DECLARE_DYNCREATE(CQZ2TabView)
public:
    CQZ2TabView();
    ~CQZ2TabView() override;

    // Zooms every drawing tab to show its whole drawing.
    void ZoomAllViews();

protected:
    void OnDraw(CDC* pDC) override;
};
