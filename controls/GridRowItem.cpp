#include "controls/GridRowItem.h"

#include <cmath>

#include "controls/CGridCtrl.h"
#include "controls/GridCellItem.h"
#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/gdi/GdiApi.h"
#include "platform/ole/COleDateTime.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CWnd.h"

namespace {

// Check and radio images: 13 pixels square.
constexpr int kImageSize = 13;

void FormatFor(const GridColumnItem& column, Gdiplus::StringFormat& format)
{
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    format.SetAlignment(column.m_nAlignment == GridColumnItem::alignCenter  ? Gdiplus::StringAlignmentCenter
                        : column.m_nAlignment == GridColumnItem::alignRight ? Gdiplus::StringAlignmentFar
                                                                            : Gdiplus::StringAlignmentNear);
}

BOOL IsTextKind(int nKind)
{
    return nKind == GridColumnItem::kindText || nKind == GridColumnItem::kindMultiLineText ||
                   nKind == GridColumnItem::kindFixedText
               ? TRUE
               : FALSE;
}

COleVariant Bool(BOOL b)
{
    return COleVariant(static_cast<short>(b ? -1 : 0), VT_BOOL);
}

}  // namespace

GridRowItem::GridRowItem() = default;

GridRowItem::GridRowItem(const GridRowItem& source) : CObject()
{
    *this = source;
}

GridRowItem& GridRowItem::operator=(const GridRowItem& source)
{
    if (&source == this)
        return *this;
    DeleteCells();
    for (const GridCellItem* pCell : source.m_cells)
        m_cells.push_back(new GridCellItem(*pCell));
    m_bShowRowNumber = source.m_bShowRowNumber;
    m_dwOwnerValue = source.m_dwOwnerValue;
    m_bSelected = source.m_bSelected;
    m_bSelectable = source.m_bSelectable;
    m_pGrid = source.m_pGrid;
    return *this;
}

GridRowItem::~GridRowItem()
{
    DeleteCells();
}

void GridRowItem::DeleteCells()
{
    for (GridCellItem* pCell : m_cells)
        delete pCell;
    m_cells.clear();
}

GridRowItem* GridRowItem::Clone() const
{
    return new GridRowItem(*this);
}

GridCellItem* GridRowItem::FindCell(int nColumn) const
{
    for (GridCellItem* pCell : m_cells) {
        if (pCell->m_nColumn == nColumn)
            return pCell;
    }
    return nullptr;
}

BOOL GridRowItem::IsCellEnabled(int nColumn) const
{
    const GridCellItem* pCell = FindCell(nColumn);
    return pCell == nullptr || pCell->m_bEnabled ? TRUE : FALSE;
}

void GridRowItem::EnableCell(int nColumn, BOOL bEnable)
{
    GridCellItem* pCell = FindCell(nColumn);
    if (pCell == nullptr) {
        pCell = new GridCellItem;
        pCell->m_nColumn = nColumn;
        m_cells.push_back(pCell);
    }
    pCell->m_bEnabled = bEnable;
}

const GridColumnItem* GridRowItem::GetColumn(int nColumn) const
{
    return m_pGrid != nullptr ? m_pGrid->GetColumn(nColumn) : nullptr;
}

CString GridRowItem::VariantToText(const VARIANT& value)
{
    CString text;
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BSTR:
        text = value.bstrVal != nullptr ? CString(value.bstrVal) : CString();
        break;
    case VT_BOOL:
        text = value.boolVal != 0 ? _T("-1") : _T("0");
        break;
    case VT_DATE: {
        const COleDateTime date(value.date);
        if (date.GetStatus() == COleDateTime::valid)
            text.Format(_T("%d/%d/%d"), date.GetYear(), date.GetMonth(), date.GetDay());
        break;
    }
    case VT_R4:
        text.Format(_T("%.7g"), static_cast<double>(value.fltVal));
        break;
    case VT_R8:
        text.Format(_T("%.15g"), value.dblVal);
        break;
    default: {
        COleVariant copy(value);
        try {
            copy.ChangeType(VT_BSTR);
            text = copy.GetString();
        } catch (...) {
            text.Empty();
        }
        break;
    }
    }
    return text;
}

CString GridRowItem::GetDisplayText(const GridColumnItem& column, const VARIANT& value)
{
    if (value.vt == VT_EMPTY)
        return CString();
    switch (column.m_nKind) {
    case GridColumnItem::kindDropDownList:
    case GridColumnItem::kindCycle: {
        const int index = column.FindItemIndex(value);
        return index >= 0 && index < column.m_displayTexts.GetSize() ? column.m_displayTexts[index] : CString();
    }
    case GridColumnItem::kindMultiLineText: {
        CString text = VariantToText(value);
        const int lf = text.Find(_T('\n'));
        if (lf >= 0)
            text = text.Left(lf);
        text.TrimRight(_T("\r"));
        return text;
    }
    case GridColumnItem::kindCheck:
    case GridColumnItem::kindRadio:
        return CString();
    default:
        return VariantToText(value);
    }
}

void GridRowItem::DrawCell(Gdiplus::Graphics& graphics, int nRow, int nColumn, const GridColumnItem& column,
                           const CRect& rcCell, const Gdiplus::Font& font, const Gdiplus::Brush& textBrush)
{
    (void)nRow;
    const GridCellItem* pCell = FindCell(nColumn);
    if (pCell == nullptr)
        return;
    const Gdiplus::Brush* pText = &textBrush;
    Gdiplus::SolidBrush grey(Gdiplus::Color(0, 0, 0));
    if (!pCell->m_bEnabled) {
        Gdiplus::Color face;
        face.SetFromCOLORREF(GetSysColor(COLOR_BTNFACE));
        Gdiplus::SolidBrush faceBrush(face);
        graphics.FillRectangle(&faceBrush, rcCell.left + 1, rcCell.top + 1, rcCell.Width() - 1, rcCell.Height() - 1);
        Gdiplus::Color greyText;
        greyText.SetFromCOLORREF(GetSysColor(COLOR_GRAYTEXT));
        grey.SetColor(greyText);
        pText = &grey;
    }
    if (pCell->m_value.vt == VT_EMPTY)
        return;
    if (column.m_nKind == GridColumnItem::kindCheck || column.m_nKind == GridColumnItem::kindRadio) {
        const BOOL bOn = pCell->m_value.vt == VT_BOOL ? pCell->m_value.boolVal != 0 : FALSE;
        if (m_pGrid != nullptr)
            m_pGrid->DrawStateImage(graphics, column.m_nKind, bOn, rcCell);
        return;
    }
    const CString text = GetDisplayText(column, pCell->m_value);
    if (text.IsEmpty())
        return;
    Gdiplus::StringFormat format;
    FormatFor(column, format);
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rcCell.left + 2), static_cast<Gdiplus::REAL>(rcCell.top + 1),
                                static_cast<Gdiplus::REAL>(rcCell.Width() - 4), static_cast<Gdiplus::REAL>(rcCell.Height() - 2));
    graphics.DrawString(text, text.GetLength(), &font, layout, &format, pText);
}

CSize GridRowItem::MeasureCell(Gdiplus::Graphics& graphics, int nRow, int nColumn, const CRect& rcLayout,
                               const Gdiplus::Font& font)
{
    (void)nRow;
    const GridCellItem* pCell = FindCell(nColumn);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pCell == nullptr || pColumn == nullptr)
        return CSize(0, 0);
    if (pColumn->m_nKind == GridColumnItem::kindCheck || pColumn->m_nKind == GridColumnItem::kindRadio)
        return CSize(kImageSize + 4, kImageSize + 2);
    const CString text = GetDisplayText(*pColumn, pCell->m_value);
    if (text.IsEmpty())
        return CSize(0, 0);
    Gdiplus::StringFormat format;
    FormatFor(*pColumn, format);
    format.SetTrimming(Gdiplus::StringTrimmingNone);
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rcLayout.left), static_cast<Gdiplus::REAL>(rcLayout.top), 100000.0f,
                                static_cast<Gdiplus::REAL>(rcLayout.Height() > 0 ? rcLayout.Height() : 1000));
    Gdiplus::RectF bounds;
    graphics.MeasureString(text, text.GetLength(), &font, layout, &format, &bounds);
    return CSize(static_cast<int>(std::ceil(bounds.Width)) + 4, static_cast<int>(std::ceil(bounds.Height)) + 2);
}

BOOL GridRowItem::OnBeginEdit(int, int, int, CWnd*)
{
    return TRUE;
}

BOOL GridRowItem::LoadEditor(int nRow, int nColumn, int nKind, CWnd* pEditor)
{
    (void)nRow;
    const GridCellItem* pCell = FindCell(nColumn);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pCell == nullptr || pColumn == nullptr || pEditor == nullptr)
        return FALSE;
    switch (nKind) {
    case GridColumnItem::kindText:
    case GridColumnItem::kindMultiLineText:
    case GridColumnItem::kindFixedText:
    case GridColumnItem::kindEditableCombo:
        pEditor->SetWindowText(VariantToText(pCell->m_value));
        break;
    case GridColumnItem::kindDropDownList: {
        auto* pCombo = dynamic_cast<CComboBox*>(pEditor);
        if (pCombo == nullptr || pCell->m_value.vt == VT_EMPTY)
            break;
        pCombo->SetCurSel(pColumn->FindItemIndex(pCell->m_value));
        break;
    }
    case GridColumnItem::kindDate:
        if (pCell->m_value.vt != VT_EMPTY)
            pEditor->SetWindowText(VariantToText(pCell->m_value));
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL GridRowItem::SaveEditor(int nRow, int nColumn, int nKind, CWnd* pEditor)
{
    const GridCellItem* pCell = FindCell(nColumn);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pCell == nullptr || !pCell->m_bEnabled || pColumn == nullptr || pEditor == nullptr)
        return FALSE;
    if (IsTextKind(nKind)) {
        CString text;
        pEditor->GetWindowText(text);
        const COleVariant value(text);
        if (value == pCell->m_value)
            return TRUE;
        if (!NotifyValueChanging(nRow, nColumn, &value))
            return FALSE;
        return SetValue(nColumn, &value);
    }
    if (nKind == GridColumnItem::kindEditableCombo) {
        CString text;
        auto* pCombo = dynamic_cast<CComboBox*>(pEditor);
        const int sel = pCombo != nullptr ? pCombo->GetCurSel() : -1;
        if (sel >= 0)
            pCombo->GetLBText(sel, text);
        else
            pEditor->GetWindowText(text);
        const COleVariant value(text);
        if (value == pCell->m_value)
            return TRUE;
        return SetValue(nColumn, &value);
    }
    if (nKind == GridColumnItem::kindDropDownList) {
        auto* pCombo = dynamic_cast<CComboBox*>(pEditor);
        const int sel = pCombo != nullptr ? pCombo->GetCurSel() : -1;
        if (sel < 0)
            return FALSE;
        const LONG n = pColumn->HasItemData() ? static_cast<LONG>(pColumn->m_itemData[sel]) : sel;
        const COleVariant value(n, VT_I4);
        if (value == pCell->m_value)
            return TRUE;
        return SetValue(nColumn, &value);
    }
    if (nKind == GridColumnItem::kindDate) {
        // "y/m/d"; what does not parse keeps the editor open.
        CString text;
        pEditor->GetWindowText(text);
        text.Trim();
        COleVariant value;
        if (!text.IsEmpty()) {
            int y = 0;
            int m = 0;
            int d = 0;
            wchar_t tail = 0;
            const std::wstring wide(text.GetString(), text.GetString() + text.GetLength());
            if (std::swscanf(wide.c_str(), L"%d/%d/%d%lc", &y, &m, &d, &tail) != 3)
                return FALSE;
            COleDateTime date;
            if (date.SetDate(y, m, d) != 0 || date.GetStatus() != COleDateTime::valid)
                return FALSE;
            value = date;
        }
        if (value == pCell->m_value)
            return TRUE;
        return SetValue(nColumn, &value);
    }
    return TRUE;
}

BOOL GridRowItem::NotifyValueChanging(int nRow, int nColumn, const VARIANT* pNewValue)
{
    if (m_pGrid == nullptr)
        return TRUE;
    return m_pGrid->SendCellNotify(GridCellNotify::kValueChanging, nRow, nColumn, pNewValue, TRUE) == 0 ? TRUE : FALSE;
}

BOOL GridRowItem::StoreChanged(int nColumn, const VARIANT& value)
{
    GridCellItem* pCell = FindCell(nColumn);
    if (pCell == nullptr || !pCell->m_bEnabled)
        return FALSE;
    if (pCell->m_value == value)
        return FALSE;
    return SetValue(nColumn, &value);
}

BOOL GridRowItem::SetCheck(int, int nColumn, BOOL bCheck)
{
    return StoreChanged(nColumn, Bool(bCheck));
}

BOOL GridRowItem::SetIntValue(int, int nColumn, int nValue)
{
    return StoreChanged(nColumn, COleVariant(static_cast<LONG>(nValue), VT_I4));
}

BOOL GridRowItem::SetToggle(int nRow, int nColumn, BOOL bOn)
{
    return SetCheck(nRow, nColumn, bOn);
}

BOOL GridRowItem::ClearCell(int nRow, int nColumn, int nKind)
{
    const GridCellItem* pCell = FindCell(nColumn);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pCell == nullptr || !pCell->m_bEnabled || pColumn == nullptr)
        return FALSE;
    switch (nKind) {
    case GridColumnItem::kindText:
    case GridColumnItem::kindMultiLineText:
    case GridColumnItem::kindFixedText:
    case GridColumnItem::kindEditableCombo: {
        const COleVariant empty(_T(""));
        if (empty == pCell->m_value)
            return TRUE;
        if (!NotifyValueChanging(nRow, nColumn, &empty))
            return FALSE;
        return SetValue(nColumn, &empty);
    }
    case GridColumnItem::kindDropDownList:
    case GridColumnItem::kindCycle:
        if (pColumn->m_defaultValue.vt == VT_EMPTY)
            return FALSE;
        if (pColumn->m_defaultValue == pCell->m_value)
            return TRUE;
        return SetValue(nColumn, &pColumn->m_defaultValue);
    case GridColumnItem::kindDate: {
        if (pCell->m_value.vt == VT_EMPTY)
            return TRUE;
        const COleVariant empty;
        return SetValue(nColumn, &empty);
    }
    default:
        return TRUE;
    }
}

BOOL GridRowItem::GetCellText(int, int nColumn, CString& text)
{
    const GridCellItem* pCell = FindCell(nColumn);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pCell == nullptr || pColumn == nullptr || pCell->m_value.vt == VT_EMPTY ||
        pColumn->m_nKind == GridColumnItem::kindCheck || pColumn->m_nKind == GridColumnItem::kindRadio)
        return FALSE;
    if (pColumn->m_nKind == GridColumnItem::kindCycle) {
        // The item text at the value's index.
        const int index = pCell->m_value.vt == VT_I4 ? pCell->m_value.lVal : -1;
        text = index >= 0 && index < pColumn->m_itemTexts.GetSize() ? pColumn->m_itemTexts[index] : CString();
        return TRUE;
    }
    text = GetDisplayText(*pColumn, pCell->m_value);
    return TRUE;
}

BOOL GridRowItem::GetValue(int nColumn, VARIANT* pValue) const
{
    const GridCellItem* pCell = FindCell(nColumn);
    if (pCell == nullptr || pValue == nullptr)
        return FALSE;
    VariantClear(pValue);
    return VariantCopy(pValue, &pCell->m_value) == S_OK ? TRUE : FALSE;
}

BOOL GridRowItem::SetValue(int nColumn, const VARIANT* pValue)
{
    GridCellItem* pCell = FindCell(nColumn);
    if (pCell == nullptr) {
        pCell = new GridCellItem;
        pCell->m_nColumn = nColumn;
        m_cells.push_back(pCell);
    }
    if (pValue == nullptr)
        pCell->m_value.Clear();
    else
        pCell->m_value = *pValue;
    return TRUE;
}
