#pragma once
// The line type numbers the document's shapes use, with their names; the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "platform/win/CCheckListBox.h"
#include "libs/vevure/SelectionLineTypeFilter.h"

class CFeatureSelectionLineTypePropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 543 };
    enum : int { kControl = 2468 };

    CFeatureSelectionLineTypePropertyPage();
    ~CFeatureSelectionLineTypePropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionLineTypeFilter m_filter;
    CCheckListBox m_list;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
