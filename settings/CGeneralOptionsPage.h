#pragma once
// The general page of the options dialog (template 531): the colours of the drawing areas (table colours
// or any RGB value), visual style, graphics mode, line smoothing, layout regions and greek text size.
// The options dialog fills the fields before the page shows and reads them back on OK.

#include "controls/CQZ2PropertyPage.h"

class ColorFeatureTable;
class CSelectColorComboBox;

class CGeneralOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CGeneralOptionsPage)
public:
    enum { IDD = 531 };
    enum : int {
        kFirstColor = 1101,  // seven colour combos, in the order of the colours below
        kVisualStyle = 1110, kGraphicsMode = 1111, kLineSmooth = 1112, kLayoutRegion = 1113, kGreekSize = 1114,
        kGreekSpin = 1115,
    };
    static constexpr int kColorCount = 7;

    CGeneralOptionsPage();
    explicit CGeneralOptionsPage(const ColorFeatureTable* pColors);
    ~CGeneralOptionsPage() override;

    COLORREF m_PaperColor = 0x00FFFFFF;
    COLORREF m_PaperBackColor1 = 0x00FFFFFF;
    COLORREF m_PaperBackColor2 = 0x00FFBF00;
    COLORREF m_PartBackColor = 0;
    COLORREF m_ComponentEditerBackColor = 0x00C0C0C0;
    COLORREF m_SelectionColor = 0x00FFC057;
    COLORREF m_TableViewThumbnailBackColor = 0x00FFFFFF;
    int m_VisualStyle = 0;
    int m_GraphicsMode = 0;
    CSelectColorComboBox* m_pColorCombos[kColorCount] = {};
    const ColorFeatureTable* m_pColors = nullptr;
    BOOL m_LineSmoothMode = FALSE;
    BOOL m_LayoutRegionVisible = TRUE;
    UINT m_GreekTextSize = 6;

    // The colour fields in combo order.
    COLORREF* ColorField(int nIndex);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()
};
