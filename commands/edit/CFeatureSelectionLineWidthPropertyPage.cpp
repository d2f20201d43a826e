#include "commands/edit/CFeatureSelectionLineWidthPropertyPage.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/SelectionFilter.h"

CFeatureSelectionLineWidthPropertyPage::CFeatureSelectionLineWidthPropertyPage() : CFeatureSelectionNumberListPage(IDD, kControl) {}
CFeatureSelectionLineWidthPropertyPage::~CFeatureSelectionLineWidthPropertyPage() = default;

void CFeatureSelectionLineWidthPropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetLineWidthFilter();
}

void CFeatureSelectionLineWidthPropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetLineWidthFilter() = m_filter;
}

std::vector<short> CFeatureSelectionLineWidthPropertyPage::UsedNumbers() const
{
    return m_pDocument->GetUsedFeatureLineWidthNoMap();
}

CString CFeatureSelectionLineWidthPropertyPage::RowText(short nNumber) const
{
    const LineWidthFeatureTable* pTable = m_pDocument->GetLineWidthFeatureTable();
    CString text;
    text.Format(_T("%d: %.2f"), nNumber, pTable != nullptr ? pTable->GetLineWidth(nNumber) : 0.0);
    return text;
}

BOOL CFeatureSelectionLineWidthPropertyPage::IsInFilter(short nNumber) const
{
    return m_filter.GetLineWidthFilter(nNumber) != 0 ? TRUE : FALSE;
}

void CFeatureSelectionLineWidthPropertyPage::ClearFilter()
{
    m_filter.ClearAllLineWidthFilters();
}

void CFeatureSelectionLineWidthPropertyPage::AddToFilter(short nNumber)
{
    m_filter.SetLineWidthFilter(nNumber, TRUE);
}
