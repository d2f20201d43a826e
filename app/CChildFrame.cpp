#include "app/CChildFrame.h"

#include "app/CQZ2App.h"
#include "app/CQZ2BaseView.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "command/CommandManager.h"
#include "platform/bcg/CBCGPTabWnd.h"

IMPLEMENT_DYNCREATE(CChildFrame, CBCGPMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CBCGPMDIChildWnd)
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

namespace {

QZ2Command::CommandManager* Manager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

// The tab view that shows pView: the view itself, or the tab view around a drawing view.
CQZ2TabView* TabViewOf(CView* pView)
{
    if (auto* pTab = DYNAMIC_DOWNCAST(CQZ2TabView, pView))
        return pTab;
    if (pView == nullptr || !pView->IsKindOf(RUNTIME_CLASS(CQZ2BaseView)))
        return DYNAMIC_DOWNCAST(CQZ2TabView, pView != nullptr ? pView->GetParent() : nullptr);
    for (CWnd* pWnd = pView->GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CBCGPTabWnd)))
            return DYNAMIC_DOWNCAST(CQZ2TabView, pWnd->GetParent());
        if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            break;
    }
    return nullptr;
}

}  // namespace

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CBCGPMDIChildWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    // A drawing is worked on at the full size of the document area, never in a small window.
    if (nCmdShow == -1 || nCmdShow == SW_SHOW || nCmdShow == SW_SHOWNORMAL)
        nCmdShow = SW_SHOWMAXIMIZED;
    CBCGPMDIChildWnd::ActivateFrame(nCmdShow);
}

void CChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CBCGPMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    QZ2Command::CommandManager* pManager = Manager();
    if (pManager == nullptr)
        return;
    if (!bActivate) {
        if (pDeactivateWnd == this)
            pManager->SetActiveView(nullptr);
        return;
    }
    if (pActivateWnd != this)
        return;
    CView* pView = GetActiveView();
    if (pView == nullptr)
        return;
    if (auto* pDoc = DYNAMIC_DOWNCAST(CQZ2Doc, pView->GetDocument()))
        pManager->SetDocument(pDoc, pDoc->GetDraw2dDocument());
    pManager->SetActiveView(TabViewOf(pView));
}
