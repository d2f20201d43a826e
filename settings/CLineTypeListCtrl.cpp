#include "settings/CLineTypeListCtrl.h"

#include "controls/SamplePainters.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNAMIC(CLineTypeListCtrl, CListCtrl)

namespace {

constexpr int kSegmentColumns = 10;

}  // namespace

CLineTypeListCtrl::CLineTypeListCtrl() = default;
CLineTypeListCtrl::~CLineTypeListCtrl() = default;

BOOL CLineTypeListCtrl::SetLineTypeTable(const LineTypeFeatureTable* pTable)
{
    m_pTable = pTable;
    m_bMaxNameWidthValid = FALSE;
    const int rows = pTable != nullptr ? pTable->GetLineTypeSize() - 1 : 0;
    SetRedraw(FALSE);
    for (int r = 0; r < rows; ++r) {
        CString text;
        text.Format(_T("%s"), static_cast<LPCTSTR>(pTable->GetAt(r + 1)->GetLineTypeName()));
        if (r < GetItemCount())
            SetItemText(r, 0, text);
        else
            InsertItem(r, text);
    }
    while (GetItemCount() > (rows > 0 ? rows : 0))
        DeleteItem(GetItemCount() - 1);
    SetRedraw(TRUE);
    Invalidate(FALSE);
    return TRUE;
}

void CLineTypeListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr || m_pTable == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    if (pDC == nullptr || row < 0 || row + 1 >= m_pTable->GetLineTypeSize())
        return;
    // Row and table position go together; the name in the row's text is no key (see the dialog).
    const LineTypeFeature* pType = m_pTable->GetAt(row + 1);
    if (!m_bMaxNameWidthValid) {
        m_nMaxNameWidth = GetMaxLineTypeNameWidth(pDC, GetFont(), m_pTable);
        m_bMaxNameWidthValid = TRUE;
    }
    const UINT state = lpDrawItemStruct->itemState;
    const BOOL bSelected = (state & ODS_SELECTED) != 0;
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const COLORREF back = GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF text = GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    pDC->FillSolidRect(&rcItem, back);
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* pOldPen = pDC->SelectObject(&shadow);
    const COLORREF oldText = pDC->SetTextColor(text);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(GetFont());

    int left = rcItem.left;
    for (int col = 0; col <= kSegmentColumns; ++col) {
        const int width = GetColumnWidth(col);
        CRect rc(left, rcItem.top, left + width, rcItem.bottom);
        if (col == 0) {
            DrawLineTypeItem(pDC, GetFont(), &rc, pType->GetLineTypeNo(), pType, bSelected,
                             (state & ODS_DISABLED) != 0, FALSE, FALSE, TRUE, TRUE, FALSE, FALSE,
                             m_pTable->GetLineTypeSize() > 16, FALSE, m_nMaxNameWidth);
        } else if (col <= pType->GetLineTypeSegment()) {
            CString value;
            value.Format(_T("%.*g"), 15, pType->GetLineTypeSegmentAt(col - 1));
            CRect rcText = rc;
            rcText.DeflateRect(2, 0);
            pDC->DrawText(value, &rcText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        pDC->MoveTo(rc.right - 1, rc.top);
        pDC->LineTo(rc.right - 1, rc.bottom);
        left += width;
    }
    // The fixed line types end with row 14.
    if (row == LineTypeFeatureTable::kFixedLineTypeCount - 1 && m_pTable->GetLineTypeSize() > 16) {
        pDC->MoveTo(rcItem.left, rcItem.bottom - 1);
        pDC->LineTo(rcItem.right, rcItem.bottom - 1);
    }
    if ((state & ODS_FOCUS) != 0 && GetFocus() == this)
        pDC->DrawFocusRect(&rcItem);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldPen);
}
