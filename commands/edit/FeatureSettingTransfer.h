#pragma once
// The style transfer that the change-, copy- and save-setting commands share: which setting kind serves a
// shape, reading and writing a kind through the converters, the working copies (on a paper drawing a shape
// seen through a part layout is read and written with its sizes as they appear on the paper), the rebuild
// of dimensions and leads after a write, and the merge of several shapes' settings of one kind.

#include <memory>

#include "platform/afx/AfxTypes.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class FeatureLayout;
class FeatureSettingBase;
class FeatureSettingStylesBase;

namespace QZ2Command {

class FeatureSettingTransfer
{
public:
    // In the order the commands handle them.
    enum Kind { kGeneral, kPointMarker, kText, kLead, kBalloon, kDimension, kHatch, kImage, kKinds, kNone = -1 };

    // The kind of a feature type. Geometric tolerances take the dimension style unless bToleranceAsBasic
    // (the copy-setting command copies only their colour, line type and width); images have a kind only
    // with bImages.
    static int KindOfType(int nType, BOOL bToleranceAsBasic = FALSE, BOOL bImages = FALSE);
    static std::unique_ptr<FeatureSettingBase> NewSetting(int nKind);
    static BOOL Read(int nKind, const Feature2dBase* pFeature, FeatureSettingBase& setting);
    static BOOL Write(int nKind, Feature2dBase* pFeature, const FeatureSettingBase& setting);
    // The document's named styles of the kind (none for images).
    static const FeatureSettingStylesBase* DocumentStyles(const Draw2dDocument* pDocument, int nKind);

    // Whether the view shows a paper drawing; then s is the X scale of the part layout the shape was
    // picked through (1 for a shape of the paper itself).
    static BOOL PaperScale(const Draw2dView* pView, const FeatureLayout& shape, double& s);
    // A copy scaled by s (texts by their own size scaling unless bTextTransformed); with bPaper FALSE a
    // plain copy without attributes. Null when the shape cannot be copied.
    static std::unique_ptr<Feature2dBase> ScaledCopy(const Feature2dBase* pFeature, BOOL bPaper, double s,
                                                     BOOL bTextTransformed = FALSE);
    // Lays a dimension (50-55) or a lead out again after its style changed; TRUE for every other shape.
    static BOOL Rebuild(Feature2dBase* pFeature);

    // The merged settings, one per kind, each undefined where its shapes differ.
    struct Merged {
        std::unique_ptr<FeatureSettingBase> settings[kKinds];
        void Fold(int nKind, const FeatureSettingBase& setting);
        // The only kind gathered, kNone when none or several.
        int OnlyKind() const;
    };
};

}  // namespace QZ2Command
