#include "app/CDrawingTableView.h"

#include <algorithm>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/afx/CRect.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CEdit.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinSystem.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "property/DrawingFeatureProperty.h"

IMPLEMENT_DYNCREATE(CDrawingTableView, CView)

BEGIN_MESSAGE_MAP(CDrawingTableView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(CDrawingListCtrl::WM_DRAWINGLIST_ACTIVATE, &CDrawingTableView::OnListActivate)
    ON_MESSAGE(CDrawingListCtrl::WM_DRAWINGLIST_STATE, &CDrawingTableView::OnListState)
    ON_MESSAGE(CDrawingListCtrl::WM_DRAWINGLIST_PRINTABLE, &CDrawingTableView::OnListPrintable)
    ON_MESSAGE(CDrawingListCtrl::WM_DRAWINGLIST_SELECTION, &CDrawingTableView::OnListSelection)
    ON_MESSAGE(CDrawingListCtrl::WM_DRAWINGLIST_DROP, &CDrawingTableView::OnListDrop)
    ON_COMMAND(34328, &CDrawingTableView::OnSwallow)
    ON_COMMAND(34329, &CDrawingTableView::OnDelete)
    ON_UPDATE_COMMAND_UI(34329, &CDrawingTableView::OnUpdateDelete)
    ON_COMMAND(34330, &CDrawingTableView::OnActivate)
    ON_UPDATE_COMMAND_UI(34330, &CDrawingTableView::OnUpdateActivate)
    ON_COMMAND(34331, &CDrawingTableView::OnRename)
    ON_UPDATE_COMMAND_UI(34331, &CDrawingTableView::OnUpdateRename)
    ON_COMMAND_RANGE(34332, 34334, &CDrawingTableView::OnState)
    ON_UPDATE_COMMAND_UI_RANGE(34332, 34334, &CDrawingTableView::OnUpdateState)
    ON_COMMAND(34335, &CDrawingTableView::OnPrintable)
    ON_UPDATE_COMMAND_UI(34335, &CDrawingTableView::OnUpdatePrintable)
    ON_COMMAND(34336, &CDrawingTableView::OnProperties)
    ON_COMMAND_RANGE(39482, 39484, &CDrawingTableView::OnDisplayMode)
    ON_UPDATE_COMMAND_UI_RANGE(39482, 39484, &CDrawingTableView::OnUpdateDisplayMode)
    ON_COMMAND_RANGE(39485, 39487, &CDrawingTableView::OnImageOption)
    ON_UPDATE_COMMAND_UI_RANGE(39485, 39487, &CDrawingTableView::OnUpdateImageOption)
END_MESSAGE_MAP()

namespace {

constexpr UINT kDocumentNotifyCode = 0x8064;
constexpr UINT kRowMenu = 226;
constexpr UINT kSpaceMenu = 225;

// One undo step around a change of the document.
class UndoStep
{
public:
    explicit UndoStep(Draw2dDocument* pDocument) : m_pDocument(pDocument)
    {
        if (m_pDocument != nullptr)
            m_pDocument->BeginUndoOperation(nullptr);
    }
    ~UndoStep()
    {
        if (m_pDocument != nullptr)
            m_pDocument->EndUndoOperation();
    }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    Draw2dDocument* m_pDocument;
};

}  // namespace

CDrawingTableView::CDrawingTableView() = default;

CDrawingTableView::~CDrawingTableView() = default;

Draw2dDocument* CDrawingTableView::GetModel() const
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(m_pDocument);
    return pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
}

int CDrawingTableView::GetPaperCount() const
{
    return m_wndList.GetSafeHwnd() != nullptr ? m_wndList.GetItemCount() : 0;
}

long CDrawingTableView::GetPaperID(int nIndex) const
{
    return m_wndList.GetItemID(nIndex);
}

int CDrawingTableView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE);
    if (!m_wndList.Create(WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_REPORT | LVS_SHOWSELALWAYS |
                              LVS_EDITLABELS,
                          CRect(0, 0, 0, 0), this, IDC_LIST))
        return -1;
    m_wndList.ModifyStyleEx(0, WS_EX_STATICEDGE);
    if (!m_wndPreview.Create(CRect(0, 0, 0, 0), this, IDC_PREVIEW))
        return -1;
    CFont* pFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    m_wndList.SetFont(pFont, FALSE);
    m_wndPreview.SetFont(pFont, FALSE);
    m_wndList.SetOwner(this);
    return 0;
}

void CDrawingTableView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    m_wndList.SetDocument(GetModel());
    m_wndPreview.SetDocument(GetModel());
    if (m_nMode == modeIcons)
        SetIconMode();
    else if (m_nMode == modePreview)
        SetPreviewMode();
    else
        SetDetailsMode();
}

// ---- modes and layout ----------------------------------------------------------------------------

void CDrawingTableView::SetDetailsMode()
{
    m_nMode = modeDetails;
    m_wndPreview.ShowWindow(SW_HIDE);
    m_wndList.SetReportStyle();
    m_wndList.ShowWindow(SW_SHOW);
    Layout();
}

void CDrawingTableView::SetIconMode()
{
    m_nMode = modeIcons;
    m_wndPreview.ShowWindow(SW_HIDE);
    m_wndList.SetIconStyle();
    m_wndList.ShowWindow(SW_SHOW);
    Layout();
}

void CDrawingTableView::SetPreviewMode()
{
    m_nMode = modePreview;
    m_wndList.SetStripStyle();
    m_wndList.ShowWindow(SW_SHOW);
    ShowPreviewOfSelection();
    m_wndPreview.ShowWindow(SW_SHOW);
    Layout();
}

void CDrawingTableView::ShowPreviewOfSelection()
{
    std::vector<long> ids;
    for (int row : m_previewSelection)
        ids.push_back(m_wndList.GetItemID(row));
    if (ids.empty())
        ids.push_back(m_wndList.GetItemID(m_wndList.GetFocusedItem()));
    m_wndPreview.SetDrawings(ids);
}

void CDrawingTableView::Layout()
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(3, 3);
    if (m_nMode != modePreview) {
        m_wndList.MoveWindow(&rc);
        return;
    }
    const int strip = CDrawingListCtrl::kIconSize + 32 + GetSystemMetrics(SM_CYHSCROLL);
    const int top = std::max(0, static_cast<int>(rc.bottom) - strip);
    m_wndList.MoveWindow(rc.left, top, rc.Width(), rc.bottom - top);
    m_wndPreview.MoveWindow(rc.left, rc.top, rc.Width(), std::max(0, top - static_cast<int>(rc.top)));
}

void CDrawingTableView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Layout();
}

BOOL CDrawingTableView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CDrawingTableView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

// ---- what the list asks --------------------------------------------------------------------------

std::vector<long> CDrawingTableView::SelectedIDs() const
{
    std::vector<long> ids;
    for (int row : m_wndList.GetSelectedRows())
        ids.push_back(m_wndList.GetItemID(row));
    return ids;
}

std::vector<long> CDrawingTableView::TargetsOf(int nRow) const
{
    if (m_wndList.GetSafeHwnd() != nullptr && (m_wndList.GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED))
        return SelectedIDs();
    const long id = m_wndList.GetItemID(nRow);
    return id >= 0 ? std::vector<long>{id} : std::vector<long>{};
}

void CDrawingTableView::ApplyState(const std::vector<long>& ids, int nState)
{
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr || ids.empty())
        return;
    UndoStep step(pModel);
    for (long id : ids)
        pModel->SetDrawingState(id, nState, 1);
}

void CDrawingTableView::ApplyPrintable(const std::vector<long>& ids, BOOL bPrintable)
{
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr || ids.empty())
        return;
    UndoStep step(pModel);
    for (long id : ids)
        pModel->SetDrawingPrintable(id, bPrintable, 1);
}

LRESULT CDrawingTableView::OnListActivate(WPARAM wParam, LPARAM)
{
    Draw2dDocument* pModel = GetModel();
    const long id = m_wndList.GetItemID(static_cast<int>(wParam));
    if (pModel != nullptr && id >= 0) {
        UndoStep step(pModel);
        pModel->ActivateDrawingFeature(id, -1, TRUE);
    }
    return 0;
}

LRESULT CDrawingTableView::OnListState(WPARAM wParam, LPARAM lParam)
{
    ApplyState(TargetsOf(static_cast<int>(wParam)), static_cast<int>(lParam));
    return 0;
}

LRESULT CDrawingTableView::OnListPrintable(WPARAM wParam, LPARAM lParam)
{
    ApplyPrintable(TargetsOf(static_cast<int>(wParam)), lParam != 0);
    return 0;
}

LRESULT CDrawingTableView::OnListSelection(WPARAM, LPARAM)
{
    const std::vector<int> rows = m_wndList.GetSelectedRows();
    if (rows == m_previewSelection)
        return 0;
    m_previewSelection = rows;
    if (m_nMode == modePreview)
        ShowPreviewOfSelection();
    ShowProperties(FALSE);
    return 0;
}

LRESULT CDrawingTableView::OnListDrop(WPARAM wParam, LPARAM lParam)
{
    // The selected papers move, in their order, before or after the target row: one undo step.
    Draw2dDocument* pModel = GetModel();
    const long target = m_wndList.GetItemID(static_cast<int>(wParam));
    const std::vector<long> moved = SelectedIDs();
    if (pModel == nullptr || target < 0 || moved.empty())
        return 0;
    std::vector<long> order;
    for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i)
        if (const DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i))
            if (std::find(moved.begin(), moved.end(), pDrawing->GetDrawingID()) == moved.end())
                order.push_back(pDrawing->GetDrawingID());
    auto at = std::find(order.begin(), order.end(), target);
    if (at == order.end())
        return 0;
    if (lParam != 0)
        ++at;
    std::vector<long> movedInOrder;
    for (int i = 0; i < pModel->GetDrawingFeatureCount(); ++i)
        if (const DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(i))
            if (std::find(moved.begin(), moved.end(), pDrawing->GetDrawingID()) != moved.end())
                movedInOrder.push_back(pDrawing->GetDrawingID());
    order.insert(at, movedInOrder.begin(), movedInOrder.end());
    const int focused = m_wndList.GetFocusedItem();
    const long focusedID = m_wndList.GetItemID(focused);
    {
        UndoStep step(pModel);
        pModel->SetDrawingOrderList(order, 1);
    }
    m_wndList.SelectItemsByID(moved);
    if (focusedID >= 0) {
        m_wndList.FocusItemByID(focusedID);
        m_wndList.EnsureVisible(m_wndList.FindItem(focusedID), FALSE);
    }
    return 0;
}

// ---- commands ------------------------------------------------------------------------------------

void CDrawingTableView::OnSwallow() {}

void CDrawingTableView::OnDelete()
{
    // Only papers are listed, and a paper is never deleted from here.
}

void CDrawingTableView::OnUpdateDelete(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CDrawingTableView::OnActivate()
{
    const std::vector<int> rows = m_wndList.GetSelectedRows();
    if (rows.size() == 1)
        OnListActivate(static_cast<WPARAM>(rows.front()), 0);
}

void CDrawingTableView::OnUpdateActivate(CCmdUI* pCmdUI)
{
    const std::vector<long> ids = SelectedIDs();
    Draw2dDocument* pModel = GetModel();
    pCmdUI->Enable(ids.size() == 1);
    pCmdUI->SetCheck(ids.size() == 1 && pModel != nullptr && pModel->GetActiveDrawingID() == ids.front());
}

void CDrawingTableView::OnRename()
{
    const std::vector<int> rows = m_wndList.GetSelectedRows();
    if (rows.size() != 1)
        return;
    m_wndList.SetFocus();
    m_wndList.ArmRename();
    m_wndList.EditLabel(rows.front());
}

void CDrawingTableView::OnUpdateRename(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndList.GetSafeHwnd() != nullptr && m_wndList.GetSelectedCount() == 1);
}

void CDrawingTableView::OnState(UINT nID)
{
    ApplyState(SelectedIDs(), static_cast<int>(nID - 34332));
}

void CDrawingTableView::OnUpdateState(CCmdUI* pCmdUI)
{
    const std::vector<long> ids = SelectedIDs();
    Draw2dDocument* pModel = GetModel();
    pCmdUI->Enable(!ids.empty());
    BOOL bAll = !ids.empty() && pModel != nullptr;
    for (long id : ids) {
        const DrawingFeatureBase* pDrawing = pModel != nullptr ? pModel->ChangeDrawingFeature(id) : nullptr;
        bAll = bAll && pDrawing != nullptr && pDrawing->GetDrawingState() == static_cast<int>(pCmdUI->m_nID - 34332);
    }
    pCmdUI->SetCheck(bAll);
}

void CDrawingTableView::OnPrintable()
{
    const std::vector<long> ids = SelectedIDs();
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr)
        return;
    BOOL bAll = !ids.empty();
    for (long id : ids) {
        const DrawingFeatureBase* pDrawing = pModel->ChangeDrawingFeature(id);
        bAll = bAll && pDrawing != nullptr && pDrawing->IsPrintable();
    }
    ApplyPrintable(ids, !bAll);
}

void CDrawingTableView::OnUpdatePrintable(CCmdUI* pCmdUI)
{
    const std::vector<long> ids = SelectedIDs();
    Draw2dDocument* pModel = GetModel();
    pCmdUI->Enable(!ids.empty());
    BOOL bAll = !ids.empty() && pModel != nullptr;
    for (long id : ids) {
        const DrawingFeatureBase* pDrawing = pModel != nullptr ? pModel->ChangeDrawingFeature(id) : nullptr;
        bAll = bAll && pDrawing != nullptr && pDrawing->IsPrintable();
    }
    pCmdUI->SetCheck(bAll);
}

void CDrawingTableView::OnProperties()
{
    ShowProperties(TRUE);
}

void CDrawingTableView::OnDisplayMode(UINT nID)
{
    if (nID == 39483)
        SetIconMode();
    else if (nID == 39484)
        SetPreviewMode();
    else
        SetDetailsMode();
}

void CDrawingTableView::OnUpdateDisplayMode(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetRadio(static_cast<int>(pCmdUI->m_nID - 39482) == m_nMode);
}

void CDrawingTableView::OnImageOption(UINT nID)
{
    if (nID == 39485)
        return;
    m_nImageOption = nID == 39486 ? 1 : 2;
    m_wndList.SetImageOption(m_nImageOption);
    m_wndPreview.SetImageMode(m_nImageOption);
}

void CDrawingTableView::OnUpdateImageOption(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(pCmdUI->m_nID != 39485);
    pCmdUI->SetRadio(pCmdUI->m_nID == (m_nImageOption == 1 ? 39486u : 39487u));
}

void CDrawingTableView::ShowProperties(BOOL bShow)
{
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    Draw2dDocument* pModel = GetModel();
    if (pFrame == nullptr || pModel == nullptr || CWnd::GetFocus() != &m_wndList)
        return;
    const std::vector<long> ids = SelectedIDs();
    if (ids.empty()) {
        pFrame->ReleasePropertyBarDocument(3);
        return;
    }
    CArray<QZ2Command::FeaturePropertyBase*> objects;
    for (long id : ids)
        if (const DrawingFeatureBase* pPaper = pModel->ChangeDrawingFeature(id))
            objects.Add(new QZ2Command::DrawingFeatureProperty(pModel, pPaper, nullptr));
    pFrame->ShowSelectionProperties(objects, FALSE, bShow);
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        delete objects[i];
}

void CDrawingTableView::OnContextMenu(CWnd*, CPoint point)
{
    int row = -1;
    if (point.x == -1 && point.y == -1) {
        const int focused = m_wndList.GetFocusedItem();
        CRect rc(0, 0, 0, 0);
        if (m_wndList.GetSelectedCount() > 0 && focused >= 0 && m_wndList.GetItemRect(focused, &rc, LVIR_ICON)) {
            row = focused;
            point = rc.CenterPoint();
        } else {
            point = CPoint(0, 0);
        }
        m_wndList.ClientToScreen(&point);
    } else {
        CPoint local = point;
        m_wndList.ScreenToClient(&local);
        row = m_wndList.HitTest(local);
    }
    CMenu menu;
    if (!menu.LoadMenu(row >= 0 ? kRowMenu : kSpaceMenu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        auto* pMenu = new CBCGPPopupMenu;
        pMenu->Create(this, point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE);
    }
    menu.DestroyMenu();
}

// ---- notifications -------------------------------------------------------------------------------

BOOL CDrawingTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    struct DocumentNotify {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    };
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader == nullptr)
        return CView::OnNotify(wParam, lParam, pResult);
    if (pHeader->code == kDocumentNotifyCode) {
        HandleDocumentNotify(reinterpret_cast<const DocumentNotify*>(lParam)->pInfo);
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    if (pHeader->idFrom == IDC_LIST) {
        // The list's own reflected handling first (label edit gate, selection tracking).
        const BOOL bHandled = CView::OnNotify(wParam, lParam, pResult);
        if (pHeader->code == LVN_ENDLABELEDIT) {
            const auto* pInfo = reinterpret_cast<const NMLVDISPINFO*>(lParam);
            Draw2dDocument* pModel = GetModel();
            const long id = m_wndList.GetItemID(pInfo->item.iItem);
            if (pModel != nullptr && id >= 0 && pInfo->item.pszText != nullptr && pInfo->item.pszText[0] != 0) {
                UndoStep step(pModel);
                // Notified, so that the list and the drawing bar learn the new name.
                pModel->SetDrawingName(id, CString(pInfo->item.pszText), 1);
            }
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
        if (pHeader->code == LVN_ITEMCHANGED && m_nMode == modePreview) {
            const auto* pList = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((pList->uChanged & LVIF_STATE) && (pList->uNewState & LVIS_FOCUSED) &&
                !(pList->uOldState & LVIS_FOCUSED))
                m_wndPreview.SetDrawing(m_wndList.GetItemID(pList->iItem));
        }
        if (pHeader->code == NM_SETFOCUS)
            ShowProperties(FALSE);
        if (pResult != nullptr && (pHeader->code == LVN_ITEMCHANGED || pHeader->code == NM_SETFOCUS))
            *pResult = 0;
        return bHandled || pHeader->code == LVN_ITEMCHANGED || pHeader->code == NM_SETFOCUS;
    }
    return CView::OnNotify(wParam, lParam, pResult);
}

void CDrawingTableView::HandleDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindView:
        m_wndList.InvalidateImages();
        m_wndPreview.InvalidateImage();
        break;
    case NotifyInfoBase::kindFeature:
        m_wndList.InvalidateFeatureCounts();
        m_wndList.InvalidateImages();
        m_wndPreview.InvalidateImage();
        break;
    case NotifyInfoBase::kindDrawing: {
        Draw2dDocument* pModel = GetModel();
        if (pModel == nullptr || pInfo->GetDocument() != pModel)
            break;
        const DrawingFeatureBase* pDrawing = pInfo->GetDrawing();
        switch (pInfo->GetCode()) {
        case NotifyInfoBase::drawingAdded:
            // A new paper gets its row at once, in the document's order.
            if (pDrawing != nullptr && pDrawing->IsPaperFeature()) {
                const int last = pModel->GetDrawingFeatureCount() - 1;
                if (pModel->GetDrawingFeatureByIndex(last) == pDrawing)
                    m_wndList.AddItem(pDrawing->GetDrawingID(), pDrawing->GetDrawingName(),
                                      pDrawing->GetDrawingState(), pDrawing->IsPrintable() ? 1 : 0);
                else
                    m_wndList.Refill();
            }
            break;
        case NotifyInfoBase::drawingRemoved:
            if (pDrawing != nullptr)
                m_wndList.RemoveItem(pDrawing->GetDrawingID());
            m_previewSelection = m_wndList.GetSelectedRows();
            break;
        case NotifyInfoBase::drawingChanged:
            if (pDrawing != nullptr && pDrawing->IsPaperFeature())
                m_wndList.UpdateItem(pDrawing->GetDrawingID(), pDrawing->GetDrawingName(),
                                     pDrawing->GetDrawingState(), pDrawing->IsPrintable() ? 1 : 0);
            break;
        case NotifyInfoBase::drawingActivated:
            m_wndList.SetActiveItem(pModel->GetActiveDrawingID());
            break;
        case NotifyInfoBase::layoutAdded:
        case NotifyInfoBase::layoutRemoved:
        case NotifyInfoBase::layoutChanged:
        case NotifyInfoBase::layoutMoved:
            m_wndList.InvalidateImages();
            m_wndPreview.InvalidateImage();
            break;
        default: {
            const std::vector<long> selected = SelectedIDs();
            m_wndList.Refill();
            m_wndList.SelectItemsByID(selected);
            m_previewSelection = m_wndList.GetSelectedRows();
            m_wndPreview.InvalidateImage();
            break;
        }
        }
        break;
    }
    default:
        break;
    }
}
