#pragma once
// The base of the style pages of the style-setting dialog: the page's index in the dialog, the
// mixed-values mode (the page edits shapes whose values may differ; an undefined value shows empty and
// stays undefined unless edited), the document's attribute tables with the target layer's values, the
// change message that keeps the dialog's named-style choice honest, and the hand-over of sample shapes
// to the dialog's preview.

#include <initializer_list>

#include "controls/CQZ2PropertyPage.h"
#include "platform/afx/CString.h"

class RuVaPnt2d;
class TextSetting;

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
    // The control id of the focused window when it is one of this page's controls (0 otherwise). The edit
    // inside an editable combo box counts as the combo box.
    int GetFocusedControlId() const;

    // Sample shapes that mark what the focused field sets, drawn in colour 4. Angles in degrees; a shape
    // the data model refuses to make is left out.
    // A measuring linear dimension centred on centre, width long, turned by angle, its measured points below.
    static void AddLinearDimensionSample(Feature2dList* pList, const RuVaPnt2d& centre, double width, double angle,
                                         double outsideLength, double extension1, double extension2,
                                         const CString& preText, int nVerticalPos);
    // A measuring angular dimension about vertex from the arm through point over sweep degrees; when the
    // extension would reach the vertex both arms are drawn as lines instead.
    static void AddAngularDimensionSample(Feature2dList* pList, const RuVaPnt2d& vertex, const RuVaPnt2d& point,
                                          double sweep, int nArrowType1, int nArrowType2, double extensionLength,
                                          BOOL bMarkVertex);
    static void AddLeadSample(Feature2dList* pList, int nArrowType, const RuVaPnt2d& start, double length,
                              double angle, double arrowSize, short nColorNo);
    // One arrow head shown as a lead and as a dimension.
    static void AddArrowSample(Feature2dList* pList, int nArrowType, short nColorNo);
    // A text in the style (which it changes for the mark) with the mark of mark kind: 1 height, 2 width,
    // 3 slant, 4 base point, 5 character spacing, 6 line spacing, 0 none. Returns the text's width.
    static double AddTextSample(Feature2dList* pList, TextSetting* pStyle, RuVaPnt2d basePoint, double angle,
                                int nMarkKind, const CString* pText, BOOL bOutline);

protected:
    // Owner-drawn lists take their item height from the page's font.
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The first click on a three-state box of the mixed-values mode decides it: checked stays checked,
    // anything else becomes unchecked, and the box can no longer be made indeterminate.
    void DecideThreeStateBox(int nID);
    // The check boxes become three-state in the mixed-values mode.
    void MakeThreeState(std::initializer_list<int> ids);
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
