#pragma once
// The line width numbers the document's shapes use, with their widths; the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionCheckListPage.h"
#include "libs/vevure/SelectionLineWidthFilter.h"

class CFeatureSelectionLineWidthPropertyPage : public CFeatureSelectionNumberListPage
{
public:
    enum { IDD = 544 };
    enum : int { kControl = 2469 };

    CFeatureSelectionLineWidthPropertyPage();
    ~CFeatureSelectionLineWidthPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }

    SelectionLineWidthFilter m_filter;

protected:
    std::vector<short> UsedNumbers() const override;
    CString RowText(short nNumber) const override;
    BOOL IsInFilter(short nNumber) const override;
    void ClearFilter() override;
    void AddToFilter(short nNumber) override;
};
