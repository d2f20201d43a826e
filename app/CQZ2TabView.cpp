#include "app/CQZ2TabView.h"

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CRect.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"

IMPLEMENT_DYNCREATE(CQZ2TabView, CBCGPTabView)

BEGIN_MESSAGE_MAP(CQZ2TabView, CBCGPTabView)
ON_WM_DESTROY()
ON_WM_KEYDOWN()
ON_COMMAND(39532, &CQZ2TabView::OnCloseTab)
ON_UPDATE_COMMAND_UI(39532, &CQZ2TabView::OnUpdateCloseTab)
END_MESSAGE_MAP()

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;

QZ2Command::CommandManager* Manager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

Draw2dDocument* ModelOf(CDocument* pDocument)
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(pDocument);
    return pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
}

}  // namespace

CQZ2TabView::CQZ2TabView() = default;

CQZ2TabView::~CQZ2TabView() = default;

int CQZ2TabView::GetTabCount() const
{
    return const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabsNum();
}

int CQZ2TabView::GetTabKind(int nTab) const
{
    if (nTab < 0 || nTab >= GetTabCount())
        return -1;
    CWnd* pWnd = const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab);
    auto* pView = dynamic_cast<CQZ2BaseView*>(pWnd);
    return pView != nullptr ? static_cast<int>(pView->m_viewType) : -1;
}

CQZ2View* CQZ2TabView::GetDrawView(int nTab) const
{
    const int nKind = GetTabKind(nTab);
    if (nKind != ViewTypePaper && nKind != ViewTypePart && nKind != ViewTypeComponentEdit)
        return nullptr;
    return dynamic_cast<CQZ2View*>(const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab));
}

int CQZ2TabView::GetActiveViewKind() const
{
    return GetTabKind(const_cast<CQZ2TabView*>(this)->GetTabControl().GetActiveTab());
}

CQZ2View* CQZ2TabView::GetActiveDrawView() const
{
    return GetDrawView(const_cast<CQZ2TabView*>(this)->GetTabControl().GetActiveTab());
}

int CQZ2TabView::FindDrawingTab(const DrawingFeatureBase* pDrawing) const
{
    if (pDrawing == nullptr)
        return -1;
    for (int i = 0; i < GetTabCount(); ++i) {
        CQZ2View* pView = GetDrawView(i);
        if (pView != nullptr && pView->GetDrawingFeature() == pDrawing)
            return i;
    }
    return -1;
}

BOOL CQZ2TabView::AddDrawingTab(DrawingFeatureBase* pDrawing, int nKind)
{
    if (pDrawing == nullptr)
        return FALSE;
    CBCGPTabWnd& tabs = GetTabControl();
    const int nActive = tabs.GetActiveTab();
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pNewViewClass = RUNTIME_CLASS(CQZ2View);
    const int nTab = AddView(RUNTIME_CLASS(CQZ2View), pDrawing->GetDrawingName(), -1, &context);
    if (nTab < 0)
        return FALSE;
    if (nActive >= 0 && nActive != nTab)
        SetActiveView(nActive);
    auto* pView = dynamic_cast<CQZ2View*>(tabs.GetTabWnd(nTab));
    if (pView == nullptr)
        return FALSE;
    pView->m_viewType = static_cast<ViewType>(nKind);
    pView->SetDrawingFeature(pDrawing);
    // The drawing's own layout (itself at identity); the data model keeps it apart from the placed ones.
    pView->SetActiveLayout(pDrawing->GetSelfPartLayout());
    pView->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    CRect area;
    tabs.GetWndArea(area);
    pView->MoveWindow(&area, TRUE);
    pView->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL CQZ2TabView::AddPaperDrawingTab(DrawingFeatureBase* pDrawing)
{
    return AddDrawingTab(pDrawing, ViewTypePaper);
}

BOOL CQZ2TabView::AddPartDrawingTab(DrawingFeatureBase* pDrawing)
{
    return AddDrawingTab(pDrawing, ViewTypePart);
}

BOOL CQZ2TabView::AddComponentTab(DrawingFeatureBase* pDefine)
{
    const int nTab = FindDrawingTab(pDefine);
    if (nTab >= 0)
        return ActivateTab(nTab);
    return AddDrawingTab(pDefine, ViewTypeComponentEdit);
}

BOOL CQZ2TabView::AddTabForDrawing(DrawingFeatureBase* pDrawing)
{
    if (pDrawing == nullptr || FindDrawingTab(pDrawing) >= 0)
        return FALSE;
    switch (pDrawing->GetDrawingType()) {
    case DrawingFeatureBase::typePaper:
        return AddPaperDrawingTab(pDrawing);
    case DrawingFeatureBase::typePart:
        return AddPartDrawingTab(pDrawing);
    case DrawingFeatureBase::typeComponent:
        return AddComponentTab(pDrawing);
    default:
        return FALSE;
    }
}

BOOL CQZ2TabView::RemoveDrawingTab(DrawingFeatureBase* pDrawing)
{
    const int nTab = FindDrawingTab(pDrawing);
    if (nTab < 0)
        return FALSE;
    CBCGPTabWnd& tabs = GetTabControl();
    const int nCount = tabs.GetTabsNum();
    if (nTab == tabs.GetActiveTab() && nCount > 1) {
        int nNext = nTab + 1 < nCount ? nTab + 1 : nTab - 1;
        // A component's neighbour that shows no drawing gives way to the first paper drawing.
        if (GetTabKind(nTab) == ViewTypeComponentEdit && GetDrawView(nNext) == nullptr) {
            for (int i = 0; i < nCount; ++i)
                if (GetTabKind(i) == ViewTypePaper) {
                    nNext = i;
                    break;
                }
        }
        ActivateTab(nNext);
    }
    CQZ2View* pView = GetDrawView(nTab);
    QZ2Command::CommandManager* pManager = Manager();
    if (pManager != nullptr && pView != nullptr && pManager->GetActiveView() == pView->GetDraw2dView())
        pManager->SetActiveDraw2dView(nullptr);
    RemoveView(nTab);
    PublishActiveView();
    return TRUE;
}

BOOL CQZ2TabView::UpdateTabLabel(DrawingFeatureBase* pDrawing)
{
    const int nTab = FindDrawingTab(pDrawing);
    if (nTab < 0)
        return FALSE;
    return GetTabControl().SetTabLabel(nTab, pDrawing->GetDrawingName());
}

BOOL CQZ2TabView::ActivateTab(int nTab)
{
    if (nTab < 0 || nTab >= GetTabCount())
        return FALSE;
    if (GetTabControl().GetActiveTab() == nTab)
        return TRUE;
    return SetActiveView(nTab);
}

BOOL CQZ2TabView::ActivateDrawing(DrawingFeatureBase* pDrawing)
{
    const int nTab = FindDrawingTab(pDrawing);
    if (nTab < 0)
        return FALSE;
    return ActivateTab(nTab);
}

void CQZ2TabView::PublishActiveView()
{
    QZ2Command::CommandManager* pManager = Manager();
    if (pManager == nullptr || pManager->GetActiveTabView() != this)
        return;
    CQZ2View* pView = GetActiveDrawView();
    pManager->SetActiveDraw2dView(pView != nullptr ? pView->GetDraw2dView() : nullptr);
}

void CQZ2TabView::SyncDocumentToActiveTab()
{
    if (m_bInitialized == 0)
        return;
    Draw2dDocument* pModel = ModelOf(GetDocument());
    CQZ2View* pView = GetActiveDrawView();
    if (pModel != nullptr && pView != nullptr) {
        DrawingFeatureBase* pDrawing = pView->GetDrawingFeature();
        PartDrawingLayout* pLayout = pView->GetActiveLayout();
        DrawingFeatureBase* pActive = pModel->GetActiveDrawingFeature();
        const int nKind = GetActiveViewKind();
        PartDrawingLayout* pActiveLayout = pModel->GetActiveDrawingLayout();
        // The document's active drawing follows the tab whenever it shows another drawing, also when the
        // active drawing has no part layout (a component left): commands act on what is shown.
        if (pDrawing != nullptr && pActive != pDrawing && !(pLayout != nullptr && pLayout == pActiveLayout)) {
            pModel->BeginUndoOperation(nullptr);
            if (nKind == ViewTypePaper) {
                // On a paper, the part drawing that was active stays active through its layout there.
                PartDrawingLayout* pPlaced =
                    pActive != nullptr ? pDrawing->FindPartLayoutByDrawingID(pActive->GetDrawingID()) : nullptr;
                if (pPlaced != nullptr)
                    pModel->ActivateDrawingFeature(pDrawing->GetDrawingID(), pPlaced->GetLayoutID(), TRUE);
                else if (pActive == nullptr && pLayout != nullptr)
                    pModel->ActivateDrawingFeature(pDrawing->GetDrawingID(), pLayout->GetLayoutID(), TRUE);
                else
                    pModel->ActivateDrawingFeature(pDrawing, TRUE);
            } else {
                pModel->ActivateDrawingFeature(pDrawing, TRUE);
            }
            pModel->EndUndoOperation();
        }
    }
    PublishActiveView();
    if (QZ2Command::CommandManager* pManager = Manager())
        if (pManager->GetActiveTabView() == this)
            pManager->OnViewChanged();
}

void CQZ2TabView::OnActiveTabViewChanged(CView*)
{
    SyncDocumentToActiveTab();
}

void CQZ2TabView::OnInitialUpdate()
{
    CBCGPTabView::OnInitialUpdate();
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    SendMessage(WM_SETREDRAW, FALSE);
    int nActivate = -1;
    QZ2Command::CommandManager* pManager = Manager();
    CQZ2TabView* pOther = pManager != nullptr ? pManager->GetActiveTabView() : nullptr;
    if (pModel != nullptr && GetTabCount() == 0) {
        if (pOther != nullptr && pOther != this && pOther->GetDocument() == GetDocument()) {
            // A further window on a document already shown: the same drawing tabs in the same order.
            const int nOtherActive = pOther->GetTabControl().GetActiveTab();
            for (int i = 0; i < pOther->GetTabCount(); ++i) {
                CQZ2View* pView = pOther->GetDrawView(i);
                if (pView != nullptr && AddTabForDrawing(pView->GetDrawingFeature()) && i == nOtherActive)
                    nActivate = GetTabCount() - 1;
            }
        } else if (pDoc->GetViewInfo().GetViewInfoCount() > 0) {
            // The tabs saved with the file. An entry whose drawing is gone or of another kind is skipped,
            // and the saved active entry is found among the tabs actually made.
            const DrawViewInfo& info = pDoc->GetViewInfo();
            for (int i = 0; i < info.GetViewInfoCount(); ++i) {
                const int nKind = info.GetViewType(i);
                DrawingFeatureBase* pDrawing = pModel->ChangeDrawingFeature(info.GetViewID(i));
                if (pDrawing == nullptr || FindDrawingTab(pDrawing) >= 0)
                    continue;
                BOOL bAdded = FALSE;
                if (nKind == ViewTypePaper && pDrawing->IsPaperFeature())
                    bAdded = AddPaperDrawingTab(pDrawing);
                else if (nKind == ViewTypePart && pDrawing->IsPartFeature())
                    bAdded = AddPartDrawingTab(pDrawing);
                if (bAdded && i == info.GetActiveIndex())
                    nActivate = GetTabCount() - 1;
            }
        }
        if (GetTabCount() == 0) {
            const int nCount = pModel->GetDrawingFeatureCount();
            for (int i = 0; i < nCount; ++i) {
                DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
                if (pDrawing != nullptr && pDrawing->GetDrawingType() != DrawingFeatureBase::typeComponent)
                    AddTabForDrawing(pDrawing);
            }
            nActivate = FindDrawingTab(pModel->GetActiveDrawingFeature());
        }
    }
    SendMessage(WM_SETREDRAW, TRUE);
    GetTabControl().Invalidate();
    ActivateTab(nActivate >= 0 ? nActivate : 0);
    m_bInitialized = 1;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetActiveView(this, TRUE);
    SyncDocumentToActiveTab();
}

void CQZ2TabView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && pActivateView == this) {
        if (QZ2Command::CommandManager* pManager = Manager()) {
            pManager->SetActiveView(this);
            PublishActiveView();
        }
    }
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CQZ2TabView::OnDestroy()
{
    if (QZ2Command::CommandManager* pManager = Manager())
        if (pManager->GetActiveTabView() == this)
            pManager->SetActiveView(nullptr);
    CBCGPTabView::OnDestroy();
}

void CQZ2TabView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_BACK:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (QZ2Command::CommandManager* pManager = Manager())
            pManager->OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    default:
        break;
    }
    Default();
}

void CQZ2TabView::ZoomAllViews()
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    for (int i = 0; i < GetTabCount(); ++i) {
        CQZ2View* pView = GetDrawView(i);
        if (pView == nullptr || pView->GetDrawingFeature() == nullptr)
            continue;
        Draw2dView* pD2 = pView->GetDraw2dView();
        DrawingFeatureBase* pDrawing = pView->GetDrawingFeature();
        if (pDrawing->IsPaperFeature()) {
            if (pDoc == nullptr || !pDoc->IsEmbedded())
                pD2->ZoomPaper();
        } else if (!(pDrawing->GetFeatureCount() > 0 && pD2->ZoomAll())) {
            pD2->ZoomLayout();
        }
    }
}

void CQZ2TabView::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    if (pInfo->GetKind() == NotifyInfoBase::kindDrawing) {
        switch (pInfo->GetCode()) {
        case 1:
        case 12:
            AddTabForDrawing(pInfo->GetDrawing());
            break;
        case 2:
        case 13:
            RemoveDrawingTab(pInfo->GetDrawing());
            break;
        case 3:
            UpdateTabLabel(pInfo->GetDrawing());
            break;
        case 8:
            // A part layout went away: views that showed through it get their drawing's own layout back.
            for (int i = 0; i < GetTabCount(); ++i)
                if (CQZ2View* pView = GetDrawView(i))
                    if (pView->GetActiveLayout() == pInfo->GetPartLayout() && pView->GetDrawingFeature() != nullptr)
                        pView->SetActiveLayout(pView->GetDrawingFeature()->GetSelfPartLayout());
            break;
        case 4:
            if (pInfo->GetDrawing2() != nullptr) {
                const int nTab = FindDrawingTab(pInfo->GetDrawing2());
                if (CQZ2View* pView = GetDrawView(nTab))
                    pView->SetActiveLayout(pInfo->GetPartLayout());
            } else {
                ActivateDrawing(pInfo->GetDrawing());
            }
            break;
        default:
            break;
        }
    }
    if (pInfo->GetKind() == NotifyInfoBase::kindShowFeatures) {
        // The listed shapes are brought into the active drawing view, as large as they fit.
        CQZ2View* pView = GetActiveDrawView();
        Draw2dDocument* pModel = ModelOf(GetDocument());
        if (pView != nullptr && pModel != nullptr) {
            RuVaBndBox2d all;
            for (const long nID : pInfo->GetFeatureIDs()) {
                RuVaBndBox2d box;
                if (pModel->GetFeatureBox(nID, box) && !box.IsVoid())
                    all.Add(box);
            }
            if (!all.IsVoid())
                pView->GetDraw2dView()->EnsureVisible(all, TRUE);
        }
    }
    for (int i = 0; i < GetTabCount(); ++i)
        if (auto* pView = dynamic_cast<CQZ2BaseView*>(GetTabControl().GetTabWnd(i)))
            pView->OnDocumentNotify(pInfo);
}

BOOL CQZ2TabView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    struct DocumentNotify {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    };
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        OnDocumentNotify(reinterpret_cast<const DocumentNotify*>(lParam)->pInfo);
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CBCGPTabView::OnNotify(wParam, lParam, pResult);
}

void CQZ2TabView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DFACE));
}

// --- options and commands ------------------------------------------------------------------------

namespace {

bool IsDrawingKind(int nKind, bool bPaper, bool bPart, bool bComponent)
{
    return (bPaper && nKind == ViewTypePaper) || (bPart && nKind == ViewTypePart) ||
           (bComponent && nKind == ViewTypeComponentEdit);
}

}  // namespace

BOOL CQZ2TabView::SetGraphicsMode(int nMode)
{
    for (int i = 0; i < GetTabCount(); ++i)
        if (CQZ2View* pView = GetDrawView(i))
            if (!pView->SetGraphicsMode(nMode))
                return FALSE;
    return TRUE;
}

#define KC_FOR_DRAW_VIEWS(paper, part, component, call)                                               \
    for (int i = 0; i < GetTabCount(); ++i)                                                            \
        if (CQZ2View* pView = GetDrawView(i))                                                          \
            if (IsDrawingKind(GetTabKind(i), paper, part, component))                                  \
                pView->call;

void CQZ2TabView::SetPaperColor(COLORREF color) { KC_FOR_DRAW_VIEWS(true, false, false, SetPaperColor(color)) }
void CQZ2TabView::SetPaperBackColor(COLORREF c1, COLORREF c2)
{
    KC_FOR_DRAW_VIEWS(true, false, false, SetPaperBackColor(c1, c2))
}
void CQZ2TabView::SetPartBackColor(COLORREF color) { KC_FOR_DRAW_VIEWS(false, true, false, SetPartBackColor(color)) }
void CQZ2TabView::SetComponentEditerBackColor(COLORREF color)
{
    KC_FOR_DRAW_VIEWS(false, false, true, SetComponentEditerBackColor(color))
}
void CQZ2TabView::SetSelectedFeatureColor(COLORREF color)
{
    KC_FOR_DRAW_VIEWS(true, true, true, SetSelectedFeatureColor(color))
}
void CQZ2TabView::SetLineSmoothMode(int nMode) { KC_FOR_DRAW_VIEWS(true, true, true, SetLineSmoothMode(nMode)) }
void CQZ2TabView::SetLayoutRegionVisible(BOOL bVisible)
{
    KC_FOR_DRAW_VIEWS(true, true, false, SetLayoutRegionVisible(bVisible))
}
void CQZ2TabView::SetGreekTextSize(int nPixels) { KC_FOR_DRAW_VIEWS(true, true, false, SetGreekTextSize(nPixels)) }

#undef KC_FOR_DRAW_VIEWS

BOOL CQZ2TabView::CloseTab(int nTab)
{
    const int nKind = GetTabKind(nTab);
    if (nKind != ViewTypePart && nKind != ViewTypeComponentEdit)
        return FALSE;
    CQZ2View* pView = GetDrawView(nTab);
    return pView != nullptr && RemoveDrawingTab(pView->GetDrawingFeature());
}

void CQZ2TabView::OnCloseTab()
{
    CloseTab(GetTabControl().GetActiveTab());
}

void CQZ2TabView::OnUpdateCloseTab(CCmdUI* pCmdUI)
{
    const int nKind = GetActiveViewKind();
    pCmdUI->Enable(nKind == ViewTypePart || nKind == ViewTypeLayerTable || nKind == ViewTypeComponentEdit);
}

BOOL CQZ2TabView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool bViewCommand = (nID >= 34025 && nID <= 34125) || nID == ID_OLE_INSERT_NEW || nID == 32768 ||
                              nID == ID_FILE_PAGE_SETUP || nID == ID_FILE_PRINT || nID == ID_FILE_PRINT_PREVIEW ||
                              (nID == 168 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI));
    if (bViewCommand) {
        // Only the active drawing view answers these; with a table active they are left unchanged.
        CQZ2View* pView = GetActiveDrawView();
        return pView != nullptr ? pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
    }
    return CBCGPTabView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
