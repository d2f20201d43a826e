#include "structure/CLayerBar.h"

#include <algorithm>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMenu.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNCREATE(CLayerBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CLayerBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(CLayerCommandTreeCtrl::cmdProperties, &CLayerBar::OnProperties)
    ON_COMMAND(CLayerCommandTreeCtrl::cmdLayerTable, &CLayerBar::OnLayerTable)
    ON_COMMAND_RANGE(34227, 34327, &CLayerBar::OnLayerCommand)
    ON_UPDATE_COMMAND_UI_RANGE(34227, 34327, &CLayerBar::OnUpdateLayerCommand)
    ON_UPDATE_COMMAND_UI(CLayerCommandTreeCtrl::cmdLayerTable, &CLayerBar::OnUpdateLayerCommand)
    ON_NOTIFY(TVN_SELCHANGED, CLayerBar::kTreeId, &CLayerBar::OnTreeSelChanged)
    ON_NOTIFY(NM_SETFOCUS, CLayerBar::kTreeId, &CLayerBar::OnTreeSetFocus)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CLayerBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {
CLayerBar::FrameServices& Services()
{
    static CLayerBar::FrameServices services;
    return services;
}
}  // namespace

void CLayerBar::SetFrameServices(const FrameServices& services) { Services() = services; }

const CLayerBar::FrameServices& CLayerBar::GetFrameServices() { return Services(); }

CLayerBar::CLayerBar() = default;

CLayerBar::~CLayerBar() = default;

int CLayerBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateForBar(this, kToolBarId, 0))
        return -1;
    // The buttons are set rather than loaded: a loaded toolbar is announced to the frame, which
    // then treats it as one of its own. Their pictures come from the command images.
    CBCGPToolBar::AddToolBarForImageCollection(kToolBar);
    const UINT ids[] = {34227, 34228, 0, 34229, 0, 34230, 34240, 33306};
    m_wndToolBar.SetButtons(ids, 8);
    m_wndToolBar.SetToolTipStrings({{34227, 13003}, {34228, 13004}, {34229, 13005}, {34230, 13006}, {34240, 13007},
                                    {33306, 13008}});
    m_wndToolBar.SetFocusWindow(this);
    if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, kTreeId))
        return -1;
    RecalcLayout();
    return 0;
}

void CLayerBar::RecalcLayout()
{
    if (m_wndToolBar.GetSafeHwnd() == nullptr || m_wndTree.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int barHeight = m_wndToolBar.GetFixedHeight();
    m_wndToolBar.SetWindowPos(nullptr, 0, 0, rc.Width(), barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // One pixel of frame around the tree.
    m_wndTree.SetWindowPos(nullptr, 1, barHeight + 1, std::max(0, static_cast<int>(rc.Width()) - 2),
                           std::max(0, static_cast<int>(rc.Height()) - barHeight - 2), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLayerBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CLayerBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
    if (m_wndTree.GetSafeHwnd() != nullptr) {
        CRect tree;
        m_wndTree.GetWindowRect(&tree);
        ScreenToClient(&tree);
        tree.InflateRect(1, 1);
        dc.Draw3dRect(&tree, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    }
}

BOOL CLayerBar::IsFocusInside() const
{
    CWnd* pFocus = CWnd::GetFocus();
    return pFocus != nullptr && (pFocus == this || IsChild(pFocus));
}

void CLayerBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_wndTree.GetSafeHwnd() != nullptr && (pOldWnd == nullptr || !IsChild(pOldWnd)))
        m_wndTree.SetFocus();
}

BOOL CLayerBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    ++m_nNotifyCount;
    m_nLastNotifyKind = pInfo->GetKind();
    if (pInfo->GetKind() == NotifyInfoBase::kindDocument) {
        if (pInfo->GetCode() != 1)
            return FALSE;
        m_wndTree.ResetTree();
        m_pDocument = pInfo->GetDocument();
        m_wndTree.SetDocument(m_pDocument);
        if (m_pDocument != nullptr)
            m_wndTree.SelectLayerItem(m_pDocument->GetCurrentLayerID());
        return TRUE;
    }
    if (pInfo->GetKind() != NotifyInfoBase::kindLayer || m_wndTree.GetSafeHwnd() == nullptr ||
        pInfo->GetDocument() != m_pDocument || m_pDocument == nullptr)
        return FALSE;
    const long a = pInfo->GetLayerID();
    const long g = pInfo->GetGroupID();
    const long o = pInfo->GetOtherLayerID();
    switch (pInfo->GetCode()) {
    case NotifyInfoBase::layerAdded:
        // The frame may hand records on later than the change: a layer the tree shows already (its
        // name perhaps being typed) is left as it is.
        if (m_wndTree.FindLayerItem(a) != nullptr)
            return m_wndTree.RefreshLayerItem(a, FALSE);
        m_wndTree.RebuildTree();
        m_wndTree.SelectLayerItem(m_pDocument->GetCurrentLayerID());
        return TRUE;
    case NotifyInfoBase::layerTableRebuild:
        m_wndTree.RebuildTree();
        m_wndTree.SelectLayerItem(m_pDocument->GetCurrentLayerID());
        return TRUE;
    case NotifyInfoBase::layerRemoved:
        return m_wndTree.RemoveLayerItem(a);
    case NotifyInfoBase::layerMovedInto:
        m_wndTree.MoveLayerItemInto(a, g, static_cast<int>(pInfo->GetIndex()));
        m_wndTree.SelectLayerItem(a);
        return TRUE;
    case NotifyInfoBase::layerMovedToGroupEnd:
        m_wndTree.MoveLayerItemToGroupEnd(a, g);
        m_wndTree.SelectLayerItem(a);
        return TRUE;
    case NotifyInfoBase::layerMovedAfter:
        m_wndTree.MoveLayerItemAfter(a, o);
        m_wndTree.SelectLayerItem(a);
        return TRUE;
    case NotifyInfoBase::layerMovedBefore:
        m_wndTree.MoveLayerItemBefore(a, o);
        m_wndTree.SelectLayerItem(a);
        return TRUE;
    case NotifyInfoBase::currentLayerChanged:
        return m_wndTree.RefreshAllItems();
    default:
        if (pInfo->GetCode() >= NotifyInfoBase::layerNameChanged && pInfo->GetCode() <= NotifyInfoBase::layerLineWidthChanged)
            return m_wndTree.RefreshLayerItem(a, pInfo->IsWithChildren());
        return FALSE;
    }
}

BOOL CLayerBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kNotifyCode) {
        auto* pInfo = *reinterpret_cast<NotifyInfoBase**>(pHeader + 1);
        if (pHeader->hwndFrom != m_wndTree.GetSafeHwnd()) {
            OnDocumentNotify(pInfo);
        } else if (m_pMainFrame != nullptr && GetFrameServices().pfnForwardNotify != nullptr) {
            GetFrameServices().pfnForwardNotify(m_pMainFrame, pInfo);
        }
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    return CBCGPDockingControlBar::OnNotify(wParam, lParam, pResult);
}

void CLayerBar::OnLayerCommand(UINT nID)
{
    if (m_wndTree.GetSafeHwnd() != nullptr)
        m_wndTree.SendMessage(WM_COMMAND, nID, 0);
}

void CLayerBar::ShowSelectedProperties(BOOL bShowBar, BOOL bEvenWithoutFocus)
{
    if (m_pMainFrame == nullptr || GetFrameServices().pfnShowLayerProperties == nullptr || m_pDocument == nullptr)
        return;
    if (!bEvenWithoutFocus && !IsFocusInside())
        return;
    const LayerFeature* pRecord = m_wndTree.GetItemLayer(m_wndTree.CTreeCtrl::GetSelectedItem());
    if (pRecord != nullptr)
        GetFrameServices().pfnShowLayerProperties(m_pMainFrame, m_pDocument, pRecord->GetLayerID(), bShowBar);
}

void CLayerBar::OnProperties()
{
    ShowSelectedProperties(TRUE);
}

void CLayerBar::OnLayerTable()
{
    if (GetFrameServices().pfnShowLayerTable != nullptr && m_pMainFrame != nullptr)
        GetFrameServices().pfnShowLayerTable(m_pMainFrame);
}

void CLayerBar::OnUpdateLayerCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndTree.GetSafeHwnd() != nullptr && m_wndTree.IsCommandEnabled(pCmdUI->m_nID));
}

void CLayerBar::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pnm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    *pResult = 0;
    if (pnm->itemNew.hItem != nullptr) {
        ShowSelectedProperties(FALSE);
    } else if (pnm->itemOld.hItem != nullptr && m_pMainFrame != nullptr &&
               GetFrameServices().pfnReleaseLayerProperties != nullptr) {
        GetFrameServices().pfnReleaseLayerProperties(m_pMainFrame);
    }
}

void CLayerBar::OnTreeSetFocus(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ShowSelectedProperties(FALSE);
}

LRESULT CLayerBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    return 0;
}

void CLayerBar::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!m_wndTree.PrepareContextMenu(menu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        // The popup deletes itself when it closes; its commands come to this bar.
        auto* pMenu = new CBCGPPopupMenu;
        if (pMenu->Create(this, point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE) && m_pMainFrame != nullptr &&
            GetFrameServices().pfnOnShowPopupMenu != nullptr)
            GetFrameServices().pfnOnShowPopupMenu(m_pMainFrame, pMenu);
    }
    menu.DestroyMenu();
}
