#pragma once
// The colour numbers the document's shapes use, each row painted with its colour by the colour-row painter;
// the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionCheckListPage.h"
#include "libs/vevure/SelectionColorFilter.h"

class CFeatureSelectionColorPropertyPage : public CFeatureSelectionNumberListPage
{
public:
    enum { IDD = 542 };
    enum : int { kControl = 2467 };

    CFeatureSelectionColorPropertyPage();
    ~CFeatureSelectionColorPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }

    SelectionColorFilter m_filter;

protected:
    std::vector<short> UsedNumbers() const override;
    CString RowText(short nNumber) const override;
    BOOL IsInFilter(short nNumber) const override;
    void ClearFilter() override;
    void AddToFilter(short nNumber) override;

    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()
};
