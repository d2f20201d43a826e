#include "structure/CSkyViewBar.h"

#include <QtWidgets/QWidget>

#include <algorithm>

#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/ViewControlSetting.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "structure/CViewControlSettingDialog.h"
#include "structure/StructureServices.h"

IMPLEMENT_DYNCREATE(CSkyViewBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CSkyViewBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CSkyViewBar::OnIdleUpdateCmdUI)
    ON_COMMAND_RANGE(CSkyViewBar::ID_ZOOM_IN, CSkyViewBar::ID_ZOOM_PAPER, &CSkyViewBar::OnZoomCommand)
    ON_COMMAND(CSkyViewBar::ID_FIT, &CSkyViewBar::OnFit)
    ON_COMMAND(CSkyViewBar::ID_STORE, &CSkyViewBar::OnStore)
    ON_COMMAND_RANGE(CSkyViewBar::ID_SLOT_FIRST, CSkyViewBar::ID_SLOT_LAST, &CSkyViewBar::OnViewControlSetting)
    ON_COMMAND_RANGE(CSkyViewBar::ID_NEXT, CSkyViewBar::ID_PREVIOUS, &CSkyViewBar::OnNextViewControlSetting)
    ON_UPDATE_COMMAND_UI_RANGE(CSkyViewBar::ID_ZOOM_IN, CSkyViewBar::ID_STORE, &CSkyViewBar::OnUpdateNeedsMainView)
    ON_UPDATE_COMMAND_UI_RANGE(CSkyViewBar::ID_SLOT_FIRST, CSkyViewBar::ID_SLOT_LAST,
                               &CSkyViewBar::OnUpdateViewControlSetting)
    ON_UPDATE_COMMAND_UI_RANGE(CSkyViewBar::ID_NEXT, CSkyViewBar::ID_PREVIOUS,
                               &CSkyViewBar::OnUpdateNextViewControlSetting)
END_MESSAGE_MAP()

namespace {
constexpr UINT kDocumentNotifyCode = 0x8064;

BOOL IsSlotUsed(const ViewControlSetting& setting) { return setting.GetScale() > 0 && setting.GetDrawingID() != -1; }

// The window of the main drawing view, which carries out the view commands.
CWnd* MainViewWindow()
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    CQZ2TabView* pTabView = pManager != nullptr ? pManager->GetActiveTabView() : nullptr;
    const auto& tabs = QZ2Command::CommandManager::GetTabViewServices();
    if (pTabView == nullptr || tabs.pfnGetTabViewDrawWnd == nullptr)
        return nullptr;
    return tabs.pfnGetTabViewDrawWnd(pTabView);
}
}  // namespace

CSkyViewBar::CSkyViewBar() = default;

CSkyViewBar::~CSkyViewBar() = default;

int CSkyViewBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndOverview.Create(CRect(0, 0, 0, 0), this, IDC_OVERVIEW))
        return -1;
    m_wndOverview.SetOwner(this);
    struct Bar {
        CDrawingToolBar& bar;
        UINT id;
        UINT resource;
    };
    for (const Bar& b : {Bar{m_wndUpper, IDC_UPPER, 313}, Bar{m_wndLower, IDC_LOWER, 315}})
        b.bar.CreateForBar(this, b.id, b.resource);
    RecalcLayout();
    return 0;
}

void CSkyViewBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSkyViewBar::RecalcLayout()
{
    if (m_wndOverview.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    auto heightOf = [](CDrawingToolBar& bar) {
        return bar.GetSafeHwnd() != nullptr ? bar.GetFixedHeight() : 0;
    };
    const int upper = heightOf(m_wndUpper);
    const int lower = heightOf(m_wndLower);
    if (upper > 0)
        m_wndUpper.SetWindowPos(nullptr, 0, 0, rc.Width(), upper, SWP_NOZORDER | SWP_NOACTIVATE);
    if (lower > 0)
        m_wndLower.SetWindowPos(nullptr, 0, std::max(upper, static_cast<int>(rc.Height()) - lower), rc.Width(), lower,
                                SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndOverview.SetWindowPos(nullptr, 0, upper, rc.Width(), std::max(0, static_cast<int>(rc.Height()) - upper - lower),
                               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkyViewBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_wndOverview.GetSafeHwnd() != nullptr)
        m_wndOverview.SetFocus();
}

LRESULT CSkyViewBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    for (CDrawingToolBar* pBar : {&m_wndUpper, &m_wndLower})
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    return 0;
}

// ---- what the frame and the views call ------------------------------------------------------------

void CSkyViewBar::InvalidateView()
{
    ++m_nRedrawCount;
    m_wndOverview.InvalidateView();
}

void CSkyViewBar::UpdateView(int nCode, int*)
{
    ++m_nRedrawCount;
    if (m_wndOverview.GetSafeHwnd() != nullptr)
        m_wndOverview.UpdateView(nCode, 0);
}

void CSkyViewBar::SetGraphicsMode(int nMode) { m_wndOverview.SetGraphicsMode(nMode); }

void CSkyViewBar::InitializeView(int nMode) { m_wndOverview.InitializeView(nMode); }

void CSkyViewBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument:
        if (pInfo->GetCode() == 1)
            m_wndOverview.SetDocument(pInfo->GetDocument());
        break;
    case NotifyInfoBase::kindView:
        if (pInfo->GetDocument() != m_wndOverview.GetOwnView().GetDrawDocument())
            break;
        if (pInfo->GetCode() == 0)
            m_wndOverview.UpdateView(1, 0);
        else if (pInfo->GetCode() == 1)
            m_wndOverview.UpdateSelection(0);
        break;
    case NotifyInfoBase::kindDrawing:
        if (pInfo->GetDocument() != m_wndOverview.GetOwnView().GetDrawDocument())
            break;
        if (pInfo->GetCode() == NotifyInfoBase::drawingActivated) {
            DrawingFeatureBase* pDrawing = pInfo->GetDrawing2() != nullptr ? pInfo->GetDrawing2() : pInfo->GetDrawing();
            m_wndOverview.SetDrawing(pDrawing, pInfo->GetPartLayout());
        } else if (pInfo->GetCode() == NotifyInfoBase::drawingRebuild ||
                   pInfo->GetCode() == NotifyInfoBase::drawingRebuildKeep) {
            // Undo and redo replace the drawing records: take the active drawing anew.
            m_wndOverview.SetDocument(pInfo->GetDocument());
        }
        break;
    case NotifyInfoBase::kindFeature:
        // A shape change shows in the picture, rendered again at the next paint.
        if (pInfo->GetDocument() == m_wndOverview.GetOwnView().GetDrawDocument())
            m_wndOverview.UpdateView(1, 0);
        break;
    default:
        break;
    }
}

BOOL CSkyViewBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        OnDocumentNotify(*reinterpret_cast<NotifyInfoBase**>(pHeader + 1));
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    return CBCGPDockingControlBar::OnNotify(wParam, lParam, pResult);
}

// ---- commands --------------------------------------------------------------------------------------

Draw2dDocument* CSkyViewBar::GetActiveDocument() const
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    return pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
}

void CSkyViewBar::OnZoomCommand(UINT nID)
{
    static const UINT kPosted[] = {34030, 34031, 34025, 34032};
    if (CWnd* pView = MainViewWindow())
        pView->PostMessage(WM_COMMAND, kPosted[nID - ID_ZOOM_IN], 0);
}

void CSkyViewBar::OnFit()
{
    m_wndOverview.FitToMainView();
    m_wndOverview.InvalidateView();
}

void CSkyViewBar::OnUpdateNeedsMainView(CCmdUI* pCmdUI) { pCmdUI->Enable(m_wndOverview.GetMainView() != nullptr); }

BOOL CSkyViewBar::GetSlotName(Draw2dDocument* pDocument, int nIndex, CString& strName)
{
    if (pDocument != nullptr && nIndex >= 0 && nIndex < pDocument->GetViewControlSettingCount()) {
        const ViewControlSetting& setting = pDocument->GetViewControlSetting(nIndex);
        if (IsSlotUsed(setting)) {
            const DrawingFeatureBase* pDrawing = pDocument->ChangeDrawingFeature(setting.GetDrawingID());
            strName.Format(_T("%d - %s"), nIndex + 1,
                           pDrawing != nullptr ? static_cast<LPCTSTR>(pDrawing->GetDrawingName()) : _T(""));
            return TRUE;
        }
    }
    CString format = LoadResourceString(10383);
    strName.Format(format, nIndex + 1);
    return FALSE;
}

int CSkyViewBar::GetFirstFreeSlot(Draw2dDocument* pDocument)
{
    if (pDocument == nullptr)
        return 0;
    for (int i = 0; i < pDocument->GetViewControlSettingCount(); ++i)
        if (!IsSlotUsed(pDocument->GetViewControlSetting(i)))
            return i;
    return 0;
}

int CSkyViewBar::GetStepSlot(Draw2dDocument* pDocument, BOOL bNext)
{
    if (pDocument == nullptr || pDocument->GetViewControlSettingActiveCount() == 0)
        return -1;
    if (pDocument->GetViewControlSettingActiveCount() == 1) {
        for (int i = 0; i < pDocument->GetViewControlSettingCount(); ++i)
            if (IsSlotUsed(pDocument->GetViewControlSetting(i)))
                return i;
        return -1;
    }
    return pDocument->GetViewControlSettingNextIndex(pDocument->GetViewControlSettingCurrentIndex(), bNext ? 1 : 0);
}

void CSkyViewBar::OnStore()
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    Draw2dDocument* pDocument = GetActiveDocument();
    if (pManager == nullptr || pDocument == nullptr || m_wndOverview.GetMainView() == nullptr)
        return;
    CViewControlSettingDialog dialog(this);
    for (int i = 0; i < 8; ++i) {
        CString name;
        GetSlotName(pDocument, i, name);
        dialog.AddName(name);
    }
    dialog.m_nSelection = GetFirstFreeSlot(pDocument);
    if (dialog.DoModal() == IDOK && dialog.m_nSelection >= 0 && dialog.m_nSelection < 8)
        pManager->StoreViewControlSetting(dialog.m_nSelection);
}

void CSkyViewBar::OnViewControlSetting(UINT nID)
{
    if (QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager())
        pManager->RestoreViewControlSetting(static_cast<int>(nID - ID_SLOT_FIRST));
}

void CSkyViewBar::OnUpdateViewControlSetting(CCmdUI* pCmdUI)
{
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    Draw2dDocument* pDocument = GetActiveDocument();
    const int slot = static_cast<int>(pCmdUI->m_nID - ID_SLOT_FIRST);
    if (pDocument == nullptr || slot >= pDocument->GetViewControlSettingCount()) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
        return;
    }
    pCmdUI->Enable(IsSlotUsed(pDocument->GetViewControlSetting(slot)));
    pCmdUI->SetCheck(pManager != nullptr && pManager->IsViewControlSettingCurrent(slot) ? 1 : 0);
}

void CSkyViewBar::OnNextViewControlSetting(UINT nID)
{
    const int slot = GetStepSlot(GetActiveDocument(), nID == ID_NEXT);
    if (slot < 0)
        return;
    if (QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager())
        pManager->RestoreViewControlSetting(slot);
}

void CSkyViewBar::OnUpdateNextViewControlSetting(CCmdUI* pCmdUI)
{
    Draw2dDocument* pDocument = GetActiveDocument();
    pCmdUI->Enable(pDocument != nullptr && pDocument->GetViewControlSettingActiveCount() > 0);
}
