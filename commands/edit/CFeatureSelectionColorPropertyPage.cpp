#include "commands/edit/CFeatureSelectionColorPropertyPage.h"

#include "controls/SamplePainters.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "libs/vevure/ColorFeature.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/SelectionFilter.h"

BEGIN_MESSAGE_MAP(CFeatureSelectionColorPropertyPage, CFeatureSelectionNumberListPage)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CFeatureSelectionColorPropertyPage::CFeatureSelectionColorPropertyPage() : CFeatureSelectionNumberListPage(IDD, kControl) {}
CFeatureSelectionColorPropertyPage::~CFeatureSelectionColorPropertyPage() = default;

void CFeatureSelectionColorPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetColorFilter();
}

void CFeatureSelectionColorPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetColorFilter() = m_filter;
}

std::vector<short> CFeatureSelectionColorPropertyPage::UsedNumbers() const
{
    return m_pDocument->GetUsedFeatureColorNoMap();
}

CString CFeatureSelectionColorPropertyPage::RowText(short nNumber) const
{
    CString text;
    text.Format(_T("%d"), nNumber);
    return text;
}

BOOL CFeatureSelectionColorPropertyPage::IsInFilter(short nNumber) const
{
    return m_filter.GetColorFilter(nNumber) != 0 ? TRUE : FALSE;
}

void CFeatureSelectionColorPropertyPage::ClearFilter()
{
    m_filter.ClearAllColorFilters();
}

void CFeatureSelectionColorPropertyPage::AddToFilter(short nNumber)
{
    m_filter.SetColorFilter(nNumber, TRUE);
}

void CFeatureSelectionColorPropertyPage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kControl || lpDrawItemStruct == nullptr || m_pDocument == nullptr ||
        lpDrawItemStruct->itemID >= static_cast<UINT>(m_list.GetCount())) {
        CFeatureSelectionNumberListPage::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    // The list has drawn the box and the number; the colour fills the row after "n: ".
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CFont* pFont = m_list.GetFont();
    const short nNumber = RowNumber(static_cast<int>(lpDrawItemStruct->itemID));
    CString number;
    number.Format(_T("%d: "), nNumber);
    CFont* pOld = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    const int nTextWidth = pDC->GetTextExtent(number).cx;
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    CRect rect(lpDrawItemStruct->rcItem);
    rect.left += nTextWidth + 16;
    if (rect.left >= rect.right)
        return;
    const ColorFeatureTable* pColors = m_pDocument->GetColorFeatureTable();
    const ColorFeature* pColor = pColors != nullptr ? pColors->GetColor(nNumber) : nullptr;
    DrawColorItem(pDC, pFont, &rect, nNumber, pColor, (lpDrawItemStruct->itemState & ODS_SELECTED) != 0 ? TRUE : FALSE,
                  FALSE, TRUE, FALSE, FALSE, FALSE, FALSE);
}
