#pragma once
// The document's layers and groups in a tree; the checked layers pass the filter (a group checks its layers).

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "structure/CLayerTreeCtrl.h"
#include "libs/vevure/SelectionLayerFilter.h"

class CFeatureSelectionLayerPropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 541 };
    enum : int { kControl = 2465 };

    CFeatureSelectionLayerPropertyPage();
    ~CFeatureSelectionLayerPropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }
    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    SelectionLayerFilter m_filter;
    CLayerTreeCtrl m_tree;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged();
    DECLARE_MESSAGE_MAP()
};
