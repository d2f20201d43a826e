#include "app/CLayerTableView.h"

#include <algorithm>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/SystemEnvironment.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CRect.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "property/LayerFeatureProperty.h"
#include "structure/LayerTableViewSetting.h"

IMPLEMENT_DYNCREATE(CLayerTableView, CQZ2BaseView)

BEGIN_MESSAGE_MAP(CLayerTableView, CQZ2BaseView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_CONTEXTMENU()
ON_CBN_SELENDOK(CLayerTableView::kComboId, &CLayerTableView::OnComboSelEndOk)
ON_NOTIFY(NM_DBLCLK, CLayerTableView::kListId, &CLayerTableView::OnListDblClk)
ON_NOTIFY(LVN_ITEMCHANGED, CLayerTableView::kListId, &CLayerTableView::OnListItemChanged)
ON_NOTIFY(NM_SETFOCUS, CLayerTableView::kListId, &CLayerTableView::OnListSetFocus)
ON_NOTIFY(LVN_ENDLABELEDIT, CLayerTableView::kListId, &CLayerTableView::OnListEndLabelEdit)
ON_NOTIFY(LVN_KEYDOWN, CLayerTableView::kListId, &CLayerTableView::OnListKeyDown)
ON_MESSAGE(CLayerListCtrl::msgSelectionChanged, &CLayerTableView::OnSelectionChanged)
ON_COMMAND_RANGE(CLayerTableView::cmdTable, CLayerTableView::cmdPreviewMode, &CLayerTableView::OnModeCommand)
ON_UPDATE_COMMAND_UI_RANGE(CLayerTableView::cmdTable, CLayerTableView::cmdPreviewMode,
                           &CLayerTableView::OnUpdateModeCommand)
ON_COMMAND_RANGE(CLayerTableView::cmdOption1, CLayerTableView::cmdOption2, &CLayerTableView::OnOptionCommand)
ON_UPDATE_COMMAND_UI_RANGE(CLayerTableView::cmdOption1, CLayerTableView::cmdOption2,
                           &CLayerTableView::OnUpdateOptionCommand)
ON_COMMAND(CLayerTableView::cmdParent, &CLayerTableView::OnParentGroup)
ON_UPDATE_COMMAND_UI(CLayerTableView::cmdParent, &CLayerTableView::OnUpdateParentGroup)
ON_COMMAND(CLayerTableView::cmdMode, &CLayerTableView::OnModeButton)
ON_UPDATE_COMMAND_UI(CLayerTableView::cmdMode, &CLayerTableView::OnUpdateModeButton)
ON_UPDATE_COMMAND_UI(CLayerTableView::cmdPreview, &CLayerTableView::OnUpdateAlways)
ON_COMMAND_RANGE(CLayerTableView::cmdDrawingFirst, CLayerTableView::cmdDrawingLast, &CLayerTableView::OnDrawingCommand)
ON_UPDATE_COMMAND_UI_RANGE(CLayerTableView::cmdDrawingFirst, CLayerTableView::cmdDrawingLast,
                           &CLayerTableView::OnUpdateDrawingCommand)
ON_COMMAND_RANGE(CLayerTableView::cmdAddLayer, CLayerTableView::cmdOthersShow, &CLayerTableView::OnLayerCommand)
ON_UPDATE_COMMAND_UI_RANGE(CLayerTableView::cmdAddLayer, CLayerTableView::cmdOthersShow,
                           &CLayerTableView::OnUpdateLayerCommand)
END_MESSAGE_MAP()

CLayerTableView::CLayerTableView() : m_thumbnailBackColor(RGB(255, 255, 255))
{
    m_viewType = ViewTypeLayerTable;
}

CLayerTableView::~CLayerTableView() = default;

Draw2dDocument* CLayerTableView::GetModel() const
{
    auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
    return pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
}

LayerTableViewSetting* CLayerTableView::Setting() const
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetLayerTableViewSetting() : nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Creation and layout

int CLayerTableView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQZ2BaseView::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    CQZ2App* pApp = CQZ2App::GetApp();
    CFont* pFont = pApp != nullptr ? &pApp->GetApplicationFont() : nullptr;
    if (pFont != nullptr && pFont->GetSafeHandle() == nullptr)
        pFont = nullptr;
    const CRect none(0, 0, 0, 0);
    if (!m_wndLabel.Create(LoadResourceString(kLabelText), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_CENTERIMAGE, none,
                           this, kLabelId))
        return -1;
    if (pFont != nullptr)
        m_wndLabel.SetFont(pFont);
    if (!m_wndCombo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 150, 24), this, kComboId))
        return -1;
    if (pFont != nullptr)
        m_wndCombo.SetFont(pFont);
    m_wndCombo.SetTreeOptions(0x25);
    m_wndCombo.SetDisplayOptions(CLayerComboBox::kShowFolders);
    if (!m_wndToolBar.CreateForView(this, kToolBarId))
        return -1;
    if (!m_wndList.Create(WS_CHILD | WS_TABSTOP | LVS_REPORT, none, this, kListId))
        return -1;
    m_wndList.ModifyStyleEx(0, WS_EX_STATICEDGE);
    m_wndList.ModifyStyle(WS_BORDER, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    if (pFont != nullptr)
        m_wndList.SetFont(pFont);
    m_wndList.SetOwner(this);
    m_wndToolBar.SetFocusWindow(&m_wndList);
    if (!m_wndPreview.Create(WS_CHILD, none, this, kPreviewId))
        return -1;
    // Tab goes from the combo to the list.
    m_wndList.SetWindowPos(&m_wndCombo, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

void CLayerTableView::OnInitialUpdate()
{
    CQZ2BaseView::OnInitialUpdate();
    CQZ2App* pApp = CQZ2App::GetApp();
    if (pApp != nullptr && pApp->GetSystemEnvironment() != nullptr)
        m_thumbnailBackColor = pApp->GetSystemEnvironment()->m_TableViewThumbnailBackColor;
    m_wndList.SetBackColor(m_thumbnailBackColor);
    m_wndPreview.SetBackColor(m_thumbnailBackColor);
    if (const LayerTableViewSetting* pSetting = Setting()) {
        m_nMode = pSetting->GetListMode();
        m_nPreviewOption = pSetting->GetPreviewOption();
    }
    Draw2dDocument* pModel = GetModel();
    m_wndCombo.SetDocument(pModel);
    m_wndList.SetDocument(pModel);
    m_wndPreview.SetDocument(pModel);
    if (pModel == nullptr)
        return;
    ShowGroup(pModel->GetLayerTable()->GetParentLayerID(pModel->GetCurrentLayerID()));
    if (m_nDrawingID == -1 || !pModel->IsDrawingFeatureExists(m_nDrawingID)) {
        const Paper2dFeature* pPaper = pModel->GetPaperFeature(0);
        m_nDrawingID = pPaper != nullptr ? pPaper->GetDrawingID() : -1;
    }
    m_wndList.SetDrawing(m_nDrawingID);
    m_wndPreview.SetDrawing(m_nDrawingID);
    if (m_nMode == 1)
        SetIconMode();
    else if (m_nMode == 2)
        SetPreviewMode();
    else
        SetDetailsMode();
    SetPreviewOption(m_nPreviewOption == 1 ? 1 : 2);
}

void CLayerTableView::OnSize(UINT nType, int cx, int cy)
{
    CQZ2BaseView::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CLayerTableView::RecalcLayout()
{
    if (m_wndList.GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(3, 3);
    const CSize bar = m_wndToolBar.GetFixedSize();
    CRect combo;
    m_wndCombo.GetWindowRect(&combo);
    const int hc = combo.Height();
    const int height = std::max<int>(bar.cy, hc);
    int wt = 0;
    {
        CClientDC dc(&m_wndLabel);
        CFont* pOld = dc.SelectObject(m_wndLabel.GetFont());
        CString text;
        m_wndLabel.GetWindowText(text);
        wt = dc.GetTextExtent(text).cx;
        dc.SelectObject(pOld);
    }
    m_wndLabel.MoveWindow(r.left + 2, r.top, wt, hc);
    const int xa = r.left + 2 + wt;
    CRect barRect, comboRect;
    if (bar.cx + wt + 158 >= r.Width()) {
        comboRect = CRect(xa + 2, r.top + (height - hc) / 2, xa + 2 + 150, r.top + (height - hc) / 2 + hc);
        barRect = CRect(xa + 158, r.top + (height - bar.cy) / 2, xa + 158 + bar.cx, r.top + (height - bar.cy) / 2 + bar.cy);
    } else {
        barRect = CRect(r.right - bar.cx, r.top + (height - bar.cy) / 2, r.right, r.top + (height - bar.cy) / 2 + bar.cy);
        comboRect = CRect(xa + 2, r.top + (height - hc) / 2, barRect.left - 6, r.top + (height - hc) / 2 + hc);
    }
    m_wndCombo.MoveWindow(&comboRect);
    m_wndToolBar.MoveWindow(&barRect);
    const int y = std::max(barRect.bottom, comboRect.bottom) + 2;
    if (m_nMode != 2) {
        m_wndList.MoveWindow(r.left, y, r.Width(), std::max<int>(0, r.bottom - y));
    } else {
        const int top = std::max<int>(y, r.bottom - m_wndList.GetOneRowHeight());
        m_wndList.MoveWindow(r.left, top, r.Width(), r.bottom - top);
        m_wndPreview.MoveWindow(r.left, y, r.Width(), std::max(0, top - 2 - y));
    }
}

BOOL CLayerTableView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLayerTableView::OnDraw(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
}

void CLayerTableView::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != static_cast<int>(kLabelId)) {
        CQZ2BaseView::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    CRect rect = lpDrawItemStruct->rcItem;
    pDC->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
    CString text;
    m_wndLabel.GetWindowText(text);
    CFont* pOld = pDC->SelectObject(m_wndLabel.GetFont());
    pDC->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    pDC->SelectObject(pOld);
}

void CLayerTableView::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl != static_cast<int>(kListId) && nIDCtl != static_cast<int>(kComboId)) {
        CQZ2BaseView::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
        return;
    }
    CWnd* pControl = nIDCtl == static_cast<int>(kListId) ? static_cast<CWnd*>(&m_wndList) : &m_wndCombo;
    LOGFONT lf{};
    CFont* pFont = pControl->GetFont();
    if (pFont != nullptr)
        pFont->GetLogFont(&lf);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::max(18, std::abs(static_cast<int>(lf.lfHeight)) * 5 / 4));
}

// ---------------------------------------------------------------------------------------------------
// Group, drawing, modes

BOOL CLayerTableView::SetDrawing(long nDrawingID)
{
    m_nDrawingID = nDrawingID;
    m_wndList.SetDrawing(nDrawingID);
    m_wndPreview.SetDrawing(nDrawingID);
    return TRUE;
}

BOOL CLayerTableView::SetThumbnailBackColor(COLORREF color)
{
    m_thumbnailBackColor = color;
    m_wndList.SetBackColor(color);
    m_wndPreview.SetBackColor(color);
    return TRUE;
}

BOOL CLayerTableView::ShowGroup(long nGroupID)
{
    m_nGroupID = nGroupID;
    m_wndCombo.SetLayerID(nGroupID);
    m_wndList.ShowGroup(nGroupID);
    if (m_wndList.GetItemCount() > 0)
        m_wndList.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return TRUE;
}

void CLayerTableView::StoreMode()
{
    if (LayerTableViewSetting* pSetting = Setting())
        pSetting->SetListMode(m_nMode);
}

BOOL CLayerTableView::SetDetailsMode()
{
    m_nMode = 0;
    StoreMode();
    if (const LayerTableViewSetting* pSetting = Setting())
        m_wndList.SetColumnWidths(pSetting->GetColumnWidths());
    m_wndPreview.ShowWindow(SW_HIDE);
    m_wndList.SetReportStyle();
    m_wndList.ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

BOOL CLayerTableView::SetIconMode()
{
    m_nMode = 1;
    StoreMode();
    m_wndPreview.ShowWindow(SW_HIDE);
    m_wndList.SetIconStyle();
    m_wndList.ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

BOOL CLayerTableView::SetPreviewMode()
{
    m_nMode = 2;
    StoreMode();
    m_wndList.SetStripStyle();
    m_wndList.ShowWindow(SW_SHOW);
    if (m_lastSelection.GetSize() > 0) {
        CDWordArray ids;
        for (int i = 0; i < m_lastSelection.GetSize(); ++i)
            ids.Add(static_cast<DWORD>(m_wndList.GetLayerID(static_cast<int>(m_lastSelection[i]))));
        m_wndPreview.SetLayers(ids);
    } else {
        const int focused = m_wndList.GetNextItem(-1, LVNI_FOCUSED);
        m_wndPreview.SetLayer(focused >= 0 ? m_wndList.GetLayerID(focused) : -1);
    }
    m_wndPreview.ShowWindow(SW_SHOW);
    RecalcLayout();
    return TRUE;
}

BOOL CLayerTableView::SetPreviewOption(int nOption)
{
    if (nOption != 1 && nOption != 2)
        return FALSE;
    m_nPreviewOption = nOption;
    if (LayerTableViewSetting* pSetting = Setting())
        pSetting->SetPreviewOption(nOption);
    m_wndList.SetPreviewOption(nOption);
    m_wndPreview.SetPreviewOption(nOption);
    return TRUE;
}

void CLayerTableView::OnModeCommand(UINT nID)
{
    if (nID == cmdTable)
        SetDetailsMode();
    else if (nID == cmdThumbnails)
        SetIconMode();
    else
        SetPreviewMode();
    m_wndToolBar.SetModeImage(nID);
}

void CLayerTableView::OnUpdateModeCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(static_cast<int>(pCmdUI->m_nID - cmdTable) == m_nMode ? 1 : 0);
}

void CLayerTableView::OnOptionCommand(UINT nID)
{
    SetPreviewOption(nID == cmdOption1 ? 1 : 2);
}

void CLayerTableView::OnUpdateOptionCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck((pCmdUI->m_nID == cmdOption1 ? 1 : 2) == m_nPreviewOption ? 1 : 0);
}

void CLayerTableView::OnParentGroup()
{
    Draw2dDocument* pModel = GetModel();
    if (pModel == nullptr || m_nGroupID == -1)
        return;
    const long parent = pModel->GetLayerTable()->GetParentLayerID(m_nGroupID);
    if (parent != -2)
        ShowGroup(parent);
}

void CLayerTableView::OnUpdateParentGroup(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nGroupID != -1);
}

void CLayerTableView::OnModeButton()
{
    const int next = (m_nMode + 1) % 3;
    m_wndToolBar.SetModeImage(cmdTable + static_cast<UINT>(next));
    if (next == 1)
        SetIconMode();
    else if (next == 2)
        SetPreviewMode();
    else
        SetDetailsMode();
}

void CLayerTableView::OnUpdateModeButton(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CLayerTableView::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CLayerTableView::OnDrawingCommand(UINT nID)
{
    Draw2dDocument* pModel = GetModel();
    const int index = static_cast<int>(nID - cmdDrawingFirst);
    if (pModel == nullptr || index >= pModel->GetDrawingFeatureCount())
        return;
    if (const DrawingFeatureBase* pDrawing = pModel->GetDrawingFeatureByIndex(index))
        SetDrawing(pDrawing->GetDrawingID());
}

void CLayerTableView::OnUpdateDrawingCommand(CCmdUI* pCmdUI)
{
    Draw2dDocument* pModel = GetModel();
    const int index = static_cast<int>(pCmdUI->m_nID - cmdDrawingFirst);
    const DrawingFeatureBase* pDrawing =
        pModel != nullptr && index < pModel->GetDrawingFeatureCount() ? pModel->GetDrawingFeatureByIndex(index) : nullptr;
    pCmdUI->Enable(pDrawing != nullptr);
    pCmdUI->SetCheck(pDrawing != nullptr && pDrawing->GetDrawingID() == m_nDrawingID ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------------
// The list and the combo

void CLayerTableView::OnComboSelEndOk()
{
    Draw2dDocument* pModel = GetModel();
    const long id = m_wndCombo.GetLayerID();
    if (pModel != nullptr && pModel->GetLayerTable()->IsGroup(id))
        ShowGroup(id);
}

void CLayerTableView::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pNM = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    const CLayerListCtrl::Row* pRow = m_wndList.GetRow(pNM->iItem);
    if (pRow != nullptr && pRow->bGroup)
        ShowGroup(pRow->nLayerID);
}

void CLayerTableView::OnListItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CLayerTableView::OnListSetFocus(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    ShowLayerProperties(FALSE);
}

void CLayerTableView::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pKey = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR);
    if (pKey->wVKey == VK_DELETE && !m_wndList.IsEditing())
        PostMessage(WM_COMMAND, cmdDelete, 0);
}

LRESULT CLayerTableView::OnSelectionChanged(WPARAM, LPARAM)
{
    CDWordArray rows;
    m_wndList.GetSelectedRows(rows);
    BOOL bSame = rows.GetSize() == m_lastSelection.GetSize();
    for (int i = 0; bSame && i < rows.GetSize(); ++i)
        bSame = rows[i] == m_lastSelection[i];
    if (bSame)
        return 0;
    m_lastSelection.RemoveAll();
    for (int i = 0; i < rows.GetSize(); ++i)
        m_lastSelection.Add(rows[i]);
    if (m_nMode == 2) {
        if (rows.GetSize() > 0) {
            CDWordArray ids;
            GetSelectedIDs(ids);
            m_wndPreview.SetLayers(ids);
        } else {
            const int focused = m_wndList.GetNextItem(-1, LVNI_FOCUSED);
            m_wndPreview.SetLayer(focused >= 0 ? m_wndList.GetLayerID(focused) : -1);
        }
    }
    if (CWnd::GetFocus() == &m_wndList)
        ShowLayerProperties(FALSE);
    return 0;
}

void CLayerTableView::ShowLayerProperties(BOOL bShow)
{
    CQZ2App* pApp = CQZ2App::GetApp();
    auto* pFrame = pApp != nullptr ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
    Draw2dDocument* pModel = GetModel();
    if (pFrame == nullptr || pModel == nullptr)
        return;
    CDWordArray rows;
    if (m_wndList.GetSelectedRows(rows) == 0) {
        pFrame->ReleasePropertyBarDocument(2);
        return;
    }
    CArray<QZ2Command::FeaturePropertyBase*> objects;
    for (int i = 0; i < rows.GetSize(); ++i)
        objects.Add(new QZ2Command::LayerFeatureProperty(pModel, m_wndList.GetLayerID(static_cast<int>(rows[i]))));
    pFrame->ShowSelectionProperties(objects, FALSE, bShow);
    for (int i = 0; i < objects.GetSize(); ++i)
        delete objects[i];
}

BOOL CLayerTableView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The list tells of new column widths at once.
    if (LOWORD(wParam) == kListId && HIWORD(wParam) == static_cast<WORD>(HDN_ENDTRACKW)) {
        CDWordArray widths;
        m_wndList.GetColumnWidths(widths);
        if (LayerTableViewSetting* pSetting = Setting())
            pSetting->SetColumnWidths(widths);
        return TRUE;
    }
    return CQZ2BaseView::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------------------------------
// Context menu and keys

BOOL CLayerTableView::PrepareContextMenu(int nRow, CMenu& menu) const
{
    if (!menu.LoadMenu(nRow < 0 ? kEmptyMenu : kRowMenu))
        return FALSE;
    if (nRow >= 0) {
        CMenu* pPopup = menu.GetSubMenu(0);
        CDWordArray rows;
        m_wndList.GetSelectedRows(rows);
        const CLayerListCtrl::Row* pRow = rows.GetSize() == 1 ? m_wndList.GetRow(static_cast<int>(rows[0])) : nullptr;
        if (pPopup != nullptr && !(pRow != nullptr && pRow->bGroup)) {
            pPopup->RemoveMenu(8, MF_BYPOSITION);
            pPopup->RemoveMenu(7, MF_BYPOSITION);
            pPopup->RemoveMenu(6, MF_BYPOSITION);
        }
    }
    return TRUE;
}

void CLayerTableView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (pWnd != &m_wndList && pWnd != &m_wndPreview)
        return;
    int row = -1;
    if (point.x == -1 && point.y == -1) {
        if (m_wndList.GetSelectedCount() > 0) {
            row = m_wndList.GetNextItem(-1, LVNI_FOCUSED);
            CRect icon;
            if (row >= 0 && m_wndList.GetItemRect(row, &icon, LVIR_ICON))
                point = icon.CenterPoint();
            else
                point = CPoint(0, 0);
        } else {
            point = CPoint(0, 0);
        }
        m_wndList.ClientToScreen(&point);
    } else if (pWnd == &m_wndList) {
        LVHITTESTINFO info{};
        CPoint client = point;
        m_wndList.ScreenToClient(&client);
        info.pt = client;
        row = m_wndList.SubItemHitTest(&info);
    }
    CMenu menu;
    if (!PrepareContextMenu(row, menu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        auto* pMenu = new CBCGPPopupMenu;
        CQZ2App* pApp = CQZ2App::GetApp();
        auto* pFrame = pApp != nullptr ? dynamic_cast<CMainFrame*>(pApp->m_pMainWnd) : nullptr;
        if (pMenu->Create(this, point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE) && pFrame != nullptr)
            pFrame->OnShowPopupMenu(pMenu);
    }
    menu.DestroyMenu();
}

BOOL CLayerTableView::PreTranslateMessage(MSG* pMsg)
{
    if (CQZ2BaseView::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (m_wndList.IsEditing() || m_wndCombo.IsDropDownVisible())
        return FALSE;
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    for (CWnd* pWnd = pOwner; pWnd != nullptr; pWnd = pWnd->GetParentFrame()) {
        if (pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (pWnd->GetParentFrame() == pWnd)
            break;
    }
    // Dialog navigation: Tab moves between the combo and the list.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) {
        CWnd* pFocus = CWnd::GetFocus();
        const BOOL bInCombo = pFocus != nullptr && (pFocus == &m_wndCombo || m_wndCombo.IsChild(pFocus));
        if (bInCombo)
            m_wndList.SetFocus();
        else
            m_wndCombo.SetFocus();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Notifications

void CLayerTableView::RowValues(long nLayerID, BOOL bInsert, int nIndex)
{
    Draw2dDocument* pModel = GetModel();
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    const LayerFeature* pRecord = pTable->GetLayerFeature(nLayerID);
    if (pRecord == nullptr)
        return;
    const DWORD flags = pRecord->GetLayerStateFlags();
    if (!pRecord->IsGroup()) {
        if (bInsert)
            m_wndList.InsertLayerRow(nIndex, nLayerID, pRecord->GetLayerName(), pRecord->GetLayerState(),
                                     pRecord->GetColorNo(), pRecord->GetLineTypeNo(), pRecord->GetLineWidthNo(),
                                     (flags & 0x10) ? 1 : 0, (flags & 0x08) ? 1 : 0);
        else
            m_wndList.UpdateLayerRow(nLayerID, pRecord->GetLayerName(), pRecord->GetLayerState(), pRecord->GetColorNo(),
                                     pRecord->GetLineTypeNo(), pRecord->GetLineWidthNo(), (flags & 0x10) ? 1 : 0,
                                     (flags & 0x08) ? 1 : 0);
    } else if (pTable->GetChildLayerCount(nLayerID, TRUE) > 0) {
        m_wndList.InsertGroupRow(nIndex, nLayerID, pRecord->GetLayerName(), pTable->GetLayerGroupState(nLayerID),
                                 static_cast<short>(pTable->GetLayerGroupColorNo(nLayerID)),
                                 static_cast<short>(pTable->GetLayerGroupLineTypeNo(nLayerID)),
                                 static_cast<short>(pTable->GetLayerGroupLineWidthNo(nLayerID)),
                                 pTable->GetLayerGroupHide(nLayerID), pTable->GetLayerGroupPrintable(nLayerID), TRUE);
    } else {
        // An empty group takes its notified place too, so the table keeps the document's order.
        m_wndList.InsertGroupRow(nIndex, nLayerID, pRecord->GetLayerName(), 3, -1, -1, -1, -1, -1, FALSE);
    }
}

void CLayerTableView::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    Draw2dDocument* pModel = GetModel();
    if (pInfo == nullptr)
        return;
    const int kind = pInfo->GetKind();
    if ((kind == NotifyInfoBase::kindDrawing || kind == NotifyInfoBase::kindLayer ||
         kind == NotifyInfoBase::kindFeature) &&
        pInfo->GetDocument() != pModel)
        return;
    if (kind == NotifyInfoBase::kindView) {
        m_wndList.InvalidateThumbnails();
        if (m_wndCombo.GetSafeHwnd() != nullptr)
            m_wndCombo.Invalidate();
        m_wndPreview.Refresh();
        return;
    }
    if (kind == NotifyInfoBase::kindDrawing) {
        // Drawings come and go with their shapes, which are not told one by one: count them all again.
        switch (pInfo->GetCode()) {
        case NotifyInfoBase::drawingAdded:
        case NotifyInfoBase::drawingRemoved:
        case NotifyInfoBase::drawingRebuild:
        case NotifyInfoBase::drawingRebuildKeep:
        case NotifyInfoBase::componentDrawingAdded:
        case NotifyInfoBase::componentDrawingRemoved:
            m_wndList.InvalidateFeatureCounts();
            break;
        default:
            break;
        }
        if (pInfo->GetCode() == NotifyInfoBase::drawingRemoved && pInfo->GetDrawing() != nullptr &&
            pInfo->GetDrawing()->GetDrawingID() == m_nDrawingID && pModel != nullptr) {
            const Paper2dFeature* pFirst = pModel->GetPaperFeature(0);
            const Paper2dFeature* pNext = pFirst;
            if (pFirst != nullptr && pFirst->GetDrawingID() == m_nDrawingID)
                pNext = pModel->GetPaperFeatureCount() > 1 ? pModel->GetPaperFeature(1) : nullptr;
            SetDrawing(pNext != nullptr ? pNext->GetDrawingID() : -1);
        }
        return;
    }
    if (kind == NotifyInfoBase::kindFeature) {
        // One record tells which: its count moves without a pass over all the records.
        if (pInfo->GetCode() == NotifyInfoBase::featuresChanged || pInfo->GetRecordID() < 1)
            m_wndList.InvalidateFeatureCounts();
        else
            m_wndList.FollowFeatureRecord(pInfo->GetRecordID());
        m_wndList.InvalidateThumbnails();
        m_wndPreview.Refresh();
        return;
    }
    if (kind == 9) {
        m_wndList.EndInPlaceEdit(TRUE);
        return;
    }
    if (kind != NotifyInfoBase::kindLayer || pModel == nullptr || m_wndList.GetSafeHwnd() == nullptr)
        return;
    const LayerFeatureTable* pTable = pModel->GetLayerTable();
    const long a = pInfo->GetLayerID();
    const long g = pInfo->GetGroupID();
    const long G = m_nGroupID;
    switch (pInfo->GetCode()) {
    case NotifyInfoBase::layerAdded:
        if (g == G) {
            if (m_wndList.FindLayerRow(a) < 0)
                RowValues(a, TRUE, static_cast<int>(pInfo->GetIndex()));
        } else if (pTable->IsParentLayerFeature(G, a)) {
            ShowGroup(G);
        }
        break;
    case NotifyInfoBase::layerRemoved:
        // The layer's shapes went with it, untold; its id may come back for a new layer.
        m_wndList.InvalidateFeatureCounts();
        if (g == G)
            m_wndList.RemoveLayerRow(a);
        else if (!pTable->IsExistLayerID(G) && G != -1)
            ShowGroup(pTable->GetParentLayerID(pModel->GetCurrentLayerID()));
        break;
    case NotifyInfoBase::currentLayerChanged:
        m_wndList.SetCurrentLayerMark(a);
        break;
    case NotifyInfoBase::layerNameChanged:
    case NotifyInfoBase::layerStateChanged:
    case NotifyInfoBase::layerHideChanged:
    case NotifyInfoBase::layerPrintableChanged:
    case NotifyInfoBase::layerColorChanged:
    case NotifyInfoBase::layerLineTypeChanged:
    case NotifyInfoBase::layerLineWidthChanged: {
        const LayerFeature* pRecord = pTable->GetLayerFeature(a);
        if (pRecord == nullptr) {
            ShowGroup(pTable->IsExistLayerID(G) || G == -1 ? G : pTable->GetParentLayerID(pModel->GetCurrentLayerID()));
        } else if (!pRecord->IsGroup() && pTable->GetParentLayerID(a) == G) {
            RowValues(a, FALSE, -1);
        } else if (a == G || pTable->IsParentLayerFeature(G, a) || pTable->IsParentLayerFeature(a, G)) {
            ShowGroup(G);
        }
        m_wndPreview.Refresh();
        break;
    }
    default:
        ShowGroup(pTable->IsExistLayerID(G) || G == -1 ? G : pTable->GetParentLayerID(pModel->GetCurrentLayerID()));
        break;
    }
}
