#pragma once
// The snap appearance page of the options dialog (template 533): snap marker, its colour and size (0-20)
// and the snap tool tip, with a preview that shows the cursor as the cursor page sets it.

#include "controls/CQZ2PropertyPage.h"
#include "platform/win/CButton.h"
#include "platform/win/CSliderCtrl.h"

class ColorFeatureTable;
class CSelectColorComboBox;

class CSnapAppearanceOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CSnapAppearanceOptionsPage)
public:
    enum { IDD = 533 };
    enum : int { kColor = 1301, kMarkerSize = 1302, kPreview = 1303, kToolTip = 1304, kMarkerVisible = 1305 };

    CSnapAppearanceOptionsPage();
    explicit CSnapAppearanceOptionsPage(const ColorFeatureTable* pColors);
    ~CSnapAppearanceOptionsPage() override;

    COLORREF m_SnapMarkerColor = 0x00FF00FF;
    COLORREF m_PreviewCursorColor = 0x000080FF;
    COLORREF m_PreviewPaperColor = 0x00FFFFFF;
    int m_PreviewSnapBoxSize = 7;
    BOOL m_PreviewSnapBoxVisible = TRUE;
    const ColorFeatureTable* m_pColors = nullptr;
    CSelectColorComboBox* m_pColorCombo = nullptr;
    CSliderCtrl m_slider;
    CButton m_preview;
    BOOL m_SnapToolTipVisible = TRUE;
    BOOL m_SnapMarkerVisible = TRUE;
    int m_SnapMarkerSize = 5;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnMarkerVisible();
    afx_msg void OnChanged();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    void EnableMarker();
};
