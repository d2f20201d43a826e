#pragma once
// The shape kinds the filter lets through: seventeen groups of kinds, none checked for all.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "platform/win/CCheckListBox.h"
#include "libs/vevure/SelectionFeatureFilter.h"

class CFeatureSelectionFeaturePropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 540 };
    enum : int { kControl = 2455 };

    CFeatureSelectionFeaturePropertyPage();
    ~CFeatureSelectionFeaturePropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionFeatureFilter m_filter;
    CCheckListBox m_list;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
