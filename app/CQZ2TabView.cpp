#include "app/CQZ2TabView.h"

#include "app/CDrawingTableView.h"
#include "app/CMainFrame.h"
#include "app/CLayerTableView.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "app/CTabViewSortDialog.h"
#include "command/CommandManager.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/afx/CObArray.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CUIntArray.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMenu.h"
#include "structure/CSkyViewBar.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinSystem.h"

IMPLEMENT_DYNCREATE(CQZ2TabView, CBCGPTabView)

BEGIN_MESSAGE_MAP(CQZ2TabView, CBCGPTabView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_KEYDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_ERASEBKGND()
ON_REGISTERED_MESSAGE(BCGM_ON_MOVE_TAB, &CQZ2TabView::OnMoveTab)
ON_COMMAND(39532, &CQZ2TabView::OnCloseTab)
ON_UPDATE_COMMAND_UI(39532, &CQZ2TabView::OnUpdateCloseTab)
ON_COMMAND(39534, &CQZ2TabView::OnTabOrder)
END_MESSAGE_MAP()

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;
constexpr UINT kTabMenu = 222;
constexpr UINT kOverviewRedraw = 37054;

struct DocumentNotify {
    NMHDR hdr;
    NotifyInfoBase* pInfo;
};

// How each kind of tab looks.
struct TabLook {
    UINT nIcon;
    COLORREF color;
};
constexpr TabLook kPaperLook{458, RGB(197, 212, 242)};
constexpr TabLook kPartLook{459, RGB(255, 220, 120)};
constexpr TabLook kComponentLook{454, RGB(190, 206, 161)};
constexpr TabLook kLayerTableLook{451, RGB(240, 160, 161)};

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

bool IsDrawingKind(int nKind)
{
    return nKind == ViewTypePaper || nKind == ViewTypePart || nKind == ViewTypeComponentEdit;
}

CString TabLabelOf(const DrawingFeatureBase* pDrawing)
{
    if (const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pDrawing))
        return pDefine->GetComponentName();
    return pDrawing->GetDrawingName();
}

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

void SetTabLook(CBCGPTabWnd& tabs, int nTab, CWnd* pView, const TabLook& look)
{
    auto hIcon = static_cast<HICON>(::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(look.nIcon), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    tabs.SetTabIcon(nTab, hIcon);
    pView->SetIcon(hIcon, FALSE);
    tabs.SetTabBkColor(nTab, look.color);
    tabs.RecalcLayout();
}

}  // namespace

CQZ2TabView::CQZ2TabView()
{
    // The command manager reaches the tab view it is given through these.
    QZ2Command::CommandManager::TabViewServices services;
    services.pfnGetTabViewDocument = [](CQZ2TabView* pTabView, CQZ2Doc*& pDocument, Draw2dDocument*& pModel) {
        pDocument = dynamic_cast<CQZ2Doc*>(pTabView->GetDocument());
        pModel = pDocument != nullptr ? pDocument->GetDraw2dDocument() : nullptr;
    };
    services.pfnGetTabViewDrawView = [](CQZ2TabView* pTabView) -> Draw2dView* {
        CQZ2View* pView = pTabView->GetActiveDrawView();
        return pView != nullptr ? pView->GetDraw2dView() : nullptr;
    };
    services.pfnGetTabViewDrawWnd = [](CQZ2TabView* pTabView) -> CWnd* {
        return pTabView->IsDrawingTabActive() ? pTabView->GetActiveDrawView() : nullptr;
    };
    services.pfnShowLayerTable = [](CQZ2TabView* pTabView) { pTabView->ShowLayerTableView(); };
    services.pfnShowDrawingTable = [](CQZ2TabView* pTabView) { pTabView->ShowDrawingTableView(); };
    QZ2Command::CommandManager::SetTabViewServices(services);
}

CQZ2TabView::~CQZ2TabView() = default;

int CQZ2TabView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBCGPTabWnd& tabs = GetTabControl();
    if (!tabs.Create(CBCGPTabWnd::STYLE_3D_ONENOTE, CRect(0, 0, 0, 0), this, 1, CBCGPTabWnd::LOCATION_TOP, FALSE))
        return -1;
    tabs.SetFlatFrame(TRUE, TRUE);
    tabs.AutoDestroyWindow(TRUE);
    tabs.SetActiveTabBoldFont(TRUE);
    tabs.EnableTabDocumentsMenu(TRUE);
    // The user may drag tabs into the order of his choice; it is saved with the document.
    tabs.EnableTabSwap(TRUE);
    return 0;
}

// --- finders -------------------------------------------------------------------------------------

int CQZ2TabView::GetTabCount() const
{
    return const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabsNum();
}

int CQZ2TabView::GetTabViewKind(int nTab) const
{
    if (nTab < 0 || nTab >= GetTabCount())
        return -1;
    CWnd* pWnd = const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab);
    auto* pView = dynamic_cast<CQZ2BaseView*>(pWnd);
    return pView != nullptr ? static_cast<int>(pView->m_viewType) : -1;
}

int CQZ2TabView::GetActiveViewKind() const
{
    return GetTabViewKind(const_cast<CQZ2TabView*>(this)->GetTabControl().GetActiveTab());
}

BOOL CQZ2TabView::IsDrawingTabActive() const
{
    return IsDrawingKind(GetActiveViewKind()) ? TRUE : FALSE;
}

CQZ2View* CQZ2TabView::GetDrawView(int nTab) const
{
    if (!IsDrawingKind(GetTabViewKind(nTab)))
        return nullptr;
    return dynamic_cast<CQZ2View*>(const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab));
}

CQZ2View* CQZ2TabView::GetActiveDrawView() const
{
    return GetDrawView(const_cast<CQZ2TabView*>(this)->GetTabControl().GetActiveTab());
}

DrawingFeatureBase* CQZ2TabView::GetTabDrawing(int nTab) const
{
    CQZ2View* pView = GetDrawView(nTab);
    Draw2dDocument* pModel = ModelOf(GetDocument());
    if (pView == nullptr || pModel == nullptr)
        return nullptr;
    const auto it = m_tabIDs.find(pView);
    if (it == m_tabIDs.end())
        return nullptr;
    if (GetTabViewKind(nTab) != ViewTypeComponentEdit)
        return pModel->GetDrawingFeatureByID(it->second);
    const DrawComponent2dFeatureDefineTable* pTable = pModel->GetComponentDefineTable();
    return pTable != nullptr ? pTable->GetComponentDefine(it->second) : nullptr;
}

int CQZ2TabView::FindDrawingTab(const DrawingFeatureBase* pDrawing) const
{
    if (pDrawing == nullptr)
        return -1;
    for (int i = 0; i < GetTabCount(); ++i)
        if (GetTabDrawing(i) == pDrawing)
            return i;
    // Also by id: a drawing being removed has already left the document when its tab is asked for.
    const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pDrawing);
    const long nID = pDefine != nullptr ? pDefine->GetComponentId() : pDrawing->GetDrawingID();
    for (int i = 0; i < GetTabCount(); ++i) {
        const auto it = m_tabIDs.find(GetDrawView(i));
        if (it != m_tabIDs.end() && it->second == nID &&
            (GetTabViewKind(i) == ViewTypeComponentEdit) == (pDefine != nullptr))
            return i;
    }
    return -1;
}

CQZ2View* CQZ2TabView::FindDrawView(const DrawingFeatureBase* pDrawing) const
{
    const int nTab = FindDrawingTab(pDrawing);
    return GetDrawView(nTab);
}

int CQZ2TabView::FindLayerTableTab() const
{
    for (int i = 0; i < GetTabCount(); ++i) {
        CWnd* pWnd = const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(i);
        if (pWnd != nullptr && pWnd->m_hWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CLayerTableView)))
            return i;
    }
    return -1;
}

int CQZ2TabView::FindDrawingTableTab() const
{
    for (int i = 0; i < GetTabCount(); ++i) {
        CWnd* pWnd = const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(i);
        if (pWnd != nullptr && pWnd->m_hWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDrawingTableView)))
            return i;
    }
    return -1;
}

CLayerTableView* CQZ2TabView::GetLayerTableView() const
{
    const int nTab = FindLayerTableTab();
    return nTab >= 0 ? static_cast<CLayerTableView*>(const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab))
                     : nullptr;
}

CDrawingTableView* CQZ2TabView::GetDrawingTableView() const
{
    const int nTab = FindDrawingTableTab();
    return nTab >= 0
               ? static_cast<CDrawingTableView*>(const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(nTab))
               : nullptr;
}

int CQZ2TabView::FindFirstPaperTab() const
{
    for (int i = 0; i < GetTabCount(); ++i)
        if (GetTabViewKind(i) == ViewTypePaper)
            return i;
    return -1;
}

// --- adding tabs ---------------------------------------------------------------------------------

int CQZ2TabView::AddTabView(CRuntimeClass* pViewClass, const CString& strLabel)
{
    CBCGPTabWnd& tabs = GetTabControl();
    const int nActive = tabs.GetActiveTab();
    CCreateContext context;
    context.m_pCurrentDoc = GetDocument();
    context.m_pNewViewClass = pViewClass;
    ++m_nAdding;
    const int nTab = AddView(pViewClass, strLabel, -1, &context);
    --m_nAdding;
    if (nTab < 0)
        return -1;
    if (nActive >= 0 && nActive != nTab)
        SetActiveView(nActive);
    return tabs.GetTabWnd(nTab) != nullptr ? nTab : -1;
}

BOOL CQZ2TabView::AddDrawingTab(DrawingFeatureBase* pDrawing, int nKind)
{
    if (pDrawing == nullptr)
        return FALSE;
    const int nTab = AddTabView(RUNTIME_CLASS(CQZ2View), TabLabelOf(pDrawing));
    if (nTab < 0)
        return FALSE;
    CBCGPTabWnd& tabs = GetTabControl();
    auto* pView = dynamic_cast<CQZ2View*>(tabs.GetTabWnd(nTab));
    if (pView == nullptr)
        return FALSE;
    pView->m_viewType = static_cast<ViewType>(nKind);
    const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pDrawing);
    m_tabIDs[pView] = pDefine != nullptr ? pDefine->GetComponentId() : pDrawing->GetDrawingID();
    pView->SetDrawingFeature(pDrawing);
    // The drawing's own layout (itself at identity); the data model keeps it apart from the placed ones.
    pView->SetActiveLayout(pDrawing->GetSelfPartLayout());
    pView->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetTabLook(tabs, nTab, pView,
               nKind == ViewTypePaper ? kPaperLook : nKind == ViewTypePart ? kPartLook : kComponentLook);
    CRect area;
    tabs.GetWndArea(area);
    pView->MoveWindow(&area, TRUE);
    pView->SendMessage(WM_INITIALUPDATE);
    if (tabs.GetActiveTab() == nTab)
        SyncDocumentToActiveTab();
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
    if (pDefine == nullptr)
        return FALSE;
    const int nTab = FindDrawingTab(pDefine);
    if (nTab >= 0)
        return ActivateTab(nTab);
    if (!AddDrawingTab(pDefine, ViewTypeComponentEdit))
        return FALSE;
    // The overview shows the active view's visible area; it draws its frame again.
    if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        if (CSkyViewBar* pOverview = pFrame->GetSkyViewBar(); pOverview != nullptr && pOverview->m_hWnd != nullptr)
            pOverview->PostMessage(WM_COMMAND, kOverviewRedraw, 0);
    return TRUE;
}

BOOL CQZ2TabView::AddLayerTableTab(long nDrawingID)
{
    const int nTab = AddTabView(RUNTIME_CLASS(CLayerTableView), LoadText(10117));
    if (nTab < 0)
        return FALSE;
    CBCGPTabWnd& tabs = GetTabControl();
    auto* pView = dynamic_cast<CLayerTableView*>(tabs.GetTabWnd(nTab));
    if (pView == nullptr)
        return FALSE;
    pView->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetTabLook(tabs, nTab, pView, kLayerTableLook);
    if (nDrawingID != -1)
        pView->SetDrawing(nDrawingID);
    pView->SendMessage(WM_INITIALUPDATE);
    if (tabs.GetActiveTab() == nTab)
        SyncDocumentToActiveTab();
    return TRUE;
}

BOOL CQZ2TabView::AddDrawingTableTab()
{
    const int nTab = AddTabView(RUNTIME_CLASS(CDrawingTableView), LoadText(10118));
    if (nTab < 0)
        return FALSE;
    CWnd* pView = GetTabControl().GetTabWnd(nTab);
    pView->ModifyStyle(0, WS_CLIPCHILDREN);
    pView->SendMessage(WM_INITIALUPDATE);
    if (GetTabControl().GetActiveTab() == nTab)
        SyncDocumentToActiveTab();
    return TRUE;
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

// --- activating ----------------------------------------------------------------------------------

void CQZ2TabView::SelectTab(int nTab)
{
    if (GetTabControl().GetActiveTab() == nTab)
        SyncDocumentToActiveTab();
    else
        SetActiveView(nTab);  // the tab change makes the document follow
}

BOOL CQZ2TabView::ActivateDrawing(DrawingFeatureBase* pDrawing)
{
    if (pDrawing == nullptr)
        return FALSE;
    int nTab = FindDrawingTab(pDrawing);
    if (nTab < 0) {
        const int nType = pDrawing->GetDrawingType();
        if (nType == DrawingFeatureBase::typePart)
            AddPartDrawingTab(pDrawing);
        else if (nType == DrawingFeatureBase::typeComponent)
            AddDrawingTab(pDrawing, ViewTypeComponentEdit);
        nTab = FindDrawingTab(pDrawing);
        if (nTab < 0)
            return FALSE;
    }
    SelectTab(nTab);
    return TRUE;
}

void CQZ2TabView::ShowLayerTableView()
{
    if (FindLayerTableTab() < 0) {
        Draw2dDocument* pModel = ModelOf(GetDocument());
        AddLayerTableTab(pModel != nullptr ? pModel->GetActiveDrawingID() : -1);
    }
    const int nTab = FindLayerTableTab();
    if (nTab >= 0)
        SelectTab(nTab);
}

void CQZ2TabView::ShowDrawingTableView()
{
    if (FindDrawingTableTab() < 0)
        AddDrawingTableTab();
    const int nTab = FindDrawingTableTab();
    if (nTab >= 0)
        SelectTab(nTab);
}

BOOL CQZ2TabView::ActivateTab(int nTab)
{
    if (nTab < 0 || nTab >= GetTabCount())
        return FALSE;
    if (GetDrawView(nTab) != nullptr)
        return ActivateDrawing(GetTabDrawing(nTab));
    if (nTab == FindLayerTableTab()) {
        ShowLayerTableView();
        return TRUE;
    }
    if (nTab == FindDrawingTableTab()) {
        ShowDrawingTableView();
        return TRUE;
    }
    return FALSE;
}

BOOL CQZ2TabView::SetDrawingLayout(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout)
{
    CQZ2View* pView = FindDrawView(pDrawing);
    if (pView == nullptr)
        return FALSE;
    pView->SetActiveLayout(pLayout);
    const int nTab = FindDrawingTab(pDrawing);
    if (GetTabControl().GetActiveTab() != nTab)
        SetActiveView(nTab);
    return TRUE;
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
    if (m_bInitialized == 0 || m_nAdding != 0)
        return;
    Draw2dDocument* pModel = ModelOf(GetDocument());
    const int nKind = GetActiveViewKind();
    CQZ2View* pView = GetActiveDrawView();
    DrawingFeatureBase* pDrawing = GetTabDrawing(GetTabControl().GetActiveTab());
    if (pModel != nullptr && pView != nullptr && pDrawing != nullptr) {
        PartDrawingLayout* pLayout = pView->GetActiveLayout();
        DrawingFeatureBase* pActive = pModel->GetActiveDrawingFeature();
        PartDrawingLayout* pActiveLayout = pModel->GetActiveDrawingLayout();
        // The document's active drawing follows the tab whenever it shows another drawing, also when the
        // active drawing has no part layout (a component left): commands act on what is shown.
        if (pActive != pDrawing && !(nKind != ViewTypeComponentEdit && pLayout != nullptr && pLayout == pActiveLayout)) {
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
    } else if (pModel != nullptr && pView == nullptr && GetTabControl().GetActiveTab() >= 0) {
        // A table is shown: the document's active drawing must be one that a tab here shows, else commands
        // would act on a drawing no view shows. The first paper takes its place.
        DrawingFeatureBase* pActive = pModel->GetActiveDrawingFeature();
        if (pActive == nullptr || FindDrawingTab(pActive) < 0) {
            const int nPaperTab = FindFirstPaperTab();
            DrawingFeatureBase* pPaper =
                nPaperTab >= 0 ? GetTabDrawing(nPaperTab) : pModel->GetPaperFeature(0);
            if (pPaper != nullptr && pPaper != pActive) {
                pModel->BeginUndoOperation(nullptr);
                pModel->ActivateDrawingFeature(pPaper, TRUE);
                pModel->EndUndoOperation();
            }
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

// --- closing -------------------------------------------------------------------------------------

BOOL CQZ2TabView::RemoveDrawingTab(DrawingFeatureBase* pDrawing)
{
    const int nTab = FindDrawingTab(pDrawing);
    return nTab >= 0 && RemoveTabOf(nTab);
}

BOOL CQZ2TabView::RemoveTabOf(int nTab)
{
    if (GetDrawView(nTab) == nullptr)
        return FALSE;
    CBCGPTabWnd& tabs = GetTabControl();
    const int nCount = tabs.GetTabsNum();
    const bool bWasActive = nTab == tabs.GetActiveTab();
    if (bWasActive && nCount > 1) {
        int nNext = nTab + 1 < nCount ? nTab + 1 : nTab - 1;
        // A component's neighbour that is the layer table gives way to the first paper drawing.
        if (GetTabViewKind(nTab) == ViewTypeComponentEdit && nNext == FindLayerTableTab()) {
            const int nPaperTab = FindFirstPaperTab();
            if (nPaperTab >= 0)
                nNext = nPaperTab;
        }
        ActivateTab(nNext);
    }
    CQZ2View* pView = GetDrawView(nTab);
    QZ2Command::CommandManager* pManager = Manager();
    if (pManager != nullptr && pView != nullptr && pManager->GetActiveView() == pView->GetDraw2dView())
        pManager->SetActiveDraw2dView(nullptr);
    m_tabIDs.erase(pView);
    RemoveView(nTab);
    // The neighbour was made active while the tab still stood; with a table there, the removed drawing
    // must not stay the document's active drawing.
    if (bWasActive)
        SyncDocumentToActiveTab();
    else
        PublishActiveView();
    return TRUE;
}

void CQZ2TabView::CloseLayerTableTab()
{
    const int nTab = FindLayerTableTab();
    if (nTab < 0)
        return;
    CBCGPTabWnd& tabs = GetTabControl();
    const int nCount = tabs.GetTabsNum();
    if (nTab == tabs.GetActiveTab() && nCount > 1)
        ActivateTab(nTab + 1 < nCount ? nTab + 1 : nTab - 1);
    RemoveView(nTab);
    SyncDocumentToActiveTab();
}

BOOL CQZ2TabView::CloseDrawing(DrawingFeatureBase* pDrawing)
{
    if (pDrawing == nullptr)
        return FALSE;
    if (auto* pDefine = dynamic_cast<DrawComponent2dFeatureDefine*>(pDrawing)) {
        Draw2dDocument* pModel = ModelOf(GetDocument());
        // The document's notification of the end removes the tab; a tab that outlives it (a document
        // that does not report, or a component it does not know as being edited) goes here.
        if (pModel != nullptr)
            pModel->EndEditDrawComponentDefine(pDefine->GetComponentId());
        RemoveDrawingTab(pDrawing);
        return TRUE;
    }
    return RemoveDrawingTab(pDrawing);
}

BOOL CQZ2TabView::CloseTab(int nTab)
{
    const int nKind = GetTabViewKind(nTab);
    if (nKind == ViewTypeLayerTable) {
        CloseLayerTableTab();
        return TRUE;
    }
    if (nKind != ViewTypePart && nKind != ViewTypeComponentEdit)
        return FALSE;
    DrawingFeatureBase* pDrawing = GetTabDrawing(nTab);
    if (pDrawing != nullptr)
        return CloseDrawing(pDrawing);
    // A component tab whose definition went away closes at once.
    return RemoveTabOf(nTab);
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

BOOL CQZ2TabView::UpdateTabLabel(DrawingFeatureBase* pDrawing)
{
    const int nTab = FindDrawingTab(pDrawing);
    if (nTab < 0)
        return FALSE;
    return GetTabControl().SetTabLabel(nTab, TabLabelOf(pDrawing));
}

// --- order and saved state -----------------------------------------------------------------------

BOOL CQZ2TabView::ReorderTabs(const CUIntArray& order)
{
    const int nCount = GetTabCount();
    if (order.GetSize() != nCount)
        return FALSE;
    std::vector<bool> seen(static_cast<size_t>(nCount), false);
    for (int i = 0; i < nCount; ++i) {
        const UINT n = order.GetAt(i);
        if (n >= static_cast<UINT>(nCount) || seen[n])
            return FALSE;
        seen[n] = true;
    }
    CBCGPTabWnd& tabs = GetTabControl();
    std::vector<CWnd*> windows;
    for (int i = 0; i < nCount; ++i)
        windows.push_back(tabs.GetTabWnd(static_cast<int>(order.GetAt(i))));
    // Each tab moves with its window, label, colour and icon; the active window stays active.
    for (int i = 0; i < nCount; ++i)
        for (int j = i; j < nCount; ++j)
            if (tabs.GetTabWnd(j) == windows[static_cast<size_t>(i)]) {
                tabs.MoveTab(j, i);
                break;
            }
    tabs.RecalcLayout();
    tabs.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

void CQZ2TabView::OnTabOrder()
{
    CTabViewSortDialog dialog(nullptr);
    dialog.m_pTabView = this;
    dialog.m_nInitialSelection = GetTabControl().GetActiveTab();
    if (dialog.DoModal() == IDOK)
        ReorderTabs(dialog.m_order);
}

LRESULT CQZ2TabView::OnMoveTab(WPARAM, LPARAM)
{
    // A tab dragged elsewhere: its new place is saved with the tabs; the active tab is unchanged.
    PublishActiveView();
    return 0;
}

void CQZ2TabView::SaveViewInfo(DrawViewInfo& info) const
{
    info.DeleteAllViewInfo();
    const int nActiveTab = const_cast<CQZ2TabView*>(this)->GetTabControl().GetActiveTab();
    int nActive = -1;
    for (int i = 0; i < GetTabCount(); ++i) {
        const int nKind = GetTabViewKind(i);
        int nEntry = -1;
        if (GetDrawView(i) != nullptr) {
            const DrawingFeatureBase* pDrawing = GetTabDrawing(i);
            if (pDrawing == nullptr)
                continue;
            if (nKind == ViewTypeComponentEdit) {
                const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pDrawing);
                if (pDefine == nullptr)
                    continue;
                nEntry = info.AddViewInfo(nKind, pDefine->GetComponentId());
            } else {
                nEntry = info.AddViewInfo(nKind, pDrawing->GetDrawingID());
            }
        } else if (nKind == ViewTypeLayerTable) {
            auto* pTable = dynamic_cast<CLayerTableView*>(const_cast<CQZ2TabView*>(this)->GetTabControl().GetTabWnd(i));
            if (pTable == nullptr)
                continue;
            nEntry = info.AddViewInfo(nKind, pTable->GetDrawingID());
        }
        if (i == nActiveTab)
            nActive = nEntry;
    }
    // With a tab that is not saved active, the first entry opens active.
    info.SetActiveIndex(nActive >= 0 ? nActive : (info.GetViewInfoCount() > 0 ? 0 : -1));
}

// --- first update --------------------------------------------------------------------------------

void CQZ2TabView::OnInitialUpdate()
{
    CBCGPTabView::OnInitialUpdate();
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    SendMessage(WM_SETREDRAW, FALSE);
    int nActivate = -1;
    if (pModel != nullptr && GetTabCount() == 0) {
        // Another window on this document already shown: its tabs are copied.
        CQZ2TabView* pOther = nullptr;
        QZ2Command::CommandManager* pManager = Manager();
        if (pManager != nullptr && pManager->GetActiveTabView() != this && pManager->GetActiveTabView() != nullptr &&
            pManager->GetActiveTabView()->GetDocument() == GetDocument())
            pOther = pManager->GetActiveTabView();
        if (pOther == nullptr) {
            CObArray views;
            pDoc->GetTabViews(views);
            for (INT_PTR i = 0; i < views.GetSize() && pOther == nullptr; ++i)
                if (views.GetAt(i) != this)
                    pOther = static_cast<CQZ2TabView*>(views.GetAt(i));
        }
        if (pOther != nullptr) {
            // The same drawing tabs and layer table in the same order; the drawing table is not copied.
            const int nOtherActive = pOther->GetTabControl().GetActiveTab();
            for (int i = 0; i < pOther->GetTabCount(); ++i) {
                BOOL bAdded = FALSE;
                if (pOther->GetDrawView(i) != nullptr)
                    bAdded = AddTabForDrawing(pOther->GetTabDrawing(i));
                else if (CLayerTableView* pTable = pOther->GetLayerTableView(); pTable != nullptr &&
                                                                                  i == pOther->FindLayerTableTab())
                    bAdded = FindLayerTableTab() < 0 && AddLayerTableTab(pTable->GetDrawingID());
                if (bAdded && i == nOtherActive)
                    nActivate = GetTabCount() - 1;
            }
        } else if (pDoc->GetViewInfo().GetViewInfoCount() > 0) {
            // The tabs saved with the file. An entry whose drawing is gone or of another kind is skipped,
            // and the saved active entry is found among the tabs actually made.
            const DrawViewInfo info = pDoc->GetViewInfo();
            for (int i = 0; i < info.GetViewInfoCount(); ++i) {
                const int nKind = info.GetViewType(i);
                const long nID = info.GetViewID(i);
                const bool bActive = i == info.GetActiveIndex();
                int nMade = -1;
                if (nKind == ViewTypePaper || nKind == ViewTypePart) {
                    DrawingFeatureBase* pDrawing = pModel->ChangeDrawingFeature(nID);
                    if (pDrawing == nullptr || FindDrawingTab(pDrawing) >= 0)
                        continue;
                    BOOL bAdded = FALSE;
                    if (nKind == ViewTypePaper && pDrawing->IsPaperFeature())
                        bAdded = AddPaperDrawingTab(pDrawing);
                    else if (nKind == ViewTypePart && pDrawing->IsPartFeature())
                        bAdded = AddPartDrawingTab(pDrawing);
                    if (bAdded)
                        nMade = GetTabCount() - 1;
                } else if (nKind == ViewTypeComponentEdit) {
                    const DrawComponent2dFeatureDefineTable* pTable = pModel->GetComponentDefineTable();
                    DrawComponent2dFeatureDefine* pDefine = pTable != nullptr ? pTable->GetComponentDefine(nID) : nullptr;
                    if (pDefine == nullptr || FindDrawingTab(pDefine) >= 0)
                        continue;
                    // The document's notification of the editing opens the tab.
                    if (!pModel->BeginEditDrawComponentDefine(nID, bActive ? TRUE : FALSE, 0))
                        continue;
                    if (FindDrawingTab(pDefine) < 0)
                        AddDrawingTab(pDefine, ViewTypeComponentEdit);
                    nMade = FindDrawingTab(pDefine);
                } else if (nKind == ViewTypeLayerTable) {
                    if (FindLayerTableTab() >= 0)
                        continue;
                    const long nDrawingID = pModel->ChangeDrawingFeature(nID) != nullptr ? nID : -1;
                    if (AddLayerTableTab(nDrawingID))
                        nMade = FindLayerTableTab();
                }
                if (bActive && nMade >= 0)
                    nActivate = nMade;
            }
        }
        if (GetTabCount() == 0) {
            // Nothing saved (or nothing of it left): every drawing in document order, the first active.
            const int nCount = pModel->GetDrawingFeatureCount();
            for (int i = 0; i < nCount; ++i) {
                DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i);
                if (pDrawing == nullptr)
                    continue;
                if (pDrawing->GetDrawingType() == DrawingFeatureBase::typeComponent) {
                    const DrawComponent2dFeatureDefineTable* pTable = pModel->GetComponentDefineTable();
                    const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pDrawing);
                    if (pTable != nullptr && pDefine != nullptr)
                        AddTabForDrawing(pTable->GetComponentDefine(pDefine->GetComponentId()));
                } else {
                    AddTabForDrawing(pDrawing);
                }
            }
            nActivate = 0;
        }
    }
    SendMessage(WM_SETREDRAW, TRUE);
    GetTabControl().Invalidate();
    // The view of the document's active drawing shows it through the document's active part layout.
    if (pModel != nullptr)
        if (PartDrawingLayout* pLayout = pModel->GetActiveDrawingLayout(); pLayout != nullptr && pLayout->GetDrawingID() != -1)
            if (CQZ2View* pView = FindDrawView(pModel->GetActiveDrawingFeature()))
                if (pView->GetDrawingFeature() != nullptr &&
                    pView->GetDrawingFeature()->GetPartLayoutByID(pLayout->GetLayoutID()) == pLayout)
                    pView->SetActiveLayout(pLayout);
    if (nActivate < 0 || nActivate >= GetTabCount())
        nActivate = 0;
    if (GetTabCount() > 0 && GetTabControl().GetActiveTab() != nActivate)
        SetActiveView(nActivate);
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

// --- input ---------------------------------------------------------------------------------------

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

void CQZ2TabView::OnRButtonDown(UINT, CPoint point)
{
    // A right click on a tab makes it the active one before its menu shows.
    CBCGPTabWnd& tabs = GetTabControl();
    ClientToScreen(&point);
    tabs.ScreenToClient(&point);
    const int nTab = tabs.GetTabFromPoint(point);
    if (nTab >= 0 && nTab != tabs.GetActiveTab())
        ActivateTab(nTab);
    Default();
}

void CQZ2TabView::OnContextMenu(CWnd*, CPoint point)
{
    CBCGPTabWnd& tabs = GetTabControl();
    CPoint local = point;
    tabs.ScreenToClient(&local);
    if (tabs.GetTabFromPoint(local) < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(kTabMenu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        // The popup deletes itself when it closes (or when the frame refuses it).
        auto* pMenu = new CBCGPPopupMenu;
        pMenu->Create(this, point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE);
    }
    menu.DestroyMenu();
}

BOOL CQZ2TabView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

// --- notifications -------------------------------------------------------------------------------

void CQZ2TabView::ZoomAllViews()
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    for (int i = 0; i < GetTabCount(); ++i) {
        CQZ2View* pView = GetDrawView(i);
        DrawingFeatureBase* pDrawing = GetTabDrawing(i);
        if (pView == nullptr || pDrawing == nullptr)
            continue;
        Draw2dView* pD2 = pView->GetDraw2dView();
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
        case NotifyInfoBase::drawingAdded:
            AddTabForDrawing(pInfo->GetDrawing());
            break;
        case NotifyInfoBase::componentDrawingAdded:
            // A component gets a tab only while it is being edited, not when its definition is made.
            if (const auto* pDefine = dynamic_cast<const DrawComponent2dFeatureDefine*>(pInfo->GetDrawing()))
                if (Draw2dDocument* pModel = ModelOf(GetDocument());
                    pModel != nullptr && pModel->IsEditingDrawComponent(pDefine->GetComponentId()))
                    AddTabForDrawing(pInfo->GetDrawing());
            break;
        case NotifyInfoBase::drawingRemoved:
        case NotifyInfoBase::componentDrawingRemoved:
            RemoveDrawingTab(pInfo->GetDrawing());
            break;
        case NotifyInfoBase::drawingChanged:
            UpdateTabLabel(pInfo->GetDrawing());
            break;
        case NotifyInfoBase::layoutRemoved:
            // A part layout went away: views that showed through it get their drawing's own layout back.
            for (int i = 0; i < GetTabCount(); ++i)
                if (CQZ2View* pView = GetDrawView(i))
                    if (pView->GetActiveLayout() == pInfo->GetPartLayout() && GetTabDrawing(i) != nullptr)
                        pView->SetActiveLayout(GetTabDrawing(i)->GetSelfPartLayout());
            break;
        case NotifyInfoBase::drawingActivated:
            if (pInfo->GetDrawing2() != nullptr)
                SetDrawingLayout(pInfo->GetDrawing2(), pInfo->GetPartLayout());
            else
                ActivateDrawing(pInfo->GetDrawing());
            break;
        default:
            break;
        }
    } else if (pInfo->GetKind() == NotifyInfoBase::kindComponent) {
        // A component definition opened for editing gets its tab; its tab goes when the editing ends.
        if (pInfo->GetCode() == NotifyInfoBase::componentEditBegun)
            AddTabForDrawing(pInfo->GetDrawing());
        else if (pInfo->GetCode() == NotifyInfoBase::componentEditEnded)
            RemoveDrawingTab(pInfo->GetDrawing());
    }
    if (pInfo->GetKind() == NotifyInfoBase::kindShowFeatures) {
        Draw2dDocument* pModel = ModelOf(GetDocument());
        // Shapes that the active part drawing does not hold, or any with a table in front, are shown on the
        // first paper.
        bool bToPaper = GetActiveViewKind() == ViewTypeLayerTable;
        if (GetActiveViewKind() == ViewTypePart && pModel != nullptr) {
            const long nPartID = GetTabDrawing(GetTabControl().GetActiveTab())->GetDrawingID();
            for (const long nID : pInfo->GetFeatureIDs()) {
                const long nDrawingID = pModel->GetFeatureDrawingID(nID);
                if (nDrawingID != -1 && nDrawingID != nPartID)
                    bToPaper = true;
            }
        }
        if (bToPaper && pModel != nullptr)
            ActivateDrawing(pModel->GetPaperFeature(0));
        // The listed shapes are brought into the active drawing view, as large as they fit.
        CQZ2View* pView = GetActiveDrawView();
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
    // Every tab's view hears of the change: ours directly, others in the form their own handler takes.
    for (int i = 0; i < GetTabCount(); ++i) {
        CWnd* pWnd = GetTabControl().GetTabWnd(i);
        if (auto* pView = dynamic_cast<CQZ2BaseView*>(pWnd)) {
            pView->OnDocumentNotify(pInfo);
        } else if (pWnd != nullptr && pWnd->m_hWnd != nullptr) {
            DocumentNotify nm{};
            nm.hdr.hwndFrom = m_hWnd;
            nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            nm.hdr.code = kDocumentNotifyCode;
            nm.pInfo = pInfo;
            pWnd->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        }
    }
}

BOOL CQZ2TabView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
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

bool IsOneOf(int nKind, bool bPaper, bool bPart, bool bComponent)
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
            if (IsOneOf(GetTabViewKind(i), paper, part, component))                                    \
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

void CQZ2TabView::SetTableViewThumbnailBackColor(COLORREF color)
{
    if (CLayerTableView* pTable = GetLayerTableView())
        pTable->SetThumbnailBackColor(color);
}

BOOL CQZ2TabView::OnPreparePrinting(CPrintInfo* pInfo)
{
    CQZ2View* pView = GetActiveDrawView();
    return pView != nullptr ? pView->OnPreparePrinting(pInfo) : FALSE;
}

void CQZ2TabView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CQZ2View* pView = GetActiveDrawView())
        pView->OnBeginPrinting(pDC, pInfo);
}

void CQZ2TabView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (CQZ2View* pView = GetActiveDrawView())
        pView->OnPrepareDC(pDC, pInfo);
}

void CQZ2TabView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (CQZ2View* pView = GetActiveDrawView())
        pView->OnPrint(pDC, pInfo);
}

void CQZ2TabView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CQZ2View* pView = GetActiveDrawView())
        pView->OnEndPrinting(pDC, pInfo);
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
