#include "app/CQZ2TabView.h"

#include "app/CQZ2App.h"
#include "app/SystemEnvironment.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNCREATE(CQZ2TabView, CView)

CQZ2TabView::CQZ2TabView() = default;

CQZ2TabView::~CQZ2TabView() = default;

void CQZ2TabView::ZoomAllViews()
{
    // No drawing tabs exist yet.
}

void CQZ2TabView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    COLORREF paper = RGB(255, 255, 255);
    if (CQZ2App* pApp = CQZ2App::GetApp())
        if (const SystemEnvironment* pOptions = pApp->GetSystemEnvironment())
            paper = pOptions->m_PaperColor;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, paper);
}
