#pragma once
// The one-letter constants of typed numbers (template 570): a two-column list of names and values in
// which constants are added or replaced (Set) and deleted; names are the letters a-z except d, e, r and
// g, values lie strictly between -1e10 and 1e10. Works on a copy handed in and read back after IDOK.

#include "controls/CQZ2DoubleEdit.h"
#include "libs/vevure/InputConstValue.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListCtrl.h"

class CConstValueSettingDialog : public CDialog
{
public:
    enum { IDD = 570 };
    enum : int { kList = 1901, kName = 1902, kValue = 1903, kSet = 1904, kDelete = 1905 };

    explicit CConstValueSettingDialog(CWnd* pParent = nullptr);
    ~CConstValueSettingDialog() override;

    void SetInputConstValue(const InputConstValue* pList);
    // The list's size.
    int GetInputConstValue(InputConstValue* pOut) const;

    CQZ2DoubleEdit m_valueEdit;
    CListCtrl m_list;
    CString m_strName;
    double m_dValue = 1.0;
    InputConstValue m_constants;
    CEdit m_nameEdit;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSet();
    afx_msg void OnDelete();
    afx_msg void OnItemChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    void SelectRow(int row);
    BOOL m_bFilling = FALSE;
    CBitmap m_helpImage;
};
