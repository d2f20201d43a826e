#pragma once
// The live sample of the dimension style under the style dialog's tree: a dimension drawn in the style as
// all dimension pages hold it, sized so that the whole dimension fits the preview. Every setting and shape
// it uses is a temporary copy.

#include "platform/afx/AfxTypes.h"

class CFeatureSettingPropertyPage;
class DimensionSetting;
class Feature2dList;

class DimensionStylePreview
{
public:
    // Rebuilds the preview for a dimension page from the dialog's whole dimension style; nothing happens
    // when the page has no window or the dialog cannot assemble the style (the preview keeps its picture).
    static void BuildDimensionPreview(CFeatureSettingPropertyPage* pPage);
    // The sample setting: the source's defined values over the defaults, with the sample's fixed sizes.
    static void MakeSampleSetting(const DimensionSetting& source, DimensionSetting& sample);
    // The standard sample: a linear dimension whose line is just long enough for its text and both
    // arrows, its value text beside the second arrow. FALSE (list unchanged) when it cannot be made.
    static BOOL AddStandardSample(const DimensionSetting& sample, Feature2dList& samples);
};
