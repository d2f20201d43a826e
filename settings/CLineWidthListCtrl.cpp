#include "settings/CLineWidthListCtrl.h"

#include "controls/SamplePainters.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CLineWidthListCtrl, CListCtrl)

CLineWidthListCtrl::CLineWidthListCtrl() = default;
CLineWidthListCtrl::~CLineWidthListCtrl() = default;

BOOL CLineWidthListCtrl::SetLineWidthTable(const LineWidthFeatureTable* pTable)
{
    DeleteAllItems();
    m_pTable = pTable;
    if (pTable == nullptr || pTable->GetLineWidthSize() < 2)
        return TRUE;
    for (int no = 1; no < pTable->GetLineWidthSize(); ++no) {
        CString text;
        text.Format(_T("%d:%.*g"), no, 15, pTable->GetLineWidth(no));
        InsertItem(no - 1, text);
    }
    return TRUE;
}

void CLineWidthListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr || m_pTable == nullptr)
        return;
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    const LineWidthFeature* pWidth = m_pTable->GetLineWidthFeature(static_cast<short>(row + 1));
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pWidth == nullptr || pDC == nullptr)
        return;
    const UINT state = lpDrawItemStruct->itemState;
    DrawLineWidthItem(pDC, GetFont(), &lpDrawItemStruct->rcItem, row + 1, pWidth, (state & ODS_SELECTED) != 0,
                      (state & ODS_DISABLED) != 0, (state & ODS_FOCUS) != 0, TRUE, TRUE, TRUE, TRUE, TRUE, FALSE, FALSE,
                      0);
}
