#pragma once
// The style page of hatches: solid fill, one of the built-in patterns or one of the document's own
// patterns, the fill and pattern colours with their transparency, and whether and how the outline of the
// hatched region is drawn. A button leads on to the document's pattern table.

#include "controls/CQZ2DoubleEdit.h"
#include "libs/vevure/HatchSetting.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "platform/win/CSliderCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"
#include "settings/CHatchPatternListCtrl.h"
#include "settings/CUserDefinedHatchPatternListCtrl.h"

class Draw2dDocument;

class CHatchSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CHatchSettingPage)
public:
    enum { IDD = 511 };
    static constexpr int kSolidId = 2301, kBuiltInId = 2302, kUserId = 2303;
    static constexpr int kSolidColorId = 2304, kInvertId = 1082, kPatternColorId = 2297;
    static constexpr int kTransparencyId = 2299, kSliderId = 2298, kBuiltInListId = 2300, kUserListId = 2305;
    static constexpr int kRegionId = 2401, kRegionColorId = 2404, kRegionLineTypeId = 2402;
    static constexpr int kRegionLineWidthId = 2403, kPatternTableId = 2495;
    static constexpr UINT kNoTransparency = 0xFFFFFFFFu;

    CHatchSettingPage();
    ~CHatchSettingPage() override;

    void SetDocument(Draw2dDocument* pDocument, long nLayerID);
    void SetHatchSetting(const HatchSetting& setting);
    BOOL GetHatchSetting(HatchSetting& setting) const;
    BOOL OnKillActive() override;

    // Puts the values into the controls, shows the type's controls and rebuilds the preview.
    void UpdateControls();
    void UpdatePreview();
    // The page's values made complete for the preview (a solid fill in colour 8 gets an outline in 15).
    static HatchSetting MakePreviewSetting(const HatchSetting& setting);
    // The preview's sample shapes for a setting; the checkerboard with bCheckerboard (not for user patterns).
    // FALSE and nothing added when a user pattern the document does not hold gives no preview.
    static BOOL BuildPreviewSamples(const Draw2dDocument* pDocument, const HatchSetting& setting,
                                    BOOL bCheckerboard, Feature2dList& samples);
    CHatchPatternListCtrl& GetBuiltInList() { return m_builtInList; }
    CUserDefinedHatchPatternListCtrl& GetUserList() { return m_userList; }

    int m_nHatchType = -1;
    int m_nInvert = 0;
    int m_nRegion = 0;
    short m_nSolidColorNo = kUndefinedNo;
    short m_nPatternColorNo = kUndefinedNo;
    int m_nPatternType = -1;
    long m_nPatternID = -1;
    UINT m_nTransparency = 0;
    short m_nRegionColorNo = kUndefinedNo;
    short m_nRegionLineTypeNo = kUndefinedNo;
    short m_nRegionLineWidthNo = kUndefinedNo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnType(UINT nID);
    afx_msg void OnSolidColor();
    afx_msg void OnPatternColor();
    afx_msg void OnTransparencyTyped();
    afx_msg void OnTransparencyLeft();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnRegion();
    afx_msg void OnRegionAttribute(UINT nID);
    afx_msg void OnBuiltInChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUserChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnPatternTable();
    DECLARE_MESSAGE_MAP()

private:
    // The colour a number stands for in the built-in pictures; fallback when it has none.
    COLORREF PictureColor(short nColorNo, COLORREF fallback) const;
    void ShowTypeControls();
    // The typed transparency when the whole text is a whole number from 0 to 100; -1 otherwise.
    int TypedTransparency() const;

    CSelectColorComboBox m_solidColorList{1, 1, FALSE, TRUE};
    CSelectColorComboBox m_patternColorList{1, 1, FALSE, TRUE};
    CQZ2DoubleEdit m_transparencyEdit;
    CSliderCtrl m_slider;
    CHatchPatternListCtrl m_builtInList;
    CUserDefinedHatchPatternListCtrl m_userList;
    CSelectColorComboBox m_regionColorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_regionLineTypeList;
    CSelectLineWidthComboBox m_regionLineWidthList;
    Draw2dDocument* m_pDocument = nullptr;
    long m_nLayerID = -1;
    // Set while the lists are filled or selected by the page itself, so that no change is reported.
    BOOL m_bFilling = FALSE;
};
