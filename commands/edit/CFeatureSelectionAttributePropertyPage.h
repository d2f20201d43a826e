#pragma once
// Every attribute name and value the document's shapes carry (placed components with their definition's
// names), one grid row per pair with a check; the checked pairs pass the filter. A double-click on a
// name or value toggles every row showing the same text.

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "controls/CGridCtrl.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/SelectionAttributeFilter.h"

class CFeatureSelectionAttributePropertyPage : public CFeatureSelectionPropertyPage
{
public:
    enum { IDD = 546 };
    enum : int { kGrid = 1004, kCheckColumn = 0, kNameColumn = 1, kValueColumn = 2 };

    struct AttributeInfo {
        CString name;
        CString value;
        int checked = 0;
    };

    CFeatureSelectionAttributePropertyPage();
    ~CFeatureSelectionAttributePropertyPage() override;

    void LoadFilter(const SelectionFilter& filter) override;
    void StoreFilter(SelectionFilter& filter) const override;
    BOOL IsFilterRestricting() const override { return m_filter.IsFilterEmpty() ? FALSE : TRUE; }

    // The rows in order of first appearance, unique by (name, value).
    static void CollectRows(const Draw2dDocument* pDocument, CArray<AttributeInfo>& rows);
    BOOL IsRowChecked(int nRow) const;
    void SetRowChecked(int nRow, BOOL bCheck);

    SelectionAttributeFilter m_filter;
    CArray<AttributeInfo> m_rows;
    CGridCtrl m_grid;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    afx_msg void OnGridDoubleClick(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
