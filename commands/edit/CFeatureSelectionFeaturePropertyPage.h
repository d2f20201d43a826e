#pragma once
// The shape kinds the filter lets through: seventeen groups of kinds, none checked for all.

#include "commands/edit/CFeatureSelectionCheckListPage.h"
#include "libs/vevure/SelectionFeatureFilter.h"

class CFeatureSelectionFeaturePropertyPage : public CFeatureSelectionCheckListPage
{
public:
    enum { IDD = 540 };
    enum : int { kControl = 2455 };

    CFeatureSelectionFeaturePropertyPage();
    ~CFeatureSelectionFeaturePropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }

    SelectionFeatureFilter m_filter;

    BOOL OnInitDialog() override;
    void OnOK() override;
};
