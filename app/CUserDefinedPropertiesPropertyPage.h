#pragma once
// The page of the user-defined document properties (template 612): a list of named values (text,
// number or date) to add to, edit and delete. Properties of other types (a yes/no from another
// program) are not listed but kept, and stored back as they were.

#include <vector>

#include "app/QZ2DocumentUserDefinedProperty.h"
#include "platform/afx/CString.h"
#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/CPropertyPage.h"

class QZ2DocumentProperties;

class CUserDefinedPropertiesPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CUserDefinedPropertiesPropertyPage)
public:
    enum { IDD = 612 };
    static constexpr UINT IDC_LIST = 1011;
    static constexpr UINT IDC_ADD = 2496;
    static constexpr UINT IDC_EDIT = 2501;
    static constexpr UINT IDC_DELETE = 2499;

    CUserDefinedPropertiesPropertyPage();
    ~CUserDefinedPropertiesPropertyPage() override;

    void LoadFrom(const QZ2DocumentProperties& properties);
    void StoreTo(QZ2DocumentProperties& properties) const;

    // Types the list shows: text, the number types and dates.
    static BOOL IsListedType(VARTYPE vt);
    // "<Property> n" with the first n from 1 that no listed name takes (case ignored).
    CString MakeNewPropertyName() const;
    const std::vector<QZ2DocumentUserDefinedProperty>& GetProperties() const { return m_properties; }
    CListCtrl& GetList() { return m_list; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();

    void InitList();
    int InsertListItem(int nItem, const QZ2DocumentUserDefinedProperty& property);
    void SetListItem(int nItem, const QZ2DocumentUserDefinedProperty& property);
    void SelectItem(int nItem);
    int GetSelectedItem() const;
    void UpdateButtons();
    void DeleteRowData();

    CListCtrl m_list;
    CImageList m_rowHeight;
    std::vector<QZ2DocumentUserDefinedProperty> m_properties;
    std::vector<QZ2DocumentUserDefinedProperty> m_unlisted;
};
