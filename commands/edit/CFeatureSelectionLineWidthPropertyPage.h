#pragma once
// The line width numbers the document's shapes use, with their widths; the checked ones pass the filter.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "platform/win/CCheckListBox.h"
#include "libs/vevure/SelectionLineWidthFilter.h"

class CFeatureSelectionLineWidthPropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 544 };
    enum : int { kControl = 2469 };

    CFeatureSelectionLineWidthPropertyPage();
    ~CFeatureSelectionLineWidthPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionLineWidthFilter m_filter;
    CCheckListBox m_list;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
