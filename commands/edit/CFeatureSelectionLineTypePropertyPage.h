#pragma once
// The line type numbers the document's shapes use, with their names; the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionCheckListPage.h"
#include "libs/vevure/SelectionLineTypeFilter.h"

class CFeatureSelectionLineTypePropertyPage : public CFeatureSelectionNumberListPage
{
public:
    enum { IDD = 543 };
    enum : int { kControl = 2468 };

    CFeatureSelectionLineTypePropertyPage();
    ~CFeatureSelectionLineTypePropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }

    SelectionLineTypeFilter m_filter;

protected:
    std::vector<short> UsedNumbers() const override;
    CString RowText(short nNumber) const override;
    BOOL IsInFilter(short nNumber) const override;
    void ClearFilter() override;
    void AddToFilter(short nNumber) override;
};
