#pragma once
// The document's drawings in a tree; shapes of the checked drawings pass the filter.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "structure/CDrawingTreeCtrl.h"
#include "libs/vevure/SelectionDrawingFilter.h"

class CFeatureSelectionDrawingPropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 545 };
    enum : int { kControl = 2470 };

    CFeatureSelectionDrawingPropertyPage();
    ~CFeatureSelectionDrawingPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionDrawingFilter m_filter;
    CDrawingTreeCtrl m_tree;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
