#include "commands/edit/CFeatureSelectionLineTypePropertyPage.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/SelectionFilter.h"

CFeatureSelectionLineTypePropertyPage::CFeatureSelectionLineTypePropertyPage() : CFeatureSelectionNumberListPage(IDD, kControl) {}
CFeatureSelectionLineTypePropertyPage::~CFeatureSelectionLineTypePropertyPage() = default;

void CFeatureSelectionLineTypePropertyPage::LoadFilter(const SelectionFilter& filter)
{
    m_filter = filter.GetLineTypeFilter();
}

void CFeatureSelectionLineTypePropertyPage::StoreFilter(SelectionFilter& filter) const
{
    filter.GetLineTypeFilter() = m_filter;
}

std::vector<short> CFeatureSelectionLineTypePropertyPage::UsedNumbers() const
{
    return m_pDocument->GetUsedFeatureLineTypeNoMap();
}

CString CFeatureSelectionLineTypePropertyPage::RowText(short nNumber) const
{
    const LineTypeFeatureTable* pTable = m_pDocument->GetLineTypeFeatureTable();
    CString text;
    text.Format(_T("%d: %s"), nNumber, pTable != nullptr ? static_cast<LPCTSTR>(pTable->GetLineTypeName(nNumber)) : _T(""));
    return text;
}

BOOL CFeatureSelectionLineTypePropertyPage::IsInFilter(short nNumber) const
{
    return m_filter.IsExistLineTypeFilter(nNumber) ? TRUE : FALSE;
}

void CFeatureSelectionLineTypePropertyPage::ClearFilter()
{
    m_filter.ClearAllLineTypeFilters();
}

void CFeatureSelectionLineTypePropertyPage::AddToFilter(short nNumber)
{
    m_filter.AddLineTypeFilter(nNumber);
}
