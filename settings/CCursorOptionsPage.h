#pragma once
// The cursor page of the options dialog (template 532): cursor colour, snap box and its size (0-20), with
// a preview that follows every change at once.

#include "controls/CQZ2PropertyPage.h"
#include "platform/win/CButton.h"
#include "platform/win/CSliderCtrl.h"

class ColorFeatureTable;
class CSelectColorComboBox;

class CCursorOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CCursorOptionsPage)
public:
    enum { IDD = 532 };
    enum : int { kColor = 1201, kPreview = 1202, kBoxSize = 1203, kBoxVisible = 1204 };

    CCursorOptionsPage();
    explicit CCursorOptionsPage(const ColorFeatureTable* pColors);
    ~CCursorOptionsPage() override;

    COLORREF m_CursorColor = 0x000080FF;
    COLORREF m_PreviewPaperColor = 0x00FFFFFF;
    CSelectColorComboBox* m_pColorCombo = nullptr;
    const ColorFeatureTable* m_pColors = nullptr;
    CButton m_preview;
    CSliderCtrl m_slider;
    BOOL m_SnapBoxVisible = TRUE;
    int m_SnapBoxSize = 7;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChanged();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()
};
