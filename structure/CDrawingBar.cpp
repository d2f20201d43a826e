#include "structure/CDrawingBar.h"

#include <algorithm>
#include <vector>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DrawingParameterItem.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include <QtWidgets/QWidget>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "structure/CDrawingSortDialog.h"
#include "structure/StructureServices.h"

IMPLEMENT_DYNCREATE(CDrawingBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CDrawingBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CDrawingBar::OnIdleUpdateCmdUI)
    ON_NOTIFY(TVN_SELCHANGED, CDrawingBar::IDC_TREE, &CDrawingBar::OnTreeSelChanged)
    ON_NOTIFY(NM_SETFOCUS, CDrawingBar::IDC_TREE, &CDrawingBar::OnTreeSetFocus)
    ON_NOTIFY(TVN_ENDLABELEDIT, CDrawingBar::IDC_TREE, &CDrawingBar::OnTreeEndLabelEdit)
    ON_COMMAND(CDrawingBar::ID_ADD_PAPER, &CDrawingBar::OnAddPaper)
    ON_COMMAND(CDrawingBar::ID_ADD_PART, &CDrawingBar::OnAddPart)
    ON_COMMAND(CDrawingBar::ID_ADD_LAYOUT, &CDrawingBar::OnAddLayout)
    ON_COMMAND(CDrawingBar::ID_CHANGE_LAYOUT, &CDrawingBar::OnChangeLayout)
    ON_COMMAND(CDrawingBar::ID_DELETE, &CDrawingBar::OnDelete)
    ON_COMMAND(CDrawingBar::ID_ACTIVATE, &CDrawingBar::OnActivate)
    ON_COMMAND(CDrawingBar::ID_RENAME, &CDrawingBar::OnRename)
    ON_COMMAND_RANGE(CDrawingBar::ID_STATE_FIRST, CDrawingBar::ID_STATE_LAST, &CDrawingBar::OnState)
    ON_COMMAND(CDrawingBar::ID_PRINTABLE, &CDrawingBar::OnPrintable)
    ON_COMMAND(CDrawingBar::ID_PROPERTIES, &CDrawingBar::OnProperties)
    ON_COMMAND(CDrawingBar::ID_ORDER, &CDrawingBar::OnOrder)
    ON_COMMAND(CDrawingBar::ID_OPEN_PART, &CDrawingBar::OnOpenPart)
    ON_COMMAND_RANGE(CDrawingBar::ID_OTHERS_FIRST, CDrawingBar::ID_OTHERS_LAST, &CDrawingBar::OnOthersState)
    ON_COMMAND(CDrawingBar::ID_DRAWING_TABLE, &CDrawingBar::OnDrawingTable)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_ADD_PAPER, &CDrawingBar::OnUpdateHasDocument)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_ADD_PART, &CDrawingBar::OnUpdateHasDocument)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_ADD_LAYOUT, &CDrawingBar::OnUpdateAddLayout)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_DELETE, &CDrawingBar::OnUpdateDelete)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_ACTIVATE, &CDrawingBar::OnUpdateHasDrawing)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_PROPERTIES, &CDrawingBar::OnUpdateHasDrawing)
    ON_UPDATE_COMMAND_UI(CDrawingBar::ID_ORDER, &CDrawingBar::OnUpdateOrder)
END_MESSAGE_MAP()

namespace {
constexpr UINT kDrawingKindProperties = 3;

// The running command's first parameter gets the drawing (and layout) as its value.
void GiveDrawingToCommand(QZ2Command::CommandManager* pManager, Draw2dDocument* pDocument, long nDrawingID,
                          long nLayoutID)
{
    QZ2Command::CommandBase* pCommand = pManager != nullptr ? pManager->GetActiveCommand() : nullptr;
    if (pCommand == nullptr || pCommand->GetParameterCount() == 0 || pDocument == nullptr)
        return;
    const QZ2Command::CommandParameter* pParameter = pCommand->GetParameter(0);
    const auto* pCurrent = pParameter != nullptr
                               ? dynamic_cast<const QZ2Command::DrawingParameterItem*>(pParameter->GetCurrentItem())
                               : nullptr;
    if (pCurrent == nullptr)
        return;
    QZ2Command::DrawingParameterItem item;
    item.Copy(*pCurrent);
    item.m_pDocument = pDocument;
    item.SetValue(pDocument->ChangeDrawingFeature(nDrawingID), nLayoutID >= 0 ? pDocument->GetPartLayoutByID(nLayoutID)
                                                                               : nullptr);
    pManager->SetDrawingParameter(0, item, TRUE);
}

struct UndoStep
{
    explicit UndoStep(Draw2dDocument* pDocument) : m_pDocument(pDocument) { m_pDocument->BeginUndoOperation(nullptr); }
    ~UndoStep() { m_pDocument->EndUndoOperation(); }
    Draw2dDocument* m_pDocument;
};
}  // namespace

CDrawingBar::CDrawingBar() = default;

CDrawingBar::~CDrawingBar() = default;

// ---- window ----------------------------------------------------------------------------------------

int CDrawingBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndToolBar.CreateForBar(this, IDC_TOOLBAR, 302);
    m_wndTree.m_wOptions = 0x0F;
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, IDC_TREE))
        return -1;
    CFont* pFont = StructureServices::GetHooks().pfnGetUIFont != nullptr ? StructureServices::GetHooks().pfnGetUIFont()
                                                                          : nullptr;
    if (pFont == nullptr)
        pFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    m_wndTree.SetFont(pFont, FALSE);
    m_wndTree.SetOwner(this);
    m_wndTree.SetDocument(m_pDocument);
    RecalcLayout();
    return 0;
}

void CDrawingBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CDrawingBar::RecalcLayout()
{
    if (m_wndTree.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    int top = 0;
    if (m_wndToolBar.GetSafeHwnd() != nullptr) {
        const int height = m_wndToolBar.GetFixedHeight();
        m_wndToolBar.SetWindowPos(nullptr, 0, 0, rc.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
        top = height;
    }
    m_wndTree.SetWindowPos(nullptr, 1, top + 1, std::max(0, static_cast<int>(rc.Width()) - 2),
                           std::max(0, static_cast<int>(rc.Height()) - top - 2), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDrawingBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_wndTree.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_wndTree.GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.InflateRect(1, 1);
    dc.Draw3dRect(&rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
}

void CDrawingBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_wndTree.GetSafeHwnd() != nullptr)
        m_wndTree.SetFocus();
}

LRESULT CDrawingBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    return 0;
}

BOOL CDrawingBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE &&
        m_wndTree.GetEditControl() == nullptr) {
        if (QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager())
            pManager->OnEscape();
        return TRUE;
    }
    return CBCGPDockingControlBar::PreTranslateMessage(pMsg);
}

// ---- notifications ---------------------------------------------------------------------------------

void CDrawingBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
    if (pInfo->GetKind() == NotifyInfoBase::kindDocument)
        OnDocumentActivated(pInfo);
    else if (pInfo->GetKind() == NotifyInfoBase::kindDrawing)
        OnDrawingNotify(pInfo);
}

void CDrawingBar::OnDocumentActivated(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr || pInfo->GetCode() != 1)
        return;
    m_pDocument = pInfo->GetDocument();
    if (m_wndTree.GetSafeHwnd() == nullptr)
        return;
    m_wndTree.ResetTree();
    m_wndTree.SetDocument(m_pDocument);
    if (m_pDocument != nullptr && m_pDocument->GetActiveDrawingFeature() != nullptr)
        m_wndTree.SelectDrawingItem(m_pDocument->GetActiveDrawingID());
}

void CDrawingBar::OnDrawingNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr || m_wndTree.GetSafeHwnd() == nullptr || pInfo->GetDocument() != m_pDocument ||
        m_pDocument == nullptr)
        return;
    const DrawingFeatureBase* pDrawing = pInfo->GetDrawing();
    const DrawingFeatureBase* pPaper = pInfo->GetDrawing2();
    const PartDrawingLayout* pLayout = pInfo->GetPartLayout();
    const int index = static_cast<int>(pInfo->GetIndex());
    switch (pInfo->GetCode()) {
    case NotifyInfoBase::drawingAdded:
        m_wndTree.AddDrawingItem(pDrawing, index);
        break;
    case NotifyInfoBase::drawingRemoved:
        if (pDrawing != nullptr)
            m_wndTree.RemoveDrawingItem(pDrawing->GetDrawingID());
        break;
    case NotifyInfoBase::drawingChanged:
        if (pDrawing != nullptr)
            m_wndTree.UpdateDrawingItems(pDrawing->GetDrawingID());
        break;
    case NotifyInfoBase::drawingActivated:
        // The record names the newly active drawing second and its layout.
        if (pPaper != nullptr)
            m_wndTree.SetActiveDrawing(pPaper->GetDrawingID(), pLayout != nullptr ? pLayout->GetLayoutID() : -1);
        break;
    case NotifyInfoBase::drawingMoved:
        if (pDrawing != nullptr)
            m_wndTree.MoveDrawingItem(pDrawing->GetDrawingID(), index);
        break;
    case NotifyInfoBase::drawingRebuild:
    case NotifyInfoBase::drawingRebuildKeep: {
        const DrawingTreeItem* pRecord = m_wndTree.GetItemRecord(m_wndTree.GetSelectedTreeItem());
        const DrawingTreeItem kept = pRecord != nullptr ? *pRecord : DrawingTreeItem{};
        m_wndTree.RebuildTree();
        if (kept.nLayoutID >= 0)
            m_wndTree.SelectLayoutItem(kept.nLayoutID);
        else if (kept.nDrawingID >= 0)
            m_wndTree.SelectDrawingItem(kept.nDrawingID);
        break;
    }
    case NotifyInfoBase::layoutAdded:
        m_wndTree.AddLayoutItem(pPaper, pDrawing, pLayout, index);
        break;
    case NotifyInfoBase::layoutRemoved:
        if (pLayout != nullptr)
            m_wndTree.RemoveLayoutItem(pLayout->GetLayoutID());
        break;
    case NotifyInfoBase::layoutChanged:
        if (pLayout != nullptr)
            m_wndTree.UpdateLayoutItem(pLayout->GetLayoutID());
        break;
    case NotifyInfoBase::layoutMoved:
        if (pLayout != nullptr)
            m_wndTree.MoveLayoutItem(pLayout->GetLayoutID(), index);
        break;
    default:
        break;
    }
}

BOOL CDrawingBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        auto* pInfo = *reinterpret_cast<NotifyInfoBase**>(pHeader + 1);
        if (pHeader->hwndFrom == m_wndTree.GetSafeHwnd()) {
            if (m_pMainFrame != nullptr) {
                struct {
                    NMHDR hdr;
                    NotifyInfoBase* pInfo;
                } note{{GetSafeHwnd(), static_cast<UINT_PTR>(GetDlgCtrlID()), kDocumentNotifyCode}, pInfo};
                reinterpret_cast<CWnd*>(m_pMainFrame)->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                                                   reinterpret_cast<LPARAM>(&note));
            }
        } else if (pInfo != nullptr &&
                   (pInfo->GetKind() == NotifyInfoBase::kindDocument || pInfo->GetKind() == NotifyInfoBase::kindDrawing)) {
            OnDocumentNotify(pInfo);
        }
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CBCGPDockingControlBar::OnNotify(wParam, lParam, pResult);
}

void CDrawingBar::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pTree = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    HTREEITEM hOld = pTree != nullptr ? pTree->itemOld.hItem : nullptr;
    HTREEITEM hNew = pTree != nullptr ? pTree->itemNew.hItem : m_wndTree.GetSelectedItem();
    if (hOld == nullptr) {
        if (hNew != nullptr)
            ShowProperties(hNew, FALSE);
    } else if (hNew == nullptr) {
        StructureServices::ReleasePropertyBarDocument(kDrawingKindProperties);
    } else {
        ShowProperties(hNew, FALSE);
    }
    if (pResult != nullptr)
        *pResult = 0;
}

void CDrawingBar::OnTreeSetFocus(NMHDR*, LRESULT* pResult)
{
    if (HTREEITEM hItem = m_wndTree.GetSelectedItem())
        ShowProperties(hItem, FALSE);
    if (pResult != nullptr)
        *pResult = 0;
}

void CDrawingBar::OnTreeEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pInfo = reinterpret_cast<const NMTVDISPINFO*>(pNMHDR);
    if (pResult != nullptr)
        *pResult = 0;
    if (pInfo == nullptr || pInfo->item.pszText == nullptr)
        return;
    // Refused names keep the old label; the document's notification refreshes an accepted one.
    RenameItem(pInfo->item.hItem, CString(pInfo->item.pszText));
}

BOOL CDrawingBar::ShowProperties(HTREEITEM hItem, BOOL bShow)
{
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus == nullptr || (pFocus != this && !IsChild(pFocus)))
        return FALSE;
    const DrawingFeatureBase* pDrawing = m_wndTree.GetItemDrawing(hItem);
    if (pDrawing == nullptr)
        return FALSE;
    const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(hItem);
    return StructureServices::ShowDrawingProperties(m_pDocument, pDrawing->GetDrawingID(),
                                                    pLayout != nullptr ? pLayout->GetLayoutID() : -1, bShow);
}

void CDrawingBar::SelectDrawing(const DrawingFeatureBase* pDrawing)
{
    if (pDrawing != nullptr && m_wndTree.GetSafeHwnd() != nullptr)
        m_wndTree.SelectDrawingItem(pDrawing->GetDrawingID());
}

void CDrawingBar::SelectLayout(const PartDrawingLayout* pLayout)
{
    if (pLayout != nullptr && m_wndTree.GetSafeHwnd() != nullptr)
        m_wndTree.SelectLayoutItem(pLayout->GetLayoutID());
}

// ---- operations ------------------------------------------------------------------------------------

int CDrawingBar::Ask(UINT nStringID, const CString& strName, UINT nType)
{
    CString text = LoadResourceString(nStringID);
    if (!strName.IsEmpty())
        text.Replace(_T("%s"), strName);
    return AfxMessageBox(text, nType);
}

DrawingFeatureBase* CDrawingBar::GetReceivingPaper(BOOL bMessage)
{
    if (m_pDocument == nullptr)
        return nullptr;
    if (m_pDocument->GetPaperFeatureCount() == 1)
        return m_pDocument->GetPaperFeature(0);
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    Draw2dView* pView = pManager != nullptr ? pManager->GetActiveView() : nullptr;
    DrawingFeatureBase* pShown = pView != nullptr ? pView->GetDrawingFeature() : nullptr;
    if (pShown == nullptr || !pShown->IsPaperFeature()) {
        if (bMessage)
            Ask(10131, CString(), MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return pShown;
}

void CDrawingBar::AfterAdd(long nDrawingID)
{
    m_wndTree.SelectDrawingItem(nDrawingID);
    StructureServices::ShowDrawingProperties(m_pDocument, nDrawingID, -1, FALSE);
    if (HTREEITEM hItem = m_wndTree.FindDrawingItem(nDrawingID)) {
        m_wndTree.SetFocus();
        m_wndTree.EditLabel(hItem);
    }
}

BOOL CDrawingBar::AddPaper()
{
    if (m_pDocument == nullptr)
        return FALSE;
    long id = -1;
    {
        UndoStep step(m_pDocument);
        id = m_pDocument->AddPaperFeature(nullptr);
        if (id != -1)
            m_pDocument->ActivateDrawingFeature(m_pDocument->ChangeDrawingFeature(id), 1);
    }
    if (id == -1)
        return FALSE;
    AfterAdd(id);
    return TRUE;
}

BOOL CDrawingBar::AddPartDrawing()
{
    DrawingFeatureBase* pPaper = GetReceivingPaper(TRUE);
    if (pPaper == nullptr)
        return FALSE;
    const long nPaperID = pPaper->GetDrawingID();
    const int order = pPaper->GetPartLayoutOrder(pPaper->GetSelfPartLayoutID());
    long id = -1;
    BOOL bPlaced = FALSE;
    {
        UndoStep step(m_pDocument);
        id = m_pDocument->AddPartDrawingFeature(nullptr);
        if (id != -1) {
            bPlaced = m_pDocument->AddPartLayout(nPaperID, id, nullptr, order, 1) != -1;
            if (bPlaced)
                m_pDocument->ActivateDrawingFeature(m_pDocument->ChangeDrawingFeature(id), 1);
        }
    }
    if (id != -1 && !bPlaced) {
        // A part drawing that could not be placed is not kept.
        m_pDocument->Undo(1);
        m_pDocument->ClearRedoHistory();
        return FALSE;
    }
    if (id == -1)
        return FALSE;
    AfterAdd(id);
    return TRUE;
}

BOOL CDrawingBar::DeleteSelected()
{
    if (m_pDocument == nullptr || m_wndTree.GetSafeHwnd() == nullptr)
        return FALSE;
    HTREEITEM hItem = m_wndTree.GetSelectedTreeItem();
    const int kind = m_wndTree.GetItemKind(hItem);
    DrawingFeatureBase* pDrawing = m_wndTree.GetItemDrawing(hItem);
    const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(hItem);
    if (pDrawing == nullptr)
        return FALSE;
    if (kind == CDrawingTreeCtrl::kindPaper) {
        if (m_pDocument->GetPaperFeatureCount() < 2) {
            Ask(10132, CString(), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        if (pDrawing->GetFeatureCount() > 0 &&
            Ask(10133, pDrawing->GetDrawingName(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return FALSE;
    } else if (kind == CDrawingTreeCtrl::kindPart) {
        if (pDrawing->GetFeatureCount() > 0 &&
            Ask(10134, pDrawing->GetDrawingName(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return FALSE;
    } else if (kind == CDrawingTreeCtrl::kindLayout) {
        if (pLayout == nullptr)
            return FALSE;
        if (pLayout->GetPaperID() == pLayout->GetDrawingID()) {
            Ask(10135, CString(), MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    UndoStep step(m_pDocument);
    if (kind == CDrawingTreeCtrl::kindLayout)
        return m_pDocument->DeletePartLayout(pLayout->GetLayoutID(), 1);
    return m_pDocument->DeleteDrawingFeature(pDrawing->GetDrawingID(), 1);
}

BOOL CDrawingBar::ActivateSelected()
{
    if (m_pDocument == nullptr || m_wndTree.GetSafeHwnd() == nullptr)
        return FALSE;
    HTREEITEM hItem = m_wndTree.GetSelectedTreeItem();
    DrawingFeatureBase* pDrawing = m_wndTree.GetItemDrawing(hItem);
    const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(hItem);
    if (pDrawing == nullptr)
        return FALSE;
    UndoStep step(m_pDocument);
    if (pLayout != nullptr)
        return m_pDocument->ActivateDrawingFeature(pLayout->GetPaperID(), pLayout->GetLayoutID(), 1);
    return m_pDocument->ActivateDrawingFeature(pDrawing, 1);
}

BOOL CDrawingBar::RenameItem(HTREEITEM hItem, const CString& strName)
{
    DrawingFeatureBase* pDrawing = m_wndTree.GetItemDrawing(hItem);
    const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(hItem);
    if (m_pDocument == nullptr || pDrawing == nullptr || strName.IsEmpty())
        return FALSE;
    const BOOL bLayoutName = pLayout != nullptr && pLayout->GetPaperID() != pLayout->GetDrawingID();
    const CString strOld = bLayoutName ? pLayout->GetLayoutName() : pDrawing->GetDrawingName();
    if (strOld == strName)
        return TRUE;
    BOOL bDone = FALSE;
    {
        UndoStep step(m_pDocument);
        if (bLayoutName)
            bDone = m_pDocument->SetPartLayoutName(pLayout->GetLayoutID(), strName, 1);
        else
            bDone = m_pDocument->SetDrawingName(pDrawing->GetDrawingID(), strName, 1);
    }
    if (!bDone) {
        // The label goes back to the name the document keeps.
        m_wndTree.UpdateItem(hItem);
    }
    return bDone;
}

BOOL CDrawingBar::SetSelectedState(int nState)
{
    DrawingFeatureBase* pDrawing = m_wndTree.GetSelectedDrawing();
    if (m_pDocument == nullptr || pDrawing == nullptr)
        return FALSE;
    UndoStep step(m_pDocument);
    return m_pDocument->SetDrawingState(pDrawing->GetDrawingID(), nState, 1);
}

BOOL CDrawingBar::ToggleSelectedPrintable()
{
    DrawingFeatureBase* pDrawing = m_wndTree.GetSelectedDrawing();
    if (m_pDocument == nullptr || pDrawing == nullptr)
        return FALSE;
    const BOOL bPrintable = (pDrawing->GetStateFlags() & DrawingFeatureBase::flagPrintable) != 0;
    UndoStep step(m_pDocument);
    return m_pDocument->SetDrawingPrintable(pDrawing->GetDrawingID(), !bPrintable, 1);
}

BOOL CDrawingBar::SetOtherDrawingsState(int nState)
{
    DrawingFeatureBase* pDrawing = m_wndTree.GetSelectedDrawing();
    if (m_pDocument == nullptr || pDrawing == nullptr || m_pDocument->GetDrawingFeatureCount() < 2)
        return FALSE;
    const long nSelectedID = pDrawing->GetDrawingID();
    std::vector<long> others;
    for (int i = 0; i < m_pDocument->GetDrawingFeatureCount(); ++i)
        if (const DrawingFeatureBase* p = m_pDocument->GetDrawingFeatureByIndex(i); p != nullptr && p->GetDrawingID() != nSelectedID)
            others.push_back(p->GetDrawingID());
    UndoStep step(m_pDocument);
    // Each drawing reports its change, so that padlocks and grey sheets follow.
    for (long id : others)
        m_pDocument->SetDrawingState(id, nState, 1);
    m_pDocument->UpdateAllFeatures(1);
    return TRUE;
}

// ---- commands --------------------------------------------------------------------------------------

void CDrawingBar::OnAddPaper()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        AddPaper();
}

void CDrawingBar::OnAddPart()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        AddPartDrawing();
}

void CDrawingBar::OnAddLayout()
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    if (m_wndTree.GetSafeHwnd() == nullptr || pManager == nullptr)
        return;
    const int kind = m_wndTree.GetSelectedItemKind();
    DrawingFeatureBase* pDrawing = m_wndTree.GetSelectedDrawing();
    if (kind != CDrawingTreeCtrl::kindPaper && kind != CDrawingTreeCtrl::kindPart)
        return;
    pManager->ExecuteCommand(ID_ADD_LAYOUT);
    if (kind == CDrawingTreeCtrl::kindPart && pDrawing != nullptr) {
        StructureServices::ActivateDrawingTab(pDrawing);
        GiveDrawingToCommand(pManager, m_pDocument, pDrawing->GetDrawingID(), -1);
    }
}

void CDrawingBar::OnChangeLayout()
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    if (m_wndTree.GetSafeHwnd() == nullptr || pManager == nullptr ||
        m_wndTree.GetSelectedItemKind() != CDrawingTreeCtrl::kindLayout)
        return;
    const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(m_wndTree.GetSelectedTreeItem());
    if (pLayout == nullptr)
        return;
    const long nLayoutID = pLayout->GetLayoutID();
    const long nDrawingID = pLayout->GetDrawingID();
    pManager->ExecuteCommand(ID_CHANGE_LAYOUT);
    StructureServices::ActivateDrawingTab(m_pDocument->ChangeDrawingFeature(nDrawingID));
    GiveDrawingToCommand(pManager, m_pDocument, nDrawingID, nLayoutID);
}

void CDrawingBar::OnDelete()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        DeleteSelected();
}

void CDrawingBar::OnActivate()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        ActivateSelected();
}

void CDrawingBar::OnRename()
{
    HTREEITEM hItem = m_wndTree.GetSafeHwnd() != nullptr ? m_wndTree.GetSelectedTreeItem() : nullptr;
    if (hItem != nullptr && m_wndTree.GetItemRecord(hItem) != nullptr) {
        m_wndTree.SetFocus();
        m_wndTree.EditLabel(hItem);
    }
}

void CDrawingBar::OnState(UINT nID)
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        SetSelectedState(static_cast<int>(nID - ID_STATE_FIRST));
}

void CDrawingBar::OnPrintable()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        ToggleSelectedPrintable();
}

void CDrawingBar::OnProperties()
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        ShowProperties(m_wndTree.GetSelectedItem(), TRUE);
}

void CDrawingBar::OnOrder()
{
    if (m_wndTree.GetSafeHwnd() == nullptr || m_pDocument == nullptr)
        return;
    HTREEITEM hItem = m_wndTree.GetSelectedTreeItem();
    CDrawingSortDialog dialog(this);
    dialog.m_pDocument = m_pDocument;
    int mode = 0;
    long nPaperID = -1;
    int start = 0;
    if (const PartDrawingLayout* pLayout = m_wndTree.GetItemLayout(hItem)) {
        mode = 1;
        nPaperID = pLayout->GetPaperID();
        const DrawingFeatureBase* pPaper = m_pDocument->ChangeDrawingFeature(nPaperID);
        start = pPaper != nullptr ? pPaper->GetPartLayoutOrder(pLayout->GetLayoutID()) : 0;
    } else if (const DrawingFeatureBase* pDrawing = m_wndTree.GetItemDrawing(hItem)) {
        start = m_pDocument->GetDrawingOrder(pDrawing);
    }
    dialog.SetSortTarget(mode, nPaperID);
    dialog.m_nStartIndex = start;
    if (dialog.DoModal() != IDOK)
        return;
    dialog.ApplyOrder();
}

void CDrawingBar::OnOpenPart()
{
    DrawingFeatureBase* pDrawing = m_wndTree.GetSafeHwnd() != nullptr ? m_wndTree.GetSelectedDrawing() : nullptr;
    if (pDrawing != nullptr && !pDrawing->IsPaperFeature())
        StructureServices::ActivateDrawingTab(pDrawing);
}

void CDrawingBar::OnOthersState(UINT nID)
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        SetOtherDrawingsState(static_cast<int>(nID - ID_OTHERS_FIRST));
}

void CDrawingBar::OnDrawingTable()
{
    if (QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager())
        pManager->ShowDrawingTableView();
}

void CDrawingBar::OnUpdateHasDocument(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pDocument != nullptr); }

void CDrawingBar::OnUpdateAddLayout(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.GetSafeHwnd() != nullptr && m_wndTree.GetSelectedItemKind() == CDrawingTreeCtrl::kindPart);
}

void CDrawingBar::OnUpdateDelete(CCmdUI* pCmdUI)
{
    const DrawingFeatureBase* pDrawing = m_wndTree.GetSafeHwnd() != nullptr ? m_wndTree.GetSelectedDrawing() : nullptr;
    BOOL bEnable = pDrawing != nullptr;
    if (bEnable && m_wndTree.GetSelectedItemKind() == CDrawingTreeCtrl::kindPaper)
        bEnable = m_pDocument != nullptr && m_pDocument->GetPaperFeatureCount() >= 2;
    pCmdUI->Enable(bEnable);
}

void CDrawingBar::OnUpdateHasDrawing(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.GetSafeHwnd() != nullptr && m_wndTree.GetSelectedDrawing() != nullptr);
}

void CDrawingBar::OnUpdateOrder(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pDocument != nullptr && m_pDocument->GetDrawingFeatureCount() > 1);
}
