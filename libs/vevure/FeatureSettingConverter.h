#pragma once
// Between shapes and style records: reading a shape's style (its colour, line type and line width numbers
// come from the shape's own fields) and applying a style to a shape. Applying writes only the values the
// style defines, so a merged style of a multiple selection changes only what all the shapes share; a
// result out of range is refused whole and leaves the shape as it was. Every function answers FALSE for a
// missing shape or one of another kind. Reading keeps the caller's equal-XY-scale flag of the setting.

#include "platform/afx/AfxTypes.h"

class BalloonSetting;
class DimensionSetting;
class Feature2dBase;
class GeneralFeatureSetting;
class HatchSetting;
class ImageSetting;
class LeadSetting;
class OleObjectSetting;
class PointMarkerSetting;
class TextSetting;

class FeatureSettingConverter
{
public:
    static BOOL GetFeatureBaseSettingFromFeature(const Feature2dBase* pFeature, GeneralFeatureSetting& setting);
    static BOOL GetPointMarkerSettingFromFeature(const Feature2dBase* pFeature, PointMarkerSetting& setting);
    static BOOL GetTextSettingFromFeature(const Feature2dBase* pFeature, TextSetting& setting);
    static BOOL GetLeadSettingFromFeature(const Feature2dBase* pFeature, LeadSetting& setting);
    static BOOL GetBalloonSettingFromFeature(const Feature2dBase* pFeature, BalloonSetting& setting);
    // Dimensions (types 50-55) and tolerance frames (59), which take their look from a dimension style.
    static BOOL GetDimensionSettingFromFeature(const Feature2dBase* pFeature, DimensionSetting& setting);
    static BOOL GetHatchSettingFromFeature(const Feature2dBase* pFeature, HatchSetting& setting);
    // Tolerance frames only.
    static BOOL GetToleranceSettingFromFeature(const Feature2dBase* pFeature, DimensionSetting& setting);
    static BOOL GetImageSettingFromFeature(const Feature2dBase* pFeature, ImageSetting& setting);
    static BOOL GetOleObjectSettingFromFeature(const Feature2dBase* pFeature, OleObjectSetting& setting);

    // The merged style of several shapes: the first shape of the kind gives the values, every further one
    // makes the values it does not share undefined. Shapes of another kind and null entries are passed
    // over. Answers how many shapes were read (0: none of the kind, the setting untouched).
    static int GetFeatureBaseSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                 GeneralFeatureSetting& setting);
    static int GetPointMarkerSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                                 PointMarkerSetting& setting);
    static int GetTextSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount, TextSetting& setting);
    static int GetLeadSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount, LeadSetting& setting);
    static int GetBalloonSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                             BalloonSetting& setting);
    static int GetDimensionSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                               DimensionSetting& setting);
    static int GetHatchSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount, HatchSetting& setting);
    static int GetImageSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount, ImageSetting& setting);
    static int GetOleObjectSettingFromFeatures(const Feature2dBase* const* ppFeatures, int nCount,
                                               OleObjectSetting& setting);

    // Any shape. Shapes whose own style keeps colour, line type and width numbers too (point markers,
    // texts, leads, balloons, dimensions, tolerance frames) get them there as well.
    static BOOL SetFeatureBaseSettingToFeature(Feature2dBase* pFeature, const GeneralFeatureSetting& setting);
    static BOOL SetPointMarkerSettingToFeature(Feature2dBase* pFeature, const PointMarkerSetting& setting);
    static BOOL SetTextSettingToFeature(Feature2dBase* pFeature, const TextSetting& setting);
    static BOOL SetLeadSettingToFeature(Feature2dBase* pFeature, const LeadSetting& setting);
    static BOOL SetBalloonSettingToFeature(Feature2dBase* pFeature, const BalloonSetting& setting);
    // Dimensions and tolerance frames, as the reader.
    static BOOL SetDimensionSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting);
    static BOOL SetHatchSettingToFeature(Feature2dBase* pFeature, const HatchSetting& setting);
    static BOOL SetToleranceSettingToFeature(Feature2dBase* pFeature, const DimensionSetting& setting);
    static BOOL SetImageSettingToFeature(Feature2dBase* pFeature, const ImageSetting& setting);
    static BOOL SetOleObjectSettingToFeature(Feature2dBase* pFeature, const OleObjectSetting& setting);

    // Writes the defined numbers (32767 = undefined) into the shape, all or nothing.
    static BOOL ApplyNumbers(Feature2dBase* pFeature, short nColorNo, short nLineTypeNo, short nLineWidthNo);
};
