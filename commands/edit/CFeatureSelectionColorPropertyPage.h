#pragma once
// The colour numbers the document's shapes use, each with its colour; the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "platform/win/CCheckListBox.h"
#include "libs/vevure/SelectionColorFilter.h"

class CFeatureSelectionColorPropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 542 };
    enum : int { kControl = 2467 };

    CFeatureSelectionColorPropertyPage();
    ~CFeatureSelectionColorPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionColorFilter m_filter;
    CCheckListBox m_list;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
