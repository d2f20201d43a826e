#include "command/CCommandBar.h"

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/ParameterItemBase.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "platform/win/CFrameWnd.h"

#include <QtWidgets/QWidget>

#include <algorithm>
#include <memory>
#include <vector>

using QZ2Command::CommandBase;
using QZ2Command::CommandManager;
using QZ2Command::ParameterItemBase;

namespace {

// Height of the combo and of the input line.
constexpr int kLineHeight = 24;
// The toolbar resource with the images of the bar's buttons.
constexpr UINT kToolBarImages = 304;
constexpr UINT ID_END_COMMAND = 37101;
constexpr UINT ID_CONFIRM_VALUE = 37102;
constexpr UINT ID_CLEAR_VALUE = 37103;
constexpr UINT ID_STEP_BACK = 37104;
constexpr UINT ID_INPUT_OPTIONS = 37105;
constexpr UINT ID_SELECT_BY_FILTER = 34133;

}  // namespace

IMPLEMENT_DYNCREATE(CCommandBar, CBCGPDockingControlBar)

BEGIN_MESSAGE_MAP(CCommandBar, CBCGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_CBN_SELENDOK(CCommandBar::IDC_COMMANDS, &CCommandBar::OnCommandSelEndOK)
    ON_NOTIFY(LVN_ITEMCHANGED, CCommandBar::IDC_ROWS, &CCommandBar::OnRowChanged)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CCommandBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CCommandBar::CCommandBar() = default;

CCommandBar::~CCommandBar() = default;

// ---- window --------------------------------------------------------------------------------------

int CCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect none(0, 0, 0, 0);
    if (!m_wndCommands.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, none, this,
                              IDC_COMMANDS))
        return -1;
    if (!m_wndRows.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                          none, this, IDC_ROWS))
        return -1;
    m_wndRows.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_wndRows.InsertColumn(0, u"", LVCFMT_LEFT, 90);
    m_wndRows.InsertColumn(1, u"", LVCFMT_LEFT, 100);
    if (!m_wndInput.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, none, this, IDC_INPUT))
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                               CRect(0, 0, 0, 0), IDC_TOOLBAR))
        return -1;
    // The buttons act on the running command through the frame, which steers it.
    CBCGPToolBar::AddToolBarForImageCollection(kToolBarImages);
    if (CFrameWnd* pFrame = GetParentFrame())
        m_wndToolBar.SetOwner(pFrame);
    RebuildButtons();
    // Names entered while the bar had no window.
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
        m_wndCommands.AddString(m_names[i]);
    if (m_names.GetSize() > 0 && m_pCommand != nullptr)
        m_wndCommands.SetCurSel(0);
    for (int i = 0; i < GetRowCount(); ++i) {
        m_wndRows.InsertItem(i, u"");
        FillRow(i);
    }
    ShowSelection();
    RecalcLayout();
    return 0;
}

void CCommandBar::OnDestroy()
{
    if (m_wndRows.GetSafeHwnd() != nullptr)
        m_wndRows.DeleteAllItems();
    if (m_wndCommands.GetSafeHwnd() != nullptr)
        m_wndCommands.SetCurSel(-1);
    CBCGPDockingControlBar::OnDestroy();
}

void CCommandBar::OnSize(UINT nType, int cx, int cy)
{
    CBCGPDockingControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CCommandBar::RecalcLayout()
{
    if (m_wndCommands.GetSafeHwnd() == nullptr || m_wndRows.GetSafeHwnd() == nullptr ||
        m_wndInput.GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int cx = rc.Width();
    const int cy = rc.Height();
    m_wndCommands.MoveWindow(0, 0, cx, kLineHeight, FALSE);
    const QWidget* pStrip = m_wndToolBar.GetLayoutWidget();
    const int barHeight = pStrip != nullptr ? std::max(kLineHeight, pStrip->sizeHint().height()) : kLineHeight;
    m_wndToolBar.MoveWindow(0, kLineHeight + 1, cx, barHeight, FALSE);
    const int listTop = kLineHeight + 1 + barHeight + 1;
    const int inputTop = std::max(listTop, cy - kLineHeight);
    m_wndRows.MoveWindow(0, listTop, cx, inputTop - listTop - 2 > 0 ? inputTop - listTop - 2 : 0, FALSE);
    m_wndInput.MoveWindow(0, inputTop, cx, kLineHeight, FALSE);
    // Captions take about half the width and the values the rest, inside the border and beside a
    // vertical scroll bar, so that no horizontal one is needed.
    const int room = std::max(80, cx - 24);
    m_wndRows.SetColumnWidth(0, room * 9 / 20);
    m_wndRows.SetColumnWidth(1, room - room * 9 / 20);
}

void CCommandBar::OnSetFocus(CWnd* pOldWnd)
{
    CBCGPDockingControlBar::OnSetFocus(pOldWnd);
    // The bar never keeps the focus itself: the rows take it, and what is typed there moves on
    // into the input line.
    if (m_wndRows.GetSafeHwnd() != nullptr)
        m_wndRows.SetFocus();
}

void CCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_wndRows.GetSafeHwnd() != nullptr)
        m_wndRows.SetFocus();
    CBCGPDockingControlBar::OnLButtonDown(nFlags, point);
}

BOOL CCommandBar::TypeIntoInputLine(const CString& strText)
{
    if (strText.IsEmpty() || !IsCommandRunning() || m_wndInput.GetSafeHwnd() == nullptr ||
        !m_wndInput.IsWindowVisible())
        return FALSE;
    m_wndInput.SetFocus();
    // A refused text waits selected and is typed over; otherwise the text is added at the end.
    int start = 0, end = 0;
    m_wndInput.GetSel(start, end);
    const int length = m_wndInput.GetWindowTextLength();
    if (!(start == 0 && end == length && length > 0))
        m_wndInput.SetSel(length, length);
    m_wndInput.ReplaceSel(strText);
    return TRUE;
}

BOOL CCommandBar::IsTypedCharacter(UINT nChar)
{
    return nChar >= 0x20 && nChar != 0x7F && !(nChar >= 0x80 && nChar < 0xA0) && !(nChar >= 0xD800 && nChar < 0xE000);
}

BOOL CCommandBar::PreTranslateMessage(MSG* pMsg)
{
    // The rows hold the focus while a command runs: a character typed there starts the input
    // line's text, and Return, Escape and Backspace act as they do in the input line or the view.
    if (pMsg != nullptr && m_wndRows.GetSafeHwnd() != nullptr && pMsg->hwnd == m_wndRows.GetSafeHwnd()) {
        if (pMsg->message == WM_CHAR && IsTypedCharacter(static_cast<UINT>(pMsg->wParam))) {
            const WCHAR ch[2] = {static_cast<WCHAR>(pMsg->wParam), 0};
            if (TypeIntoInputLine(ch))
                return TRUE;
        }
        if (pMsg->message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000) == 0 &&
            (::GetKeyState(VK_MENU) & 0x8000) == 0) {
            if (pMsg->wParam == VK_RETURN) {
                CString text;
                if (m_wndInput.GetSafeHwnd() != nullptr)
                    m_wndInput.GetWindowText(text);
                EnterText(text);
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE) {
                EscapeInput();
                return TRUE;
            }
            if (pMsg->wParam == VK_BACK && m_pCommandManager != nullptr && IsCommandRunning()) {
                m_pCommandManager->OnBackspace();
                return TRUE;
            }
        }
    }
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && m_wndInput.GetSafeHwnd() != nullptr &&
        pMsg->hwnd == m_wndInput.GetSafeHwnd()) {
        if (pMsg->wParam == VK_RETURN) {
            CString text;
            m_wndInput.GetWindowText(text);
            EnterText(text);
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE) {
            EscapeInput();
            return TRUE;
        }
        // Up and down move between the rows without leaving the input line; a modifier's header
        // is passed over.
        if ((pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN) && GetRowCount() > 0 && m_pCommandManager != nullptr &&
            IsCommandRunning()) {
            const int step = pMsg->wParam == VK_UP ? -1 : 1;
            int row = m_nSelectedRow < 0 ? 0 : m_nSelectedRow + step;
            while (row >= 0 && row < GetRowCount() && IsHeaderRow(row))
                row += step;
            if (row >= 0 && row < GetRowCount())
                ActivateRow(row);
            return TRUE;
        }
    }
    return CBCGPDockingControlBar::PreTranslateMessage(pMsg);
}

// ---- rows ----------------------------------------------------------------------------------------

ParameterItemBase* CCommandBar::RowItem(int nRow) const
{
    if (m_pCommand == nullptr || nRow < 0 || nRow >= GetRowCount())
        return nullptr;
    const Row& row = m_rows[static_cast<size_t>(nRow)];
    if (row.kind == rowModifierInput)
        return row.pItem.get();
    if (row.kind != rowParameter)
        return nullptr;
    const int nIndex = GetRowParameter(nRow);
    if (nIndex < 0 || nIndex >= m_pCommand->GetParameterCount())
        return nullptr;
    const QZ2Command::CommandParameter* pParameter = m_pCommand->GetParameter(nIndex);
    return pParameter != nullptr ? pParameter->GetCurrentItem() : nullptr;
}

int CCommandBar::GetParameterRowCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(),
                                          [](const Row& row) { return row.kind == rowParameter; }));
}

BOOL CCommandBar::IsSubRow(int nRow) const
{
    return nRow >= 0 && nRow < GetRowCount() && m_rows[static_cast<size_t>(nRow)].kind != rowParameter;
}

BOOL CCommandBar::IsHeaderRow(int nRow) const
{
    return nRow >= 0 && nRow < GetRowCount() && m_rows[static_cast<size_t>(nRow)].kind == rowModifierHeader;
}

int CCommandBar::GetRowParameter(int nRow) const
{
    if (nRow < 0 || nRow >= GetRowCount())
        return -1;
    // A parameter row counts the parameter rows above it; a sub-row takes the number of the
    // parameter row above it.
    int above = 0;
    for (int i = 0; i < nRow; ++i)
        above += m_rows[static_cast<size_t>(i)].kind == rowParameter ? 1 : 0;
    return m_rows[static_cast<size_t>(nRow)].kind == rowParameter ? above : above - 1;
}

int CCommandBar::GetRowModifierInput(int nRow) const
{
    if (!IsSubRow(nRow))
        return -1;
    int above = 0;
    for (int i = 0; i < nRow; ++i)
        above += m_rows[static_cast<size_t>(i)].kind == rowModifierInput ? 1 : 0;
    return above;
}

int CCommandBar::FindParameterRow(int nIndex) const
{
    if (nIndex < 0)
        return -1;
    for (int i = 0, n = 0; i < GetRowCount(); ++i)
        if (m_rows[static_cast<size_t>(i)].kind == rowParameter && n++ == nIndex)
            return i;
    return -1;
}

int CCommandBar::FindModifierInputRow(int nInput) const
{
    if (nInput < 0)
        return -1;
    for (int i = 0, n = 0; i < GetRowCount(); ++i)
        if (m_rows[static_cast<size_t>(i)].kind == rowModifierInput && n++ == nInput)
            return i;
    return -1;
}

CString CCommandBar::FormatItem(const ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->IsEmpty())
        return CString();
    CString text;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
        if (auto* p = dynamic_cast<const QZ2Command::DoubleParameterItem*>(pItem))
            text = p->FormatValue();
        break;
    case ParameterItemBase::typeInteger:
        if (auto* p = dynamic_cast<const QZ2Command::IntegerParameterItem*>(pItem))
            text = p->FormatValue();
        break;
    case ParameterItemBase::typeText:
        if (auto* p = dynamic_cast<const QZ2Command::TextParameterItem*>(pItem))
            text = p->m_strText;
        break;
    case ParameterItemBase::typePoint:
        if (auto* p = dynamic_cast<const QZ2Command::PointParameterItem*>(pItem))
            p->GetValueText(text);
        break;
    case ParameterItemBase::typeScale:
        if (auto* p = dynamic_cast<const QZ2Command::ScaleParameterItem*>(pItem))
            p->GetValueText(text);
        break;
    case ParameterItemBase::typePointArray:
        if (auto* p = dynamic_cast<const QZ2Command::PointArrayParameterItem*>(pItem))
            text.Format(u"(%d)", p->GetCount());
        break;
    default:
        // Shapes, tables and settings show that they are given, not their contents.
        text = u"*";
        break;
    }
    return text;
}

CString CCommandBar::GetRowCaption(int nRow) const
{
    if (IsHeaderRow(nRow))
        return m_rows[static_cast<size_t>(nRow)].strCaption;
    const ParameterItemBase* pItem = RowItem(nRow);
    return pItem != nullptr ? pItem->m_strCaption : CString();
}

CString CCommandBar::GetRowValueText(int nRow) const
{
    const ParameterItemBase* pItem = RowItem(nRow);
    // A parameter's point shows relative to the user origin, as points are typed; a modifier's
    // points are typed, and shown, in the drawing's own coordinates.
    if (pItem != nullptr && !IsSubRow(nRow) && m_pCommandManager != nullptr &&
        (pItem->GetTypeCode() == ParameterItemBase::typePoint || pItem->GetTypeCode() == ParameterItemBase::typeMulti)) {
        std::unique_ptr<ParameterItemBase> pShown(pItem->Clone());
        if (pShown != nullptr) {
            m_pCommandManager->ConvertPointItemToUser(pShown.get());
            return FormatItem(pShown.get());
        }
    }
    return FormatItem(pItem);
}

void CCommandBar::FillRow(int nRow)
{
    if (m_wndRows.GetSafeHwnd() == nullptr || nRow < 0 || nRow >= m_wndRows.GetItemCount())
        return;
    const ParameterItemBase* pItem = RowItem(nRow);
    CString caption = GetRowCaption(nRow);
    // A required value still missing is marked.
    if (pItem != nullptr && pItem->m_bRequired && pItem->IsEmpty())
        caption += u" *";
    // A modifier's inputs stand indented under its name.
    if (IsSubRow(nRow) && !IsHeaderRow(nRow))
        caption = CString(u"    ") + caption;
    m_wndRows.SetItemText(nRow, 0, caption);
    m_wndRows.SetItemText(nRow, 1, GetRowValueText(nRow));
}

void CCommandBar::ShowSelection()
{
    if (m_wndRows.GetSafeHwnd() == nullptr)
        return;
    m_bSelecting = TRUE;
    for (int i = 0; i < m_wndRows.GetItemCount(); ++i)
        m_wndRows.SetItemState(i, i == m_nSelectedRow ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                               LVIS_SELECTED | LVIS_FOCUSED);
    if (m_nSelectedRow >= 0 && m_nSelectedRow < m_wndRows.GetItemCount())
        m_wndRows.EnsureVisible(m_nSelectedRow, FALSE);
    m_bSelecting = FALSE;
    ShowRowButtons();
}

void CCommandBar::ShowRowButtons()
{
    // A modifier's rows offer only the standard buttons: its inputs take no modifiers of their own.
    const ParameterItemBase* pItem = IsSubRow(m_nSelectedRow) ? nullptr : RowItem(m_nSelectedRow);
    if (pItem != nullptr)
        SetItemType(pItem->GetTypeCode(), pItem->m_bAcceptModifier);
    else
        SetItemType(0, FALSE);
}

BOOL CCommandBar::SetItemType(int nType, BOOL bAcceptModifiers)
{
    if (nType == m_nItemType && (bAcceptModifiers != FALSE) == (m_bAcceptModifiers != FALSE))
        return FALSE;
    m_nItemType = nType;
    m_bAcceptModifiers = bAcceptModifiers;
    RebuildButtons();
    return TRUE;
}

void CCommandBar::RebuildButtons()
{
    if (m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    std::vector<UINT> ids = {ID_END_COMMAND, 0, ID_CONFIRM_VALUE, ID_CLEAR_VALUE};
    std::vector<UINT> group;
    switch (m_nItemType) {
    case ParameterItemBase::typeLength:
        if (m_bAcceptModifiers)
            group = {37152, 37153};
        break;
    case ParameterItemBase::typeAngle:
        if (m_bAcceptModifiers)
            group = {37154, 37155, 37156, 37157};
        break;
    case ParameterItemBase::typePoint:
        if (m_bAcceptModifiers)
            group = {37158, 37159};
        break;
    case ParameterItemBase::typePointArray:
        group = {ID_STEP_BACK};
        if (m_bAcceptModifiers)
            group.insert(group.end(), {37158, 37159});
        break;
    case ParameterItemBase::typeFeatureGroup:
        group = {ID_SELECT_BY_FILTER};
        break;
    default:
        break;
    }
    if (!group.empty()) {
        ids.push_back(0);
        ids.insert(ids.end(), group.begin(), group.end());
    }
    ids.push_back(0);
    ids.push_back(ID_INPUT_OPTIONS);
    m_wndToolBar.SetButtons(ids.data(), static_cast<int>(ids.size()));
    RecalcLayout();
}

LRESULT CCommandBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // The toolbar's buttons follow the frame's update handlers, as the frame's own toolbars do.
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        if (CFrameWnd* pFrame = GetParentFrame())
            m_wndToolBar.OnUpdateCmdUI(pFrame, static_cast<BOOL>(wParam));
    return 0;
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
    m_rows.clear();
    m_nSelectedRow = -1;
    SetItemType(0, FALSE);
    if (m_wndRows.GetSafeHwnd() != nullptr)
        m_wndRows.DeleteAllItems();
    if (m_wndCommands.GetSafeHwnd() != nullptr)
        m_wndCommands.SetCurSel(-1);
    if (m_wndInput.GetSafeHwnd() != nullptr)
        m_wndInput.SetWindowText(u"");
}

void CCommandBar::InsertRow(int nRow, Row row)
{
    m_rows.insert(m_rows.begin() + nRow, std::move(row));
    if (m_nSelectedRow >= nRow)
        ++m_nSelectedRow;
    if (m_wndRows.GetSafeHwnd() != nullptr) {
        m_wndRows.InsertItem(nRow, u"");
        FillRow(nRow);
    }
}

void CCommandBar::DeleteRow(int nRow)
{
    m_rows.erase(m_rows.begin() + nRow);
    if (m_nSelectedRow == nRow)
        m_nSelectedRow = -1;
    else if (m_nSelectedRow > nRow)
        --m_nSelectedRow;
    if (m_wndRows.GetSafeHwnd() != nullptr)
        m_wndRows.DeleteItem(nRow);
}

BOOL CCommandBar::AddParameterRow(int nIndex)
{
    if (m_pCommand == nullptr || nIndex != GetParameterRowCount())
        return FALSE;
    InsertRow(GetRowCount(), Row());
    return TRUE;
}

BOOL CCommandBar::InsertParameterRow(int nIndex)
{
    const int count = GetParameterRowCount();
    if (m_pCommand == nullptr || nIndex < 0 || nIndex > count)
        return FALSE;
    InsertRow(nIndex == count ? GetRowCount() : FindParameterRow(nIndex), Row());
    ShowSelection();
    return TRUE;
}

BOOL CCommandBar::RemoveParameterRow(int nIndex)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    DeleteRow(row);
    // Modifier rows of the parameter would otherwise pass to the parameter above.
    while (IsSubRow(row))
        DeleteRow(row);
    ShowSelection();
    return TRUE;
}

BOOL CCommandBar::UpdateParameterRow(int nIndex, int)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    FillRow(row);
    // The selection follows the parameter the command waits for; a modifier input of that
    // parameter keeps it.
    const int current = m_pCommand->GetCurrentParameterIndex();
    if (current >= 0 && current < GetParameterRowCount() && current != GetRowParameter(m_nSelectedRow))
        SelectParameterRow(current);
    return TRUE;
}

BOOL CCommandBar::SelectParameterRow(int nIndex)
{
    const int row = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (row < 0)
        return FALSE;
    m_nSelectedRow = row;
    ShowSelection();
    // The rows take the focus, not the input line, so the frame's keys (undo, redo ...) keep working.
    if (m_wndRows.GetSafeHwnd() != nullptr && IsWindowVisible())
        m_wndRows.SetFocus();
    return TRUE;
}

// ---- modifier rows -------------------------------------------------------------------------------

BOOL CCommandBar::ShowModifierRows(int nIndex, QZ2Command::ParameterModifierBase* pModifier)
{
    RemoveAllModifierRows();
    const int parameterRow = m_pCommand != nullptr ? FindParameterRow(nIndex) : -1;
    if (pModifier == nullptr || parameterRow < 0)
        return FALSE;
    Row header;
    header.kind = rowModifierHeader;
    header.strCaption = pModifier->GetName();
    int row = parameterRow + 1;
    InsertRow(row, std::move(header));
    const int count = pModifier->GetInputCount();
    for (int i = 0; i < count; ++i) {
        Row input;
        input.kind = rowModifierInput;
        input.nGroup = 0;
        if (const ParameterItemBase* pItem = pModifier->GetInputItem(i))
            input.pItem.reset(pItem->Clone());
        InsertRow(++row, std::move(input));
    }
    if (pModifier->GetInputIndex() != -1)
        SelectModifierRow(pModifier->GetInputIndex());
    else
        ShowSelection();
    return TRUE;
}

BOOL CCommandBar::UpdateModifierRow(int nInput, const ParameterItemBase* pItem, BOOL bRedraw)
{
    const int row = FindModifierInputRow(nInput);
    if (row < 0 || pItem == nullptr)
        return FALSE;
    m_rows[static_cast<size_t>(row)].pItem.reset(pItem->Clone());
    FillRow(row);
    if (bRedraw)
        ShowRowButtons();
    return TRUE;
}

BOOL CCommandBar::SelectModifierRow(int nInput)
{
    const int row = FindModifierInputRow(nInput);
    if (row < 0)
        return FALSE;
    m_nSelectedRow = row;
    ShowSelection();
    if (m_wndRows.GetSafeHwnd() != nullptr && IsWindowVisible())
        m_wndRows.SetFocus();
    return TRUE;
}

BOOL CCommandBar::RemoveModifierRows(int nGroup)
{
    int header = -1;
    for (int i = 0; i + 1 < GetRowCount() && header < 0; ++i) {
        const Row& next = m_rows[static_cast<size_t>(i + 1)];
        if (IsHeaderRow(i) && next.kind == rowModifierInput && next.nGroup == nGroup)
            header = i;
    }
    if (header < 0)
        return FALSE;
    const int owner = GetRowParameter(header);
    const BOOL bSelected = m_nSelectedRow >= header;
    auto belongs = [this, nGroup](int nRow) {
        return IsSubRow(nRow) && (IsHeaderRow(nRow) || m_rows[static_cast<size_t>(nRow)].nGroup >= nGroup);
    };
    DeleteRow(header);
    while (belongs(header))
        DeleteRow(header);
    // A selected input of the modifier hands the selection back to its parameter.
    if (bSelected && m_nSelectedRow < 0)
        m_nSelectedRow = FindParameterRow(owner);
    ShowSelection();
    return TRUE;
}

BOOL CCommandBar::RemoveInnermostModifierRows()
{
    int group = -1;
    for (const Row& row : m_rows)
        if (row.kind == rowModifierInput)
            group = std::max(group, row.nGroup);
    return group >= 0 ? RemoveModifierRows(group) : FALSE;
}

BOOL CCommandBar::RemoveAllModifierRows()
{
    return RemoveModifierRows(0);
}

void CCommandBar::ActivateRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;
    if (IsSubRow(nRow)) {
        const int input = GetRowModifierInput(nRow);
        if (m_pCommandManager != nullptr && IsCommandRunning())
            m_pCommandManager->SetModifierInputIndex(input);
        SelectModifierRow(input);
        return;
    }
    const int nIndex = GetRowParameter(nRow);
    if (m_pCommandManager != nullptr && IsCommandRunning())
        m_pCommandManager->SetCurrentParameter(nullptr, nIndex);
    SelectParameterRow(nIndex);
}

void CCommandBar::OnRowChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (m_bSelecting || pInfo == nullptr || (pInfo->uChanged & LVIF_STATE) == 0 ||
        (pInfo->uNewState & LVIS_SELECTED) == 0 || (pInfo->uOldState & LVIS_SELECTED) != 0)
        return;
    const int row = pInfo->iItem;
    if (row < 0 || row >= GetRowCount())
        return;
    m_nSelectedRow = row;
    ShowRowButtons();
    if (m_pCommandManager == nullptr || !IsCommandRunning() || m_pCommand == nullptr)
        return;
    // A modifier's row makes its input the current one; a parameter row picked by the user becomes
    // the parameter the command waits for, which ends a modifier still collecting input.
    if (IsSubRow(row)) {
        m_pCommandManager->SetModifierInputIndex(GetRowModifierInput(row));
        return;
    }
    const int nIndex = GetRowParameter(row);
    if (m_pCommand->GetCurrentParameterIndex() != nIndex || m_pCommand->HasModifier())
        m_pCommandManager->SetCurrentParameter(nullptr, nIndex);
}

// ---- recent commands -----------------------------------------------------------------------------

void CCommandBar::AddCommandName(const CString& strDisplayName, const CString& strIdentifier)
{
    for (INT_PTR i = m_identifiers.GetSize() - 1; i >= 0; --i) {
        if (m_identifiers[i] == strIdentifier) {
            m_identifiers.RemoveAt(i);
            m_names.RemoveAt(i);
            if (m_wndCommands.GetSafeHwnd() != nullptr)
                m_wndCommands.DeleteString(static_cast<UINT>(i));
        }
    }
    if (m_names.GetSize() >= kMaxCommandNames) {
        const INT_PTR last = m_names.GetSize() - 1;
        m_identifiers.RemoveAt(last);
        m_names.RemoveAt(last);
        if (m_wndCommands.GetSafeHwnd() != nullptr)
            m_wndCommands.DeleteString(static_cast<UINT>(last));
    }
    m_names.InsertAt(0, strDisplayName);
    m_identifiers.InsertAt(0, strIdentifier);
    if (m_wndCommands.GetSafeHwnd() != nullptr) {
        m_wndCommands.InsertString(0, strDisplayName);
        m_wndCommands.SetCurSel(0);
    }
}

CString CCommandBar::GetCommandName(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_names.GetSize() ? m_names[nIndex] : CString();
}

CString CCommandBar::GetCommandIdentifier(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_identifiers.GetSize() ? m_identifiers[nIndex] : CString();
}

BOOL CCommandBar::RunCommandEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_identifiers.GetSize() || m_pCommandManager == nullptr)
        return FALSE;
    // Copied: running the command renews the combo's entries.
    const CString identifier = m_identifiers[nIndex];
    if (identifier.IsEmpty()) {
        if (m_wndCommands.GetSafeHwnd() != nullptr)
            m_wndCommands.SetCurSel(-1);
        return FALSE;
    }
    const UINT nID = CommandManager::GetCommandID(identifier);
    return nID != static_cast<UINT>(-1) ? m_pCommandManager->ExecuteCommand(nID)
                                        : m_pCommandManager->StartCommand(identifier);
}

void CCommandBar::OnCommandSelEndOK()
{
    const int sel = m_wndCommands.GetCurSel();
    if (sel >= 0)
        RunCommandEntry(sel);
}

// ---- typed input ---------------------------------------------------------------------------------

BOOL CCommandBar::IsCommandRunning() const
{
    return m_pCommandManager != nullptr && !m_pCommandManager->GetActiveCommandName().IsEmpty();
}

BOOL CCommandBar::EnterText(const CString& strText)
{
    BOOL bAccepted = FALSE;
    if (IsCommandRunning()) {
        if (strText.IsEmpty()) {
            // Enter on an empty line confirms the row, as a pick would.
            bAccepted = m_pCommandManager->OnEnter();
        } else if (IsSubRow(m_nSelectedRow)) {
            bAccepted = m_pCommandManager->SetModifierInputText(GetRowModifierInput(m_nSelectedRow), strText, TRUE);
        } else if (m_nSelectedRow >= 0 && m_nSelectedRow < GetRowCount()) {
            bAccepted = m_pCommandManager->SetParameterText(GetRowParameter(m_nSelectedRow), strText, TRUE);
        }
    }
    if (m_wndInput.GetSafeHwnd() != nullptr) {
        if (bAccepted) {
            m_wndInput.SetWindowText(u"");
        } else {
            // A refused text stays, selected, for the user to correct.
            m_wndInput.SetWindowText(strText);
            m_wndInput.SetSel(0, -1);
        }
    }
    return bAccepted;
}

void CCommandBar::EscapeInput()
{
    if (m_wndInput.GetSafeHwnd() != nullptr && m_wndInput.GetWindowTextLength() > 0) {
        m_wndInput.SetWindowText(u"");
        return;
    }
    if (m_pCommandManager == nullptr)
        return;
    if (!IsCommandRunning()) {
        m_pCommandManager->OnEscape();
        return;
    }
    // A value is emptied first; Escape on an empty modifier input removes the modifier, on an empty
    // parameter it cancels the command.
    const ParameterItemBase* pItem = RowItem(m_nSelectedRow);
    const BOOL bValue = pItem != nullptr && !pItem->IsEmpty();
    if (IsSubRow(m_nSelectedRow)) {
        if (bValue)
            m_pCommandManager->ClearModifierInput(GetRowModifierInput(m_nSelectedRow), FALSE);
        else
            m_pCommandManager->RemoveActiveModifier();
    } else if (bValue) {
        m_pCommandManager->ClearParameterValue(GetRowParameter(m_nSelectedRow), FALSE);
    } else {
        m_pCommandManager->EndCommand(nullptr, TRUE);
    }
}
