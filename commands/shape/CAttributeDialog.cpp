#include "commands/shape/CAttributeDialog.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/CRect.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinConstants.h"

using QZ2Command::AttributeRows;

namespace {

constexpr UINT kShapesTitle = 10011;
constexpr UINT kComponentsTitle = 10012;
constexpr UINT kDuplicateOnOk = 10013;
constexpr UINT kDuplicateTyped = 10015;
constexpr UINT kNameTitle = 10016;
constexpr UINT kValueTitle = 10017;
constexpr UINT kDefaultName = 10018;
constexpr UINT kHelpBitmap = 404;
enum { columnShared = 0, columnName = 1, columnValue = 2 };

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAttributeDialog, CDialog)
ON_BN_CLICKED(CAttributeDialog::kAdd, &CAttributeDialog::OnAdd)
ON_BN_CLICKED(CAttributeDialog::kDelete, &CAttributeDialog::OnDelete)
ON_BN_CLICKED(CAttributeDialog::kCopyAll, &CAttributeDialog::OnCopyAll)
ON_COMMAND(CAttributeDialog::kCopySelection, &CAttributeDialog::OnCopySelection)
END_MESSAGE_MAP()

CAttributeDialog::CAttributeDialog(int nMode, Draw2dDocument* pDocument, CWnd* pParent)
    : CDialog(IDD, pParent), m_nMode(nMode), m_pDocument(pDocument)
{
}

CAttributeDialog::~CAttributeDialog()
{
    m_lists.clear();
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.DestroyWindow();
}

void CAttributeDialog::SetFeatureAttribute(const FeatureAttribute& attributes, long nID)
{
    m_lists.emplace(nID, attributes);
}

FeatureAttribute& CAttributeDialog::GetFeatureAttribute(long nID) { return m_lists[nID]; }

void CAttributeDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (GetDlgItem(kHelpButton) != nullptr && m_helpButton.GetSafeHwnd() == nullptr)
        DDX_Control(pDX, kHelpButton, m_helpButton);
    DDX_Check(pDX, kDefinitionOption, m_bDefinitionOption);
    DDX_Check(pDX, kNumberColumn, m_bNumberColumn);
}

BOOL CAttributeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (long id = m_pDocument != nullptr ? m_pDocument->GetNextFeatureRecordID(-1) : -1; id != -1;
         id = m_pDocument->GetNextFeatureRecordID(id)) {
        const Feature2dBase* pFeature = m_pDocument->GetFeature(id);
        const FeatureAttribute* pList = pFeature != nullptr ? pFeature->GetAttribute() : nullptr;
        for (int i = 0; pList != nullptr && i < pList->GetAttributeCount(); ++i) {
            m_knownNames.insert(pList->GetAttributeName(i));
            m_knownValues.insert(pList->GetAttributeValue(i));
        }
    }
    CreateGrid();
    m_rows.Build(m_lists);
    FillGrid();
    if (m_nMode == modeComponents) {
        GetDlgItem(kAdd)->EnableWindow(FALSE);
        GetDlgItem(kDelete)->EnableWindow(FALSE);
    }
    if (m_nMode != modeShapes) {
        if (CWnd* p = GetDlgItem(kNumberColumn))
            p->ShowWindow(SW_HIDE);
    }
    SetWindowText(LoadText(m_nMode == modeShapes ? kShapesTitle : kComponentsTitle));
    if (m_helpButton.GetSafeHwnd() != nullptr)
        m_helpButton.SetImage(kHelpBitmap);
    return TRUE;
}

void CAttributeDialog::CreateGrid()
{
    CWnd* pPlaceholder = GetDlgItem(kPlaceholder);
    CRect rect;
    pPlaceholder->GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (m_nMode != modeDefinition) {
        if (CWnd* pOption = GetDlgItem(kDefinitionOption)) {
            CRect option;
            pOption->GetWindowRect(&option);
            ScreenToClient(&option);
            pOption->ShowWindow(SW_HIDE);
            rect.bottom = option.bottom;
        }
    }
    m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, kGrid);
    m_grid.ModifyStyleEx(0, WS_EX_STATICEDGE);
    m_grid.SetFont(GetFont());
    m_grid.ShowRowHeader(TRUE);
    m_grid.EnableMultiSelect(TRUE);
    m_grid.EnableHeaderNotify(FALSE);
    int w = static_cast<int>(std::floor((rect.Width() - m_grid.GetRowHeaderWidth() - 10) / 3.0)) - 1;
    GridColumnItem shared;
    shared.m_nWidth = 10;
    shared.m_nAlignment = GridColumnItem::alignCenter;
    m_grid.InsertColumn(columnShared, shared);
    GridColumnItem name;
    name.m_strTitle = LoadText(kNameTitle);
    name.m_nWidth = w < 0 ? 10 : w;
    name.m_nKind = m_nMode == modeComponents ? GridColumnItem::kindReadOnly : GridColumnItem::kindEditableCombo;
    for (const CString& text : m_knownNames)
        name.m_itemTexts.Add(text);
    m_grid.InsertColumn(columnName, name);
    GridColumnItem value;
    value.m_strTitle = LoadText(kValueTitle);
    value.m_nWidth = w < 0 ? 10 : 2 * w;
    value.m_nKind = GridColumnItem::kindEditableCombo;
    for (const CString& text : m_knownValues)
        value.m_itemTexts.Add(text);
    m_grid.InsertColumn(columnValue, value);
}

void CAttributeDialog::FillGrid()
{
    m_grid.DeleteAllRows(FALSE);
    const auto& rows = m_rows.GetRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name.IsEmpty() && rows[i].changed)
            continue;
        GridRowItem row;
        row.m_dwOwnerValue = static_cast<DWORD>(i);
        const COleVariant mark(CString(rows[i].shared ? _T("*") : _T("")));
        const COleVariant name(rows[i].name);
        const COleVariant value(rows[i].value);
        row.SetValue(columnShared, mark);
        row.SetValue(columnName, name);
        row.SetValue(columnValue, value);
        m_grid.InsertRow(-1, row, FALSE);
    }
    m_grid.Invalidate();
    if (m_grid.GetRowCount() > 0)
        m_grid.SetCurrentCell(0, columnValue);
}

CString CAttributeDialog::CellText(int nRow, int nColumn) const
{
    COleVariant value;
    m_grid.GetCellValue(nRow, nColumn, &value);
    return value.GetString();
}

BOOL CAttributeDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNotify = reinterpret_cast<const GridCellNotify*>(lParam);
    if (pNotify == nullptr || pNotify->hdr.idFrom != kGrid)
        return CDialog::OnNotify(wParam, lParam, pResult);
    const int nRow = pNotify->nRow;
    GridRowItem* pRow = nRow >= 0 ? m_grid.GetRow(nRow) : nullptr;
    const int nIndex = pRow != nullptr ? static_cast<int>(pRow->m_dwOwnerValue) : -1;
    switch (pNotify->hdr.code) {
    case GridCellNotify::kCurrentCell:
        if (m_nMode != modeComponents)
            GetDlgItem(kDelete)->EnableWindow(m_grid.GetCurrentRow() >= 0);
        *pResult = 0;
        return TRUE;
    case GridCellNotify::kValueChanging: {
        *pResult = 0;
        if (pNotify->nColumn != columnName)
            return TRUE;
        COleVariant proposed(pNotify->value);
        const CString name = proposed.GetString();
        if (m_nMode == modeComponents || name.IsEmpty()) {
            *pResult = 1;
            return TRUE;
        }
        if (m_rows.FindOtherName(nIndex, name) >= 0)
            AfxMessageBox(kDuplicateTyped, MB_ICONEXCLAMATION);
        return TRUE;
    }
    case GridCellNotify::kCellChanged: {
        const CString text = CellText(nRow, pNotify->nColumn);
        if (pNotify->nColumn == columnName) {
            m_rows.SetName(nIndex, text);
            m_knownNames.insert(text);
        } else if (pNotify->nColumn == columnValue) {
            m_rows.SetValue(nIndex, text);
            m_knownValues.insert(text);
        }
        *pResult = 0;
        return TRUE;
    }
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

void CAttributeDialog::OnAdd()
{
    if (m_nMode == modeComponents)
        return;
    m_grid.EndEdit(TRUE, TRUE);
    const int nIndex = m_rows.AddRow(LoadText(kDefaultName));
    GridRowItem row;
    row.m_dwOwnerValue = static_cast<DWORD>(nIndex);
    const COleVariant mark(CString(_T("")));
    const COleVariant name(m_rows.GetRows()[nIndex].name);
    const COleVariant value(CString(_T("")));
    row.SetValue(columnShared, mark);
    row.SetValue(columnName, name);
    row.SetValue(columnValue, value);
    const int nRow = m_grid.InsertRow(-1, row, TRUE);
    m_grid.SetCurrentCell(nRow, columnName);
    m_grid.BeginEdit(nRow, columnName);
}

void CAttributeDialog::OnDelete()
{
    const int nRow = m_grid.GetCurrentRow();
    if (m_nMode == modeComponents || nRow < 0)
        return;
    m_grid.EndEdit(FALSE, TRUE);
    m_rows.DeleteRow(static_cast<int>(m_grid.GetRow(nRow)->m_dwOwnerValue));
    m_grid.DeleteRow(nRow);
}

void CAttributeDialog::OnOK()
{
    m_grid.EndEdit(TRUE, TRUE);
    if (!UpdateData(TRUE))
        return;
    AttributeRows::Lists result;
    CString duplicate;
    if (!m_rows.Apply(m_lists, result, duplicate, m_nMode == modeDefinition)) {
        CString text;
        text.Format(LoadText(kDuplicateOnOk), static_cast<LPCTSTR>(duplicate));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    m_lists = result;
    EndDialog(IDOK);
}

CString CAttributeDialog::MakeCopyText(BOOL bSelectionOnly)
{
    m_grid.EndEdit(TRUE, TRUE);
    UpdateData(TRUE);
    AttributeRows::Lists scratch;
    CString duplicate;
    if (!m_rows.Apply(m_lists, scratch, duplicate, m_nMode == modeDefinition)) {
        CString text;
        text.Format(LoadText(kDuplicateOnOk), static_cast<LPCTSTR>(duplicate));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return CString();
    }
    if (bSelectionOnly && m_grid.GetSelectedRowCount() == 0) {
        // Without a selection the current cell's text alone.
        const int nRow = m_grid.GetCurrentRow();
        const int nColumn = m_grid.GetCurrentColumn();
        const CString text = nRow >= 0 && nColumn >= 0 ? CellText(nRow, nColumn) : CString();
        return text == _T("*") ? CString() : text;
    }
    std::vector<CString> names;
    for (int r = 0; r < m_grid.GetRowCount(); ++r) {
        if (!bSelectionOnly || m_grid.IsRowSelected(r))
            names.push_back(CellText(r, columnName));
    }
    std::map<long, long> numbers;
    if (m_nMode == modeShapes && m_pDocument != nullptr) {
        for (const auto& [id, list] : scratch) {
            const Feature2dBase* pFeature = m_pDocument->GetFeature(id);
            numbers[id] = pFeature != nullptr ? pFeature->GetFeatureNo() : 0;
        }
    }
    return AttributeRows::MakeText(scratch, names, m_nMode == modeShapes && m_bNumberColumn, numbers);
}

void CAttributeDialog::PutOnClipboard(const CString& text)
{
    if (text.IsEmpty() || !::OpenClipboard(m_hWnd))
        return;
    ::EmptyClipboard();
    const SIZE_T nBytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(TCHAR);
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBytes);
    if (hBlock != nullptr) {
        if (void* pBytes = ::GlobalLock(hBlock)) {
            std::memcpy(pBytes, static_cast<LPCTSTR>(text), nBytes);
            ::GlobalUnlock(hBlock);
            if (::SetClipboardData(CF_UNICODETEXT, hBlock) == nullptr)
                ::GlobalFree(hBlock);
        } else {
            ::GlobalFree(hBlock);
        }
    }
    ::CloseClipboard();
}

void CAttributeDialog::OnCopyAll() { PutOnClipboard(MakeCopyText(FALSE)); }

void CAttributeDialog::OnCopySelection() { PutOnClipboard(MakeCopyText(TRUE)); }
