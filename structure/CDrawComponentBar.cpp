#include "structure/CDrawComponentBar.h"

#include <algorithm>

#include <QtWidgets/QWidget>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/DrawComponentParameterItem.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "structure/StructureServices.h"

IMPLEMENT_DYNCREATE(CDrawComponentBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CDrawComponentBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CDrawComponentBar::OnIdleUpdateCmdUI)
    ON_CBN_SELENDOK(CDrawComponentBar::IDC_COMBO, &CDrawComponentBar::OnComboSelEndOk)
    ON_NOTIFY(NM_DBLCLK, CDrawComponentBar::IDC_LIST, &CDrawComponentBar::OnListDblClk)
    ON_COMMAND(CDrawComponentBar::ID_DELETE, &CDrawComponentBar::OnDelete)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_DELETE, &CDrawComponentBar::OnUpdateOnActiveDocument)
    ON_COMMAND(CDrawComponentBar::ID_RENAME, &CDrawComponentBar::OnRename)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_RENAME, &CDrawComponentBar::OnUpdateOnActiveDocument)
    ON_COMMAND(CDrawComponentBar::ID_ATTRIBUTES, &CDrawComponentBar::OnAttributes)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_ATTRIBUTES, &CDrawComponentBar::OnUpdateOnActiveDocument)
    ON_COMMAND(CDrawComponentBar::ID_LARGE_ICONS, &CDrawComponentBar::OnLargeIcons)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_LARGE_ICONS, &CDrawComponentBar::OnUpdateLargeIcons)
    ON_COMMAND(CDrawComponentBar::ID_LIST, &CDrawComponentBar::OnListView)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_LIST, &CDrawComponentBar::OnUpdateListView)
    ON_COMMAND(CDrawComponentBar::ID_PLACE, &CDrawComponentBar::OnPlace)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_PLACE, &CDrawComponentBar::OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(CDrawComponentBar::ID_REGISTER, &CDrawComponentBar::OnUpdateAlways)
END_MESSAGE_MAP()

namespace {
constexpr UINT kToolBar = 303;
constexpr UINT kDocumentNotifyCode = 0x8064;
const char16_t* const kPlaceCommand = u"Korvan.Shape.AddDrawComponent";
}  // namespace

CDrawComponentBar::CDrawComponentBar() = default;

CDrawComponentBar::~CDrawComponentBar() = default;

// ---- creation and layout -------------------------------------------------------------------------

int CDrawComponentBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndToolBar.CreateForBar(this, IDC_TOOLBAR, kToolBar);
    CFont* pFont = StructureServices::GetHooks().pfnGetUIFont != nullptr ? StructureServices::GetHooks().pfnGetUIFont()
                                                                          : nullptr;
    if (pFont == nullptr)
        pFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    if (!m_wndCombo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 0, 0), this,
                           IDC_COMBO))
        return -1;
    m_wndCombo.SetFont(pFont, FALSE);
    const int entry = m_wndCombo.AddString(LoadResourceString(kActiveDocumentText));
    m_wndCombo.SetItemDataPtr(entry, nullptr);
    m_wndCombo.SetCurSel(entry);
    if (!m_wndList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SORTASCENDING, CRect(0, 0, 0, 0), this,
                          IDC_LIST))
        return -1;
    m_wndList.SetFont(pFont, FALSE);
    m_wndList.SetOwner(this);
    m_wndToolBar.SetFocusWindow(&m_wndList);
    RecalcLayout();
    return 0;
}

void CDrawComponentBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CDrawComponentBar::RecalcLayout()
{
    if (m_wndList.GetSafeHwnd() == nullptr || m_wndCombo.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    // Only the selection field takes room: the dropped list sizes itself (about ten entries).
    int field = std::max(m_wndCombo.GetItemHeight(-1) + 8, 20);
    if (QWidget* pWidget = m_wndCombo.GetQWidget())
        field = std::max(field, pWidget->sizeHint().height());
    m_wndCombo.SetWindowPos(nullptr, 0, 0, rc.Width(), field, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect combo;
    m_wndCombo.GetWindowRect(&combo);
    int top = combo.Height();
    if (m_wndToolBar.GetSafeHwnd() != nullptr) {
        const int height = m_wndToolBar.GetFixedHeight();
        m_wndToolBar.SetWindowPos(nullptr, 0, top, rc.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
        top += height;
    }
    m_wndList.SetWindowPos(nullptr, 0, top, rc.Width(), std::max(0, static_cast<int>(rc.Height()) - top),
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDrawComponentBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
}

void CDrawComponentBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetFocus();
}

LRESULT CDrawComponentBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    return 0;
}

// ---- documents -----------------------------------------------------------------------------------

int CDrawComponentBar::FindDocumentEntry(const Draw2dDocument* pDocument) const
{
    if (pDocument == nullptr || m_wndCombo.GetSafeHwnd() == nullptr)
        return -1;
    for (int i = 1; i < m_wndCombo.GetCount(); ++i)
        if (m_wndCombo.GetItemDataPtr(i) == pDocument)
            return i;
    return -1;
}

BOOL CDrawComponentBar::AddDocument(const CString& strTitle, Draw2dDocument* pDocument)
{
    if (m_wndCombo.GetSafeHwnd() == nullptr)
        return FALSE;
    const int entry = m_wndCombo.AddString(strTitle);
    if (entry < 0)
        return FALSE;
    m_wndCombo.SetItemDataPtr(entry, pDocument);
    return TRUE;
}

BOOL CDrawComponentBar::RemoveDocument(Draw2dDocument* pDocument)
{
    const int entry = FindDocumentEntry(pDocument);
    if (entry < 0) {
        // Listed as the active document without an entry of its own: the list lets it go all the same.
        if (pDocument != nullptr && m_pDocument == pDocument)
            Refill(nullptr);
        return FALSE;
    }
    if (m_wndCombo.GetCurSel() == entry)
        m_wndCombo.SetCurSel(0);
    m_wndCombo.DeleteString(entry);
    // The list never keeps a closed document.
    if (m_pDocument == pDocument)
        m_pDocument = nullptr;
    ApplyComboChoice();
    return TRUE;
}

BOOL CDrawComponentBar::UpdateDocumentTitle(const CString& strTitle, Draw2dDocument* pDocument)
{
    const int entry = FindDocumentEntry(pDocument);
    if (entry < 0)
        return AddDocument(strTitle, pDocument);
    const BOOL bSelected = m_wndCombo.GetCurSel() == entry;
    m_wndCombo.DeleteString(entry);
    const int again = m_wndCombo.InsertString(entry, strTitle);
    m_wndCombo.SetItemDataPtr(again, pDocument);
    if (bSelected)
        m_wndCombo.SetCurSel(again);
    return TRUE;
}

BOOL CDrawComponentBar::SelectDocument(Draw2dDocument* pDocument)
{
    const int entry = FindDocumentEntry(pDocument);
    if (entry < 0)
        return FALSE;
    m_wndCombo.SetCurSel(entry);
    ApplyComboChoice();
    return TRUE;
}

void CDrawComponentBar::SelectActiveDocument()
{
    if (m_wndCombo.GetSafeHwnd() == nullptr)
        return;
    m_wndCombo.SetCurSel(0);
    ApplyComboChoice();
}

Draw2dDocument* CDrawComponentBar::GetSelectedDocument() const
{
    if (m_wndCombo.GetSafeHwnd() == nullptr)
        return nullptr;
    const int entry = m_wndCombo.GetCurSel();
    return entry > 0 ? static_cast<Draw2dDocument*>(m_wndCombo.GetItemDataPtr(entry)) : nullptr;
}

BOOL CDrawComponentBar::IsShowingActiveDocument() const
{
    if (m_wndCombo.GetSafeHwnd() == nullptr || m_wndCombo.GetCurSel() <= 0)
        return TRUE;
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    return pManager != nullptr && GetSelectedDocument() == pManager->GetDraw2dDocument();
}

void CDrawComponentBar::Refill(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    m_wndList.ResetList();
    if (pDocument != nullptr)
        m_wndList.SetDocument(pDocument);
}

void CDrawComponentBar::ApplyComboChoice()
{
    if (m_wndCombo.GetSafeHwnd() == nullptr || m_wndCombo.GetCurSel() < 0)
        return;
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    Draw2dDocument* pDocument = nullptr;
    if (m_wndCombo.GetCurSel() == 0) {
        pDocument = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
        if (pManager != nullptr)
            pManager->EnableComponentSync(TRUE);
    } else {
        pDocument = GetSelectedDocument();
        if (pManager != nullptr) {
            pManager->EnableComponentSync(FALSE);
            pManager->SyncComponentItems(pDocument);
        }
    }
    Refill(pDocument);
}

void CDrawComponentBar::OnComboSelEndOk()
{
    ApplyComboChoice();
}

void CDrawComponentBar::SelectComponent(long nComponentID)
{
    m_wndList.SelectComponent(nComponentID);
}

void CDrawComponentBar::InvalidateThumbnails()
{
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.InvalidateAllThumbnails();
}

// ---- notifications -------------------------------------------------------------------------------

void CDrawComponentBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument:
        if (pInfo->GetCode() == 1 && m_wndCombo.GetCurSel() <= 0)
            Refill(pInfo->GetDocument());
        break;
    case NotifyInfoBase::kindLayer:
        if (pInfo->GetDocument() == m_pDocument) {
            switch (pInfo->GetCode()) {
            case 4: case 5: case 6: case 7: case 10: case 12: case 13: case 14: case 15: case 16:
                m_wndList.InvalidateAllThumbnails();
                break;
            default:
                break;
            }
        }
        break;
    case NotifyInfoBase::kindComponent: {
        if (pInfo->GetDocument() != m_pDocument || m_pDocument == nullptr)
            break;
        const long id = pInfo->GetDefineID();
        const DrawComponent2dFeatureDefineTable* pTable = m_pDocument->GetComponentDefineTable();
        if (id < 0) {
            // Undo and redo swap the whole table: list what the document holds now.
            if (pInfo->GetCode() == NotifyInfoBase::componentChanged) {
                const long selected = m_wndList.GetSelectedComponentID();
                Refill(m_pDocument);
                m_wndList.SelectComponent(selected);
            }
            break;
        }
        switch (pInfo->GetCode()) {
        case NotifyInfoBase::componentAdded:
            if (pTable != nullptr && m_wndList.FindComponent(id) < 0) {
                m_wndList.InsertComponent(pTable->GetComponentDefine(id), TRUE);
                m_wndList.SelectComponent(id);
            }
            break;
        case NotifyInfoBase::componentRemoved:
            m_wndList.RemoveComponent(id);
            break;
        case NotifyInfoBase::componentChanged:
        case NotifyInfoBase::componentEditEnded:
            m_wndList.InvalidateThumbnail(id);
            break;
        case NotifyInfoBase::componentRenamed:
            if (pTable != nullptr)
                m_wndList.RenameComponent(id, pTable->GetComponentDefineName(id));
            break;
        default:
            break;
        }
        break;
    }
    case NotifyInfoBase::kindColorTable:
    case NotifyInfoBase::kindLineTypeTable:
    case NotifyInfoBase::kindLineWidthTable:
        m_wndList.InvalidateAllThumbnails();
        break;
    default:
        break;
    }
}

BOOL CDrawComponentBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    struct DocumentNotify {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    };
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        OnDocumentNotify(reinterpret_cast<const DocumentNotify*>(lParam)->pInfo);
        if (pResult != nullptr)
            *pResult = 1;
        return TRUE;
    }
    return CBCGPDockingControlBar::OnNotify(wParam, lParam, pResult);
}

// ---- commands ------------------------------------------------------------------------------------

void CDrawComponentBar::OnUpdateOnActiveDocument(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndList.GetSelectedComponentID() >= 0 && IsShowingActiveDocument());
}

void CDrawComponentBar::OnDelete()
{
    // Delete reaches here from the key as well: a foreign document's definition is never touched.
    const long id = m_wndList.GetSelectedComponentID();
    if (id < 0 || m_pDocument == nullptr || !IsShowingActiveDocument())
        return;
    if (m_pDocument->IsDrawComponentIdUsed(id) || m_pDocument->IsEditingDrawComponent(id)) {
        AfxMessageBox(LoadResourceString(kCannotDeleteText), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_pDocument->BeginUndoOperation(nullptr);
    m_pDocument->DeleteDrawComponentDefine(id);
    m_pDocument->EndUndoOperation();
}

void CDrawComponentBar::OnRename()
{
    const long id = m_wndList.GetSelectedComponentID();
    if (id < 0 || !IsShowingActiveDocument())
        return;
    m_wndList.SetFocus();
    m_wndList.EditLabel(m_wndList.FindComponent(id));
}

void CDrawComponentBar::OnAttributes()
{
    const long id = m_wndList.GetSelectedComponentID();
    const auto& hooks = StructureServices::GetHooks();
    if (id < 0 || m_pDocument == nullptr || !IsShowingActiveDocument() || hooks.pfnEditComponentAttributes == nullptr)
        return;
    const DrawComponent2dFeatureDefine* pDefine = m_pDocument->GetComponentDefineTable()->GetComponentDefine(id);
    if (pDefine == nullptr)
        return;
    FeatureAttribute attributes = pDefine->GetAttribute();
    BOOL bPrompt = pDefine->IsAttributePrompt();
    if (!hooks.pfnEditComponentAttributes(this, m_pDocument, id, attributes, bPrompt))
        return;
    // The document may have gone while the dialog was up; OK without a change records nothing.
    pDefine = m_pDocument != nullptr ? m_pDocument->GetComponentDefineTable()->GetComponentDefine(id) : nullptr;
    if (pDefine == nullptr || (attributes == pDefine->GetAttribute() && !bPrompt == !pDefine->IsAttributePrompt()))
        return;
    m_pDocument->BeginUndoOperation(nullptr);
    if (m_pDocument->SetDrawComponentDefineAttribute(id, attributes, 1)) {
        // The ask-when-placing choice belongs to the same step: the step has kept the definitions as they were.
        if (DrawComponent2dFeatureDefine* pChanged = m_pDocument->GetComponentDefineTable()->GetComponentDefine(id))
            pChanged->SetAttributePrompt(bPrompt);
    }
    m_pDocument->EndUndoOperation();
}

void CDrawComponentBar::OnLargeIcons()
{
    m_wndList.SetViewMode(1);
}

void CDrawComponentBar::OnUpdateLargeIcons(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_wndList.IsIconView());
}

void CDrawComponentBar::OnListView()
{
    m_wndList.SetViewMode(0);
}

void CDrawComponentBar::OnUpdateListView(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(!m_wndList.IsIconView());
}

void CDrawComponentBar::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CDrawComponentBar::OnPlace()
{
    const long id = m_wndList.GetSelectedComponentID();
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    if (id < 0 || pManager == nullptr)
        return;
    QZ2Command::CommandBase* pCommand = pManager->GetActiveCommand();
    if (pCommand == nullptr || pManager->GetActiveCommandName() != CString(kPlaceCommand))
        if (!pManager->StartCommand(CString(kPlaceCommand)))
            return;
    QZ2Command::DrawComponentParameterItem item;
    item.m_pTable = m_pDocument != nullptr ? m_pDocument->GetComponentDefineTable() : nullptr;
    item.SetValue(static_cast<int>(id));
    pManager->SetDrawComponentParameter(0, item, TRUE);
}

void CDrawComponentBar::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    if (pResult != nullptr)
        *pResult = 0;
    OnPlace();
}
