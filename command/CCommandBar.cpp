#include "command/CCommandBar.h"

#include <algorithm>
#include <memory>

#include <QtWidgets/QWidget>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/CommandPropertyListItem.h"
#include "command/ParameterItemBase.h"
#include "command/ParameterModifierBase.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CEdit.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinSystem.h"

using QZ2Command::CommandBase;
using QZ2Command::CommandManager;
using QZ2Command::CommandParameter;
using QZ2Command::ParameterItemBase;

namespace {

constexpr UINT ID_END_COMMAND = 37101;
constexpr UINT ID_CONFIRM_VALUE = 37102;
constexpr UINT ID_CLEAR_VALUE = 37103;
constexpr UINT ID_STEP_BACK = 37104;
constexpr UINT ID_INPUT_OPTIONS = 37105;
constexpr UINT ID_NEXT_LENGTH = 37106;
constexpr UINT ID_NEXT_TEXT = 37109;
constexpr UINT ID_SELECT_BY_FILTER = 34133;
constexpr UINT ID_OPTIONS = 34644;
constexpr UINT ID_FIRST_MODIFIER = 37152;
constexpr UINT ID_LAST_MODIFIER = 37202;
constexpr int kModifierCodes[] = {1, 2, 10, 11, 12, 13, 20, 21};
constexpr int kNextTypes[] = {ParameterItemBase::typeLength, ParameterItemBase::typeAngle, ParameterItemBase::typeScale,
                              ParameterItemBase::typeText};

}  // namespace

IMPLEMENT_DYNCREATE(CCommandBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CCommandBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CCommandBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_PROPERTYLIST_SELCHANGED, &CCommandBar::OnListSelChanged)
    ON_NOTIFY(PLN_VALUECHANGED, CCommandBar::IDC_ROWS, &CCommandBar::OnListValueChanged)
    ON_NOTIFY(PLN_TEXTENTERED, CCommandBar::IDC_ROWS, &CCommandBar::OnListTextEntered)
    ON_NOTIFY(PLN_PICKREQUEST, CCommandBar::IDC_ROWS, &CCommandBar::OnListPickRequest)
    ON_NOTIFY(PLN_ESCAPE, CCommandBar::IDC_ROWS, &CCommandBar::OnListEscape)
    ON_NOTIFY(PLN_ALTERNATIVE, CCommandBar::IDC_ROWS, &CCommandBar::OnListAlternative)
    ON_COMMAND(ID_END_COMMAND, &CCommandBar::OnEndCommand)
    ON_UPDATE_COMMAND_UI(ID_END_COMMAND, &CCommandBar::OnUpdateEndCommand)
    ON_COMMAND(ID_CONFIRM_VALUE, &CCommandBar::OnConfirmValue)
    ON_UPDATE_COMMAND_UI(ID_CONFIRM_VALUE, &CCommandBar::OnUpdateConfirmValue)
    ON_COMMAND(ID_CLEAR_VALUE, &CCommandBar::OnClearValue)
    ON_UPDATE_COMMAND_UI(ID_CLEAR_VALUE, &CCommandBar::OnUpdateConfirmValue)
    ON_COMMAND(ID_STEP_BACK, &CCommandBar::OnStepBack)
    ON_UPDATE_COMMAND_UI(ID_STEP_BACK, &CCommandBar::OnUpdateStepBack)
    ON_COMMAND(ID_SELECT_BY_FILTER, &CCommandBar::OnSelectByFilter)
    ON_UPDATE_COMMAND_UI(ID_SELECT_BY_FILTER, &CCommandBar::OnUpdateSelectByFilter)
    ON_COMMAND(ID_INPUT_OPTIONS, &CCommandBar::OnInputOptions)
    ON_UPDATE_COMMAND_UI(ID_INPUT_OPTIONS, &CCommandBar::OnUpdateInputOptions)
    ON_COMMAND_RANGE(ID_NEXT_LENGTH, ID_NEXT_TEXT, &CCommandBar::OnNextOfType)
    ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_LENGTH, ID_NEXT_TEXT, &CCommandBar::OnUpdateNextOfType)
    ON_COMMAND_RANGE(ID_FIRST_MODIFIER, ID_LAST_MODIFIER, &CCommandBar::OnModifier)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FIRST_MODIFIER, ID_LAST_MODIFIER, &CCommandBar::OnUpdateModifier)
END_MESSAGE_MAP()

CCommandBar::CCommandBar() = default;

CCommandBar::~CCommandBar() = default;

void CCommandBar::SetCommandManager(CommandManager* pManager)
{
    m_pCommandManager = pManager;
    // Guarded: the combo may not have its window yet, and a null manager must not reach it.
    m_wndCommands.SetCommandManager(pManager);
    m_wndList.m_pParameterHistory = pManager != nullptr ? &pManager->GetParameterHistory() : nullptr;
}

// ---- window --------------------------------------------------------------------------------------

int CCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect none(0, 0, 0, 0);
    if (!m_wndCommands.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, none, this, IDC_COMMANDS))
        return -1;
    CFont* pFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    m_wndCommands.SetFont(pFont, FALSE);
    if (!m_wndList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, none, this, IDC_ROWS))
        return -1;
    m_wndList.SetFont(pFont, FALSE);
    m_wndList.SetOwner(this);
    m_wndList.m_bShowArrows = TRUE;
    m_wndList.m_bEmphasizeGiven = TRUE;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                               CRect(0, 0, 0, 0), IDC_TOOLBAR))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetRouteCommandsViaFrame(FALSE);
    m_wndCommands.SetCommandManager(m_pCommandManager);
    // What was entered while the bar had no window.
    m_wndCommands.FillWindow(m_pCommand != nullptr);
    m_wndList.RecalcLayout(TRUE);
    ShowRowButtons();
    RecalcLayout();
    return 0;
}

void CCommandBar::OnDestroy()
{
    m_wndList.DeleteAllItems();
    if (m_wndCommands.GetSafeHwnd() != nullptr)
        m_wndCommands.SetCurSel(-1);
    m_wndToolBar.SetItemType(0, FALSE);
    CBCGPDockingControlBar::OnDestroy();
}

void CCommandBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
}

void CCommandBar::RecalcLayout()
{
    if (m_wndCommands.GetSafeHwnd() == nullptr || m_wndList.GetSafeHwnd() == nullptr ||
        m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int cx = rc.Width();
    const int field = std::max(20, m_wndCommands.GetItemHeight(-1) + 6);
    m_wndCommands.SetWindowPos(nullptr, 0, 0, cx, field, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect combo;
    m_wndCommands.GetWindowRect(&combo);
    const int comboHeight = std::max(field, static_cast<int>(combo.Height()));
    const QWidget* pStrip = m_wndToolBar.GetLayoutWidget();
    const int barHeight = pStrip != nullptr ? std::max(22, pStrip->sizeHint().height()) : 22;
    m_wndToolBar.SetWindowPos(nullptr, 0, comboHeight + 1, cx, barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    const int listTop = comboHeight + 1 + barHeight + 1;
    m_wndList.SetWindowPos(nullptr, 0, listTop, cx, std::max(0, static_cast<int>(rc.Height()) - listTop),
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCommandBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    // The bar never keeps the focus: the list takes it.
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetFocus();
}

void CCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetFocus();
    CBCGPDockingControlBar::OnLButtonDown(nFlags, point);
}

LRESULT CCommandBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdateCmdUIThrough(this, static_cast<BOOL>(wParam));
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SendMessage(WM_IDLEUPDATECMDUI, wParam, lParam);
    return 0;
}

// ---- rows ----------------------------------------------------------------------------------------

CommandPropertyListItem* CCommandBar::GetRow(int nRow) const
{
    if (nRow < 0 || nRow >= GetRowCount())
        return nullptr;
    return dynamic_cast<CommandPropertyListItem*>(m_wndList.GetItem(nRow));
}

ParameterItemBase* CCommandBar::RowItem(int nRow) const
{
    const CommandPropertyListItem* pRow = GetRow(nRow);
    return pRow != nullptr ? pRow->GetValueItem() : nullptr;
}

int CCommandBar::GetParameterRowCount() const
{
    int count = 0;
    for (int i = 0; i < GetRowCount(); ++i)
        count += IsSubRow(i) ? 0 : 1;
    return count;
}

BOOL CCommandBar::IsSubRow(int nRow) const
{
    const CommandPropertyListItem* pRow = GetRow(nRow);
    return pRow != nullptr && pRow->m_bSubRow;
}

BOOL CCommandBar::IsHeaderRow(int nRow) const
{
    const CommandPropertyListItem* pRow = GetRow(nRow);
    return pRow != nullptr && pRow->m_bHeader;
}

int CCommandBar::GetRowParameter(int nRow) const
{
    if (nRow < 0 || nRow >= GetRowCount())
        return -1;
    int above = 0;
    for (int i = 0; i < nRow; ++i)
        above += IsSubRow(i) ? 0 : 1;
    return IsSubRow(nRow) ? above - 1 : above;
}

int CCommandBar::GetRowModifierInput(int nRow) const
{
    if (!IsSubRow(nRow) || IsHeaderRow(nRow))
        return -1;
    int above = 0;
    for (int i = 0; i < nRow; ++i)
        above += IsSubRow(i) && !IsHeaderRow(i) ? 1 : 0;
    return above;
}

int CCommandBar::FindParameterRow(int nIndex) const
{
    if (nIndex < 0)
        return -1;
    for (int i = 0, n = 0; i < GetRowCount(); ++i)
        if (!IsSubRow(i) && n++ == nIndex)
            return i;
    return -1;
}

int CCommandBar::FindModifierInputRow(int nInput) const
{
    if (nInput < 0)
        return -1;
    for (int i = 0, n = 0; i < GetRowCount(); ++i)
        if (IsSubRow(i) && !IsHeaderRow(i) && n++ == nInput)
            return i;
    return -1;
}

CString CCommandBar::FormatItem(const ParameterItemBase* pItem)
{
    PropertyListItem row;
    row.SetValueItem(pItem);
    return row.GetValueText();
}

CString CCommandBar::GetRowCaption(int nRow) const
{
    const CommandPropertyListItem* pRow = GetRow(nRow);
    return pRow != nullptr ? pRow->GetCaption() : CString();
}

CString CCommandBar::GetRowValueText(int nRow) const
{
    const CommandPropertyListItem* pRow = GetRow(nRow);
    return pRow != nullptr ? pRow->GetValueText() : CString();
}

void CCommandBar::BuildParameterRow(int nIndex, CommandPropertyListItem& row) const
{
    const CommandParameter* pParameter =
        m_pCommand != nullptr && nIndex >= 0 && nIndex < m_pCommand->GetParameterCount() ? m_pCommand->GetParameter(nIndex)
                                                                                          : nullptr;
    if (pParameter == nullptr)
        return;
    const int current = pParameter->GetCurrentIndex();
    const int count = pParameter->GetItemCount();
    row.m_bHasPrevious = count > 1 && current > 0;
    row.m_bHasNext = count > 1 && current < count - 1;
    const ParameterItemBase* pItem = pParameter->GetCurrentItem();
    if (pItem == nullptr)
        return;
    // Points show relative to the user origin, as they are typed, from the first row on.
    std::unique_ptr<ParameterItemBase> pShown(pItem->Clone());
    if (pShown != nullptr && m_pCommandManager != nullptr &&
        (pShown->GetTypeCode() == ParameterItemBase::typePoint || pShown->GetTypeCode() == ParameterItemBase::typeMulti))
        m_pCommandManager->ConvertPointItemToUser(pShown.get());
    row.SetValueItem(pShown.get());
}

void CCommandBar::SelectRowQuietly(int nRow)
{
    m_bSelecting = TRUE;
    m_wndList.EnsureVisible(nRow);
    m_wndList.SetCurSel(nRow);
    m_bSelecting = FALSE;
    ShowRowButtons();
}

void CCommandBar::ShowRowButtons()
{
    const int row = GetSelectedRow();
    // A modifier's rows offer only the standard buttons: its inputs take no modifiers of their own.
    const ParameterItemBase* pItem = IsSubRow(row) ? nullptr : RowItem(row);
    if (pItem != nullptr)
        m_wndToolBar.SetItemType(pItem->GetTypeCode(), pItem->m_bAcceptModifier);
    else
        m_wndToolBar.SetItemType(0, FALSE);
}

void CCommandBar::SetCommand(CommandBase* pCommand)
{
    Clear();
    m_pCommand = pCommand;
    if (pCommand == nullptr)
        return;
    AddCommandName(pCommand->GetDisplayName(), pCommand->m_bRepeatable ? pCommand->GetIdentifier() : CString());
    const int count = pCommand->GetParameterCount();
    for (int i = 0; i < count; ++i)
        AddParameterRow(i);
    if (pCommand->GetCurrentParameterIndex() != -1)
        SelectParameterRow(pCommand->GetCurrentParameterIndex());
    // A command that comes back with a modifier still collecting input shows its rows again.
    if (pCommand->HasModifier() && pCommand->GetActiveModifier() != nullptr)
        ShowModifierRows(pCommand->GetModifiedParameter(), pCommand->GetActiveModifier());
}

void CCommandBar::Clear()
{
    m_pCommand = nullptr;
    m_wndList.DeleteAllItems();
    m_wndToolBar.SetItemType(0, FALSE);
    if (m_wndCommands.GetSafeHwnd() != nullptr)
        m_wndCommands.SetCurSel(-1);
}

void CCommandBar::AddCommandName(const CString& strDisplayName, const CString& strIdentifier)
{
    m_wndCommands.AddCommandName(strDisplayName, strIdentifier);
}

BOOL CCommandBar::AddParameterRow(int nIndex)
{
    if (m_pCommand == nullptr || nIndex != GetParameterRowCount())
        return FALSE;
    CommandPropertyListItem row(FALSE);
    BuildParameterRow(nIndex, row);
    m_wndList.AddItem(row, TRUE);
    return TRUE;
}

BOOL CCommandBar::InsertParameterRow(int nIndex)
{
    const int count = GetParameterRowCount();
    if (m_pCommand == nullptr || nIndex < 0 || nIndex > count)
        return FALSE;
    CommandPropertyListItem row(FALSE);
    BuildParameterRow(nIndex, row);
    m_wndList.InsertItem(nIndex == count ? GetRowCount() : FindParameterRow(nIndex), row, TRUE);
    ShowRowButtons();
    return TRUE;
}

BOOL CCommandBar::RemoveParameterRow(int nIndex)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    m_wndList.DeleteItem(row);
    // Modifier rows of the parameter would otherwise pass to the parameter above.
    while (IsSubRow(row))
        m_wndList.DeleteItem(row);
    ShowRowButtons();
    return TRUE;
}

BOOL CCommandBar::UpdateParameterRow(int nIndex, int nFlag)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    CommandPropertyListItem fresh(FALSE);
    BuildParameterRow(nIndex, fresh);
    if (!m_wndList.SetItem(row, fresh, TRUE))
        return FALSE;
    if (row == GetSelectedRow())
        ShowRowButtons();
    // The selection follows the parameter the command waits for; a modifier input of that parameter
    // keeps it.
    const int current = m_pCommand->GetCurrentParameterIndex();
    (void)nFlag;
    if (current >= 0 && current < GetParameterRowCount() && current != GetRowParameter(GetSelectedRow()))
        SelectParameterRow(current);
    return TRUE;
}

BOOL CCommandBar::ClearParameterRow(int nIndex)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    CommandPropertyListItem* pRow = GetRow(row);
    if (pRow == nullptr)
        return FALSE;
    CommandPropertyListItem cleared(FALSE);
    cleared.CopyFrom(*pRow);
    if (cleared.GetValueItem() != nullptr)
        cleared.GetValueItem()->Clear();
    return m_wndList.SetItem(row, cleared, TRUE);
}

BOOL CCommandBar::SelectParameterRow(int nIndex)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    SelectRowQuietly(row);
    // The list takes the focus, so typing goes into the selected row's editor.
    if (m_wndList.GetSafeHwnd() != nullptr && IsWindowVisible()) {
        m_wndList.SetFocus();
        m_wndList.StartEdit();
    }
    return TRUE;
}

// ---- modifier rows -------------------------------------------------------------------------------

BOOL CCommandBar::ShowModifierRows(int nIndex, QZ2Command::ParameterModifierBase* pModifier)
{
    RemoveAllModifierRows();
    const int parameterRow = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (pModifier == nullptr || parameterRow < 0)
        return FALSE;
    CommandPropertyListItem header(TRUE);
    header.m_bHeader = TRUE;
    header.m_strCaption = pModifier->GetName();
    int row = parameterRow + 1;
    m_wndList.InsertItem(row, header, TRUE);
    const int count = pModifier->GetInputCount();
    for (int i = 0; i < count; ++i) {
        CommandPropertyListItem input(TRUE);
        input.SetIndentLevel(1);
        input.m_nGroup = 0;
        input.SetValueItem(pModifier->GetInputItem(i));
        m_wndList.InsertItem(++row, input, TRUE);
    }
    if (pModifier->GetInputIndex() != -1)
        SelectModifierRow(pModifier->GetInputIndex());
    else
        ShowRowButtons();
    return TRUE;
}

BOOL CCommandBar::UpdateModifierRow(int nInput, const ParameterItemBase* pItem, BOOL bRedraw)
{
    const int row = FindModifierInputRow(nInput);
    CommandPropertyListItem* pRow = GetRow(row);
    if (pRow == nullptr || pItem == nullptr)
        return FALSE;
    CommandPropertyListItem fresh(TRUE);
    fresh.CopyFrom(*pRow);
    fresh.SetValueItem(pItem);
    if (!m_wndList.SetItem(row, fresh, bRedraw))
        return FALSE;
    if (bRedraw)
        m_wndToolBar.SetItemType(0, FALSE);
    return TRUE;
}

BOOL CCommandBar::SelectModifierRow(int nInput)
{
    const int row = FindModifierInputRow(nInput);
    if (row < 0)
        return FALSE;
    SelectRowQuietly(row);
    m_wndToolBar.SetItemType(0, FALSE);
    if (m_wndList.GetSafeHwnd() != nullptr && IsWindowVisible()) {
        m_wndList.SetFocus();
        m_wndList.StartEdit();
    }
    return TRUE;
}

BOOL CCommandBar::RemoveModifierRows(int nGroup)
{
    int header = -1;
    for (int i = 0; i + 1 < GetRowCount() && header < 0; ++i) {
        const CommandPropertyListItem* pNext = GetRow(i + 1);
        if (IsHeaderRow(i) && pNext != nullptr && pNext->m_bSubRow && !pNext->m_bHeader && pNext->m_nGroup == nGroup)
            header = i;
    }
    if (header < 0)
        return FALSE;
    const int owner = GetRowParameter(header);
    const int selected = GetSelectedRow();
    auto belongs = [this, nGroup](int nRow) {
        const CommandPropertyListItem* pRow = GetRow(nRow);
        return pRow != nullptr && pRow->m_bSubRow && (pRow->m_bHeader || pRow->m_nGroup >= nGroup);
    };
    m_wndList.DeleteItem(header);
    while (belongs(header))
        m_wndList.DeleteItem(header);
    // A selected input of the modifier hands the selection back to its parameter.
    if (selected >= header && GetSelectedRow() < 0) {
        const int row = FindParameterRow(owner);
        if (row >= 0)
            SelectRowQuietly(row);
    }
    ShowRowButtons();
    return TRUE;
}

BOOL CCommandBar::RemoveInnermostModifierRows()
{
    int group = -1;
    for (int i = 0; i < GetRowCount(); ++i)
        if (const CommandPropertyListItem* pRow = GetRow(i); pRow->m_bSubRow && !pRow->m_bHeader)
            group = std::max(group, pRow->m_nGroup);
    return group >= 0 ? RemoveModifierRows(group) : FALSE;
}

BOOL CCommandBar::RemoveAllModifierRows()
{
    return RemoveModifierRows(0);
}

// ---- the list's notifications --------------------------------------------------------------------

BOOL CCommandBar::IsCommandRunning() const
{
    return m_pCommandManager != nullptr && !m_pCommandManager->GetActiveCommandName().IsEmpty();
}

LRESULT CCommandBar::OnListSelChanged(WPARAM wParam, LPARAM)
{
    const int row = static_cast<int>(wParam);
    if (m_bSelecting) {
        return 0;
    }
    if (IsCommandRunning() && m_pCommand != nullptr) {
        if (IsSubRow(row)) {
            m_pCommandManager->SetModifierInputIndex(GetRowModifierInput(row));
        } else {
            // A parameter row picked by the user becomes the parameter the command waits for,
            // which ends a modifier still collecting input.
            const int nIndex = GetRowParameter(row);
            if (m_pCommand->GetCurrentParameterIndex() != nIndex || m_pCommand->HasModifier())
                m_pCommandManager->SetCurrentParameter(nullptr, nIndex);
        }
    }
    ShowRowButtons();
    return 0;
}

LRESULT CCommandBar::RouteValue(int nRow, const CString* pText, const ParameterItemBase* pValue, BOOL bEnter)
{
    if (!IsCommandRunning() || m_pCommand == nullptr || nRow < 0 || nRow >= GetRowCount() || IsHeaderRow(nRow))
        return 0;
    BOOL bTaken = FALSE;
    if (IsSubRow(nRow)) {
        const int input = GetRowModifierInput(nRow);
        bTaken = pText != nullptr ? m_pCommandManager->SetModifierInputText(input, *pText, bEnter)
                                  : m_pCommandManager->SetModifierInputValue(input, *pValue, bEnter);
    } else {
        const int nIndex = GetRowParameter(nRow);
        const CommandParameter* pParameter = m_pCommand->GetParameter(nIndex);
        const ParameterItemBase* pCurrent = pParameter != nullptr ? pParameter->GetCurrentItem() : nullptr;
        if (pCurrent == nullptr)
            return 0;
        if (pText != nullptr) {
            bTaken = m_pCommandManager->SetParameterText(nIndex, *pText, bEnter);
        } else {
            // A value of another type than the current alternative is refused.
            if (pValue->GetTypeCode() != pCurrent->GetTypeCode())
                return 0;
            bTaken = m_pCommandManager->SetParameterValue(nIndex, *pValue, bEnter);
        }
    }
    return bTaken ? 1 : 0;
}

void CCommandBar::OnListValueChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(pNMHDR);
    const ParameterItemBase* pValue = pInfo->pItem != nullptr ? pInfo->pItem->GetValueItem() : nullptr;
    *pResult = pValue != nullptr ? RouteValue(pInfo->nIndex, nullptr, pValue, pInfo->bEnter) : 0;
    m_nLastAnswer = *pResult;
}

void CCommandBar::OnListTextEntered(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(pNMHDR);
    const CString text = pInfo->strText;
    *pResult = RouteValue(pInfo->nIndex, &text, nullptr, pInfo->bEnter);
    m_nLastAnswer = *pResult;
}

void CCommandBar::OnListPickRequest(NMHDR*, LRESULT* pResult)
{
    *pResult = IsCommandRunning() && m_pCommandManager->OnEnter() ? 1 : 0;
    m_nLastAnswer = *pResult;
}

void CCommandBar::OnListEscape(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_pCommandManager == nullptr)
        return;
    if (!IsCommandRunning()) {
        m_pCommandManager->OnEscape();
        return;
    }
    // A value is emptied first; Escape on an empty modifier input removes the modifier, on an empty
    // parameter it cancels the command.
    const int row = GetSelectedRow();
    const ParameterItemBase* pItem = RowItem(row);
    const BOOL bValue = pItem != nullptr && !pItem->IsEmpty();
    if (IsSubRow(row)) {
        if (bValue)
            m_pCommandManager->ClearModifierInput(GetRowModifierInput(row), FALSE);
        else
            m_pCommandManager->RemoveActiveModifier();
    } else if (bValue) {
        m_pCommandManager->ClearParameterValue(GetRowParameter(row), FALSE);
    } else {
        m_pCommandManager->EndCommand(nullptr, TRUE);
    }
}

void CCommandBar::OnListAlternative(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pInfo = reinterpret_cast<PROPERTYLISTNOTIFY*>(pNMHDR);
    if (!IsCommandRunning() || m_pCommand == nullptr || IsSubRow(pInfo->nIndex))
        return;
    // The parameter of the row, not the row's index: modifier rows above shift the rows.
    const int nIndex = GetRowParameter(pInfo->nIndex);
    const CommandParameter* pParameter = m_pCommand->GetParameter(nIndex);
    if (pParameter == nullptr)
        return;
    const int step = pInfo->nDirection == 0 ? -1 : 1;
    m_pCommandManager->SetParameterAlternative(nullptr, nIndex, pParameter->GetCurrentIndex() + step);
}

// ---- commands ------------------------------------------------------------------------------------

void CCommandBar::OnEndCommand()
{
    if (IsCommandRunning())
        m_pCommandManager->EndCommand(nullptr, TRUE);
}

void CCommandBar::OnUpdateEndCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsCommandRunning());
}

void CCommandBar::OnConfirmValue()
{
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.OnEnterKey();
}

void CCommandBar::OnUpdateConfirmValue(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedRow() >= 0);
}

void CCommandBar::OnClearValue()
{
    const int row = GetSelectedRow();
    const ParameterItemBase* pItem = RowItem(row);
    if (!IsCommandRunning() || pItem == nullptr || pItem->IsEmpty())
        return;
    if (IsSubRow(row))
        m_pCommandManager->ClearModifierInput(GetRowModifierInput(row), FALSE);
    else
        m_pCommandManager->ClearParameterValue(GetRowParameter(row), FALSE);
}

void CCommandBar::OnStepBack()
{
    const int row = GetSelectedRow();
    const ParameterItemBase* pItem = RowItem(row);
    if (IsCommandRunning() && pItem != nullptr && pItem->GetTypeCode() == ParameterItemBase::typePointArray &&
        !IsSubRow(row))
        m_pCommandManager->StepBackPointArray(GetRowParameter(row));
}

void CCommandBar::OnUpdateStepBack(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CCommandBar::OnSelectByFilter()
{
    const int row = GetSelectedRow();
    const ParameterItemBase* pItem = RowItem(row);
    if (!IsCommandRunning() || pItem == nullptr || pItem->GetTypeCode() != ParameterItemBase::typeFeatureGroup)
        return;
    // The document's selection-filter command acts on the running command's shape group.
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_SELECT_BY_FILTER, 0), 0);
}

void CCommandBar::OnUpdateSelectByFilter(CCmdUI* pCmdUI)
{
    const ParameterItemBase* pItem = RowItem(GetSelectedRow());
    if (pItem != nullptr && pItem->GetTypeCode() == ParameterItemBase::typeFeatureGroup && !pItem->IsEmpty())
        pCmdUI->Enable(TRUE);
}

namespace {

CCommandBar::InputOptionsHook s_pfnInputOptionsHook = nullptr;

}  // namespace

void CCommandBar::SetInputOptionsHook(InputOptionsHook pfnHook)
{
    s_pfnInputOptionsHook = pfnHook;
}

void CCommandBar::OnInputOptions()
{
    if (s_pfnInputOptionsHook != nullptr)
        s_pfnInputOptionsHook();
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->PostMessage(WM_COMMAND, MAKEWPARAM(ID_OPTIONS, 0), 0);
}

void CCommandBar::OnUpdateInputOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CCommandBar::OnNextOfType(UINT nID)
{
    if (IsCommandRunning())
        m_pCommandManager->ActivateNextParameterOfType(kNextTypes[nID - ID_NEXT_LENGTH]);
}

void CCommandBar::OnUpdateNextOfType(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsCommandRunning());
}

void CCommandBar::OnModifier(UINT nID)
{
    const UINT slot = nID - ID_FIRST_MODIFIER;
    if (!IsCommandRunning() || slot >= sizeof(kModifierCodes) / sizeof(kModifierCodes[0]))
        return;
    const int row = GetSelectedRow();
    const int nIndex = row >= 0 ? GetRowParameter(row) : m_pCommand != nullptr ? m_pCommand->GetCurrentParameterIndex() : -1;
    if (nIndex >= 0)
        m_pCommandManager->SetParameterModifier(nIndex, kModifierCodes[slot]);
}

void CCommandBar::OnUpdateModifier(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsCommandRunning());
}

// ---- typed input ---------------------------------------------------------------------------------

BOOL CCommandBar::IsTypedCharacter(UINT nChar)
{
    return nChar >= 0x20 && nChar != 0x7F && !(nChar >= 0x80 && nChar < 0xA0) && !(nChar >= 0xD800 && nChar < 0xE000);
}

BOOL CCommandBar::TypeIntoSelectedRow(const CString& strText)
{
    if (strText.IsEmpty() || !IsCommandRunning() || m_wndList.GetSafeHwnd() == nullptr || !m_wndList.IsWindowVisible())
        return FALSE;
    PropertyListItem* pRow = m_wndList.GetCurItem();
    if (pRow == nullptr)
        return FALSE;
    if (!m_wndList.HasFocusInside())
        m_wndList.SetFocus();
    if (pRow->GetEditor() == nullptr)
        m_wndList.StartEdit();
    CWnd* pEditor = pRow->GetEditor();
    if (pEditor == nullptr || pEditor->GetSafeHwnd() == nullptr)
        return FALSE;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const WCHAR ch[2] = {strText[i], 0};
        CWnd* pFocus = CWnd::GetFocus();
        const BOOL bInEditor = pFocus != nullptr && (pFocus == pEditor || pEditor->IsChild(pFocus));
        if (!bInEditor) {
            // As typed on the list: the first character replaces the value.
            m_wndList.SendMessage(WM_CHAR, static_cast<WPARAM>(ch[0]), 0);
            if (CWnd::GetFocus() != pEditor) {
                // No focus to follow (an inactive window): carry on in the editor's text.
                pEditor->SetWindowText(ch);
            }
        } else if (auto* pEdit = dynamic_cast<CEdit*>(pEditor)) {
            pEdit->ReplaceSel(ch);
        } else {
            CString text;
            pEditor->GetWindowText(text);
            pEditor->SetWindowText(text + ch);
        }
        pRow->SetEditorModified(TRUE);
    }
    return TRUE;
}

BOOL CCommandBar::EnterText(const CString& strText)
{
    if (!IsCommandRunning() || m_wndList.GetCurItem() == nullptr)
        return FALSE;
    PropertyListItem* pRow = m_wndList.GetCurItem();
    if (strText.IsEmpty()) {
        m_nLastAnswer = -1;
        m_wndList.OnEnterKey();
        return m_nLastAnswer != 0;
    }
    if (pRow->GetEditor() == nullptr) {
        if (m_wndList.GetSafeHwnd() != nullptr && !m_wndList.HasFocusInside())
            m_wndList.SetFocus();
        m_wndList.StartEdit();
    }
    if (pRow->GetEditor() == nullptr) {
        // Without an editor window the text goes to the manager as the list would send it.
        const CString text = strText;
        return RouteValue(m_wndList.GetCurSel(), &text, nullptr, TRUE) == 1;
    }
    pRow->GetEditor()->SetWindowText(strText);
    pRow->SetEditorModified(TRUE);
    m_nLastAnswer = -1;
    m_wndList.EndEdit(TRUE, TRUE, FALSE);
    return m_nLastAnswer == 1;
}

void CCommandBar::EscapeInput()
{
    PropertyListItem* pRow = m_wndList.GetCurItem();
    const BOOL bTyped = pRow != nullptr && pRow->GetEditor() != nullptr && pRow->IsEditorModified();
    m_wndList.OnEscapeKey(bTyped);
}
