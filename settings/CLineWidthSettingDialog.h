#pragma once
// The line width table dialog (template 522): the widths of a working copy of a document's table, with
// the widths of the numbers 10 and up set from the width field. The caller reads m_table after IDOK.

#include "controls/CQZ2DoubleEdit.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CLineWidthListCtrl.h"

class CLineWidthSettingDialog : public CDialog
{
public:
    enum { IDD = 522 };
    enum : int { kList = 1001, kWidth = 1002, kSpin = 1003, kSet = 1004 };

    explicit CLineWidthSettingDialog(CWnd* pParent = nullptr);
    ~CLineWidthSettingDialog() override;

    void SetLineWidthTable(const LineWidthFeatureTable* pTable);

    CSpinButtonCtrl m_spin;
    CQZ2DoubleEdit m_widthEdit;
    CLineWidthListCtrl m_list;
    double m_dWidth = 0.13;
    LineWidthFeatureTable m_table;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnItemChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnSet();
    afx_msg void OnDeltaPosWidth(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    int SelectedRow() const;
    CBitmap m_helpImage;
};
