#pragma once
// The live sample of the dimension style under the style dialog's tree: a dimension drawn in the style as
// all dimension pages hold it, changing with the focused field (an arrow enlarged, a length measured, a
// text size marked, a text part framed). Every setting and shape it uses is a temporary copy.

#include "platform/afx/AfxTypes.h"

class CFeatureSettingPropertyPage;
class Dimension2dFeatureBase;
class DimensionSetting;
class DrawingFeatureBase;
class Feature2dBase;
class Feature2dList;

class DimensionStylePreview
{
public:
    // The sample of the arrows, colour and value text pages; nothing happens when the page has no window
    // or the dialog cannot assemble the style (the preview keeps its picture).
    static void BuildDimensionPreview(CFeatureSettingPropertyPage* pPage);
    // The sample of the additional texts and tolerance pages: placeholders in every text position, the
    // focused one framed.
    static void BuildDimensionTextPreview(CFeatureSettingPropertyPage* pPage);

    // The samples by the control id that has the focus (0 none); FALSE (list unchanged or partly filled)
    // when a sample cannot be made, and then the preview is not redrawn.
    static BOOL BuildDimensionSamples(const DimensionSetting& source, int nFocusId, Feature2dList& samples);
    static BOOL BuildDimensionTextSamples(const DimensionSetting& source, int nPage, int nFocusId,
                                          Feature2dList& samples);

    // The sample setting: the source's defined values over the defaults, with the sample's fixed sizes.
    static void MakeSampleSetting(const DimensionSetting& source, DimensionSetting& sample, double arrowSize = 1.5);
    // The standard sample: a dimension whose line is just long enough for its text and both arrows, its
    // value text beside the second arrow; a diameter dimension with its circle when bDiameter.
    static BOOL AddStandardSample(const DimensionSetting& sample, Feature2dList& samples, BOOL bDiameter = FALSE,
                                  int nArrowRule = 0);
    // Frames the text part that the focused field edits (with a height mark and "%" for the size ratios).
    static void FrameFocusedTextPart(const Dimension2dFeatureBase* pDimension, int nFocusId, Feature2dList& samples);
    // The text part the field edits (0 for none).
    static int TextPartOfField(int nFocusId);
    static int AddResolvedFeature(const DrawingFeatureBase* pDrawing, const Feature2dBase* pPiece, void* pUser1,
                                  void* pUser2, const Feature2dBase* pSource);
};
