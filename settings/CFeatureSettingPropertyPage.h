#pragma once
// The base of the style pages of the style-setting dialog: the page's index in the dialog, the
// mixed-values mode (the page edits shapes whose values may differ; an undefined value shows empty and
// stays undefined unless edited), the document's attribute tables with the target layer's values, the
// change message that keeps the dialog's named-style choice honest, and the hand-over of sample shapes
// to the dialog's preview.

#include "controls/CQZ2PropertyPage.h"

class ColorFeatureTable;
class LineTypeFeatureTable;
class LineWidthFeatureTable;
class LayerFeatureTable;
class Feature2dList;

// wParam 1: the user typed into a field; 0: a change was committed.
constexpr UINT WM_FEATURESETTING_CHANGED = 0x805A;

class CFeatureSettingPropertyPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CFeatureSettingPropertyPage)
public:
    // The pages' indices.
    enum {
        kPointMarkerPage = 1, kTextPage = 2, kLeadPage = 3, kBalloonPage = 4, kDimensionArrowPage = 5,
        kDimensionTextPage = 6, kDimensionAddTextPage = 7, kDimensionTolerancePage = 8,
        kDimensionColorPage = 9, kDimensionAutoPage = 10, kHatchPage = 11, kGeneralPage = 12
    };
    static constexpr short kUndefinedNo = 32767;

    CFeatureSettingPropertyPage();
    CFeatureSettingPropertyPage(UINT nIDTemplate, UINT nIDCaption);
    ~CFeatureSettingPropertyPage() override;

    int GetPageIndex() const { return m_nPageIndex; }
    void SetMixedValuesMode(BOOL bMixed) { m_bMixedValues = bMixed; }
    BOOL IsMixedValuesMode() const { return m_bMixedValues; }

    void SetAttributeTables(const LayerFeatureTable* pLayers, long nLayerID, const ColorFeatureTable* pColors,
                            const LineTypeFeatureTable* pLineTypes, const LineWidthFeatureTable* pLineWidths);
    // Tells the dialog (the owner, else the parent) that the page changed.
    void NotifySettingChanged(BOOL bEdited);
    // Hands the samples to the dialog's preview; the list stays the caller's.
    void ShowPreview(Feature2dList& samples);

protected:
    // Owner-drawn lists take their item height from the page's font.
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

    int m_nPageIndex = 0;
    BOOL m_bMixedValues = FALSE;
    short m_nLayerColorNo = kUndefinedNo;
    short m_nLayerLineTypeNo = kUndefinedNo;
    short m_nLayerLineWidthNo = kUndefinedNo;
    const ColorFeatureTable* m_pColorTable = nullptr;
    const LineTypeFeatureTable* m_pLineTypeTable = nullptr;
    const LineWidthFeatureTable* m_pLineWidthTable = nullptr;
};
