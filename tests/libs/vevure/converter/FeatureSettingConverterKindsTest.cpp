// Styles read from shapes and written back, kind by kind: which shapes each reader and writer takes, merged
// styles of several shapes writing only what they share, refused styles leaving the shape whole, and the
// numbers a shape keeps in its own style following the shape's.

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/Tolerance2dFeature.h"

namespace {

using Shape = std::unique_ptr<Feature2dBase>;
using FSC = FeatureSettingConverter;

// A default shape of the type; a text is laid out for its text and an OLE object gets a size, as they are
// when made for a drawing.
Shape Make(int type)
{
    Shape f(type == FeatureTypeText ? new Text2dFeature(CString(u"Ab"), RuVaPnt2d(1, 2))
                                    : Feature2dBase::CreateFeature(type));
    EXPECT_NE(f, nullptr) << "type " << type;
    if (f && type == FeatureTypeOleObject) {
        OleObjectSetting sized;
        sized.SetWidth(30.0);
        sized.SetHeight(15.0);
        EXPECT_TRUE(static_cast<OleObject2dFeature*>(f.get())->SetOleObjectSetting(sized));
    }
    return f;
}

// Every stored kind of shape.
const std::vector<int> kAllTypes = {
    FeatureTypePointMarker, FeatureTypeLine, FeatureTypePolyline, FeatureTypeCircle, FeatureTypeArc,
    FeatureTypeEllipse, FeatureTypeEllipseArc, FeatureTypeBSplineCurve, FeatureTypeText, FeatureTypeInfiniteLine,
    FeatureTypeSemiInfiniteLine, FeatureTypeLead, FeatureTypeBalloon, FeatureTypeHatch,
    FeatureTypeLinearDimension, FeatureTypeRadiusDimension, FeatureTypeDiameterDimension,
    FeatureTypeAngularDimension, FeatureTypeArcDimension, FeatureTypeParallelDimension, FeatureTypeTolerance,
    FeatureTypeDrawGroup, FeatureTypeDrawComponent, FeatureTypeImage, FeatureTypeOleObject};

const std::vector<int> kDimensionKind = {FeatureTypeLinearDimension, FeatureTypeRadiusDimension,
                                         FeatureTypeDiameterDimension, FeatureTypeAngularDimension,
                                         FeatureTypeArcDimension,    FeatureTypeParallelDimension,
                                         FeatureTypeTolerance};

bool Contains(const std::vector<int>& v, int x)
{
    for (int i : v)
        if (i == x)
            return true;
    return false;
}

// One reader and its writer, each run on a shape with a fresh style of the kind; a reader's style is written
// straight back so that a shape that reads can be seen to write too.
struct KindCase {
    const char* name;
    std::vector<int> types;  // the shapes the pair takes; empty for every shape
    std::function<BOOL(Feature2dBase*)> readThenWrite;
    std::function<BOOL(Feature2dBase*)> writeFresh;
};

template <class S>
KindCase Kind(const char* name, std::vector<int> types, BOOL (*get)(const Feature2dBase*, S&),
              BOOL (*set)(Feature2dBase*, const S&))
{
    return {name, std::move(types),
            [get, set](Feature2dBase* f) {
                S s;
                if (!get(f, s))
                    return FALSE;
                return set(f, s);
            },
            [set](Feature2dBase* f) {
                S s;
                return set(f, s);
            }};
}

std::vector<KindCase> AllKinds()
{
    return {
        Kind<GeneralFeatureSetting>("general", {}, &FSC::GetFeatureBaseSettingFromFeature,
                                    &FSC::SetFeatureBaseSettingToFeature),
        Kind<PointMarkerSetting>("point marker", {FeatureTypePointMarker}, &FSC::GetPointMarkerSettingFromFeature,
                                 &FSC::SetPointMarkerSettingToFeature),
        Kind<TextSetting>("text", {FeatureTypeText}, &FSC::GetTextSettingFromFeature, &FSC::SetTextSettingToFeature),
        Kind<LeadSetting>("lead", {FeatureTypeLead}, &FSC::GetLeadSettingFromFeature, &FSC::SetLeadSettingToFeature),
        Kind<BalloonSetting>("balloon", {FeatureTypeBalloon}, &FSC::GetBalloonSettingFromFeature,
                             &FSC::SetBalloonSettingToFeature),
        Kind<DimensionSetting>("dimension", kDimensionKind, &FSC::GetDimensionSettingFromFeature,
                               &FSC::SetDimensionSettingToFeature),
        Kind<HatchSetting>("hatch", {FeatureTypeHatch}, &FSC::GetHatchSettingFromFeature,
                           &FSC::SetHatchSettingToFeature),
        Kind<DimensionSetting>("tolerance", {FeatureTypeTolerance}, &FSC::GetToleranceSettingFromFeature,
                               &FSC::SetToleranceSettingToFeature),
        Kind<ImageSetting>("image", {FeatureTypeImage}, &FSC::GetImageSettingFromFeature,
                           &FSC::SetImageSettingToFeature),
        Kind<OleObjectSetting>("OLE object", {FeatureTypeOleObject}, &FSC::GetOleObjectSettingFromFeature,
                               &FSC::SetOleObjectSettingToFeature),
    };
}

}  // namespace

TEST(FeatureSettingConverterKinds, EachPairTakesItsShapesAndRefusesTheOthersUnchanged)
{
    for (const KindCase& kind : AllKinds()) {
        for (int type : kAllTypes) {
            SCOPED_TRACE(std::string(kind.name) + ", type " + std::to_string(type));
            const bool takes = kind.types.empty() || Contains(kind.types, type);
            Shape f = Make(type);
            Shape before(f->CopyObject());
            EXPECT_EQ(kind.readThenWrite(f.get()) != FALSE, takes);
            // A style read from a shape and written back leaves it as it was; a refused one changes nothing.
            EXPECT_TRUE(f->IsEqual(before.get()));
            if (!takes) {
                EXPECT_FALSE(kind.writeFresh(f.get()));
            }
        }
        SCOPED_TRACE(kind.name);
        EXPECT_FALSE(kind.readThenWrite(nullptr));
        EXPECT_FALSE(kind.writeFresh(nullptr));
    }
}

TEST(FeatureSettingConverterKinds, ToleranceFramesGoThroughTheDimensionPair)
{
    // A selection of a linear dimension and a tolerance frame: one merged dimension style.
    LinearDimension2dFeature dim(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 2.0, 90.0, 0.0);
    Tolerance2dFeature frame(CString(u"A"), RuVaPnt2d(0, 0));
    dim.SetColorNo(4);
    frame.SetColorNo(4);
    dim.SetLineTypeNo(1);
    frame.SetLineTypeNo(2);

    DimensionSetting merged, other;
    ASSERT_TRUE(FSC::GetDimensionSettingFromFeature(&dim, merged));
    ASSERT_TRUE(FSC::GetDimensionSettingFromFeature(&frame, other));
    ASSERT_TRUE(merged.SettingAndSetting(other));
    EXPECT_EQ(merged.GetColorNo(), 4);
    EXPECT_EQ(merged.GetLineTypeNo(), SettingValue::kUndefinedNo);

    merged.SetColorNo(7);
    TextSetting font(merged.GetDimTextFont());
    ASSERT_TRUE(font.SetHeight(6.0));
    ASSERT_TRUE(merged.SetDimTextFont(font));
    ASSERT_TRUE(FSC::SetDimensionSettingToFeature(&frame, merged));
    ASSERT_TRUE(FSC::SetDimensionSettingToFeature(&dim, merged));
    EXPECT_EQ(frame.GetColorNo(), 7);
    EXPECT_EQ(frame.GetLineTypeNo(), 2);  // the two differed: each keeps its own
    EXPECT_EQ(dim.GetLineTypeNo(), 1);
    EXPECT_EQ(frame.GetTextHeight(), 6.0);
    EXPECT_EQ(dim.GetTextHeight(), 6.0);
}

namespace {

// Two shapes of one kind that differ in one value and share another; the merged style written into a third
// shape must change the shared value and keep the third shape's own differing value.
struct MergeCase {
    const char* name;
    int type;
    std::function<void(Feature2dBase*, int)> vary;    // gives shape i (0, 1) its own differing value
    std::function<void(Feature2dBase*)> share;        // gives a shape the shared value
    std::function<BOOL(const Feature2dBase*, const Feature2dBase*, Feature2dBase*)> mergeInto;
    std::function<bool(const Feature2dBase*, const Feature2dBase*)> differingKept;  // target vs its copy
    std::function<bool(const Feature2dBase*, const Feature2dBase*)> sharedTaken;    // target vs a source
};

template <class S>
std::function<BOOL(const Feature2dBase*, const Feature2dBase*, Feature2dBase*)> Merge(
    BOOL (*get)(const Feature2dBase*, S&), BOOL (*set)(Feature2dBase*, const S&))
{
    return [get, set](const Feature2dBase* a, const Feature2dBase* b, Feature2dBase* target) {
        S merged, other;
        if (!get(a, merged) || !get(b, other) || !merged.SettingAndSetting(other))
            return FALSE;
        return set(target, merged);
    };
}

template <class F>
F* As(Feature2dBase* f) { return static_cast<F*>(f); }
template <class F>
const F* As(const Feature2dBase* f) { return static_cast<const F*>(f); }

std::vector<MergeCase> MergeCases()
{
    return {
        {"general: colour differs, width shared", FeatureTypeLine,
         [](Feature2dBase* f, int i) { f->SetColorNo(short(2 + i)); },
         [](Feature2dBase* f) { f->SetLineWidthNo(9); },
         Merge<GeneralFeatureSetting>(&FSC::GetFeatureBaseSettingFromFeature, &FSC::SetFeatureBaseSettingToFeature),
         [](const Feature2dBase* t, const Feature2dBase* c) { return t->GetColorNo() == c->GetColorNo(); },
         [](const Feature2dBase* t, const Feature2dBase* s) { return t->GetLineWidthNo() == s->GetLineWidthNo(); }},
        {"point marker: size differs, type shared", FeatureTypePointMarker,
         [](Feature2dBase* f, int i) { As<PointMarker2dFeature>(f)->SetMarkerSize(2.0 + i); },
         [](Feature2dBase* f) {
             PointMarkerSetting s(As<PointMarker2dFeature>(f)->GetPointMarkerSetting());
             s.SetType(6);
             As<PointMarker2dFeature>(f)->SetPointMarkerSetting(s);
         },
         Merge<PointMarkerSetting>(&FSC::GetPointMarkerSettingFromFeature, &FSC::SetPointMarkerSettingToFeature),
         [](const Feature2dBase* t, const Feature2dBase* c) {
             return As<PointMarker2dFeature>(t)->GetMarkerSize() == As<PointMarker2dFeature>(c)->GetMarkerSize();
         },
         [](const Feature2dBase* t, const Feature2dBase*) { return As<PointMarker2dFeature>(t)->GetMarkerType() == 6; }},
        {"lead: text height (nested) differs, arrow size shared", FeatureTypeLead,
         [](Feature2dBase* f, int i) {
             LeadSetting s(As<Lead2dFeature>(f)->GetLeadSetting());
             TextSetting font(s.GetTextFont());
             font.SetHeight(2.0 + i);
             s.SetTextFont(font);
             As<Lead2dFeature>(f)->SetLeadSetting(s);
         },
         [](Feature2dBase* f) {
             LeadSetting s(As<Lead2dFeature>(f)->GetLeadSetting());
             s.SetSize(4.25);
             As<Lead2dFeature>(f)->SetLeadSetting(s);
         },
         Merge<LeadSetting>(&FSC::GetLeadSettingFromFeature, &FSC::SetLeadSettingToFeature),
         [](const Feature2dBase* t, const Feature2dBase* c) {
             return As<Lead2dFeature>(t)->GetTextHeight() == As<Lead2dFeature>(c)->GetTextHeight();
         },
         [](const Feature2dBase* t, const Feature2dBase*) {
             return As<Lead2dFeature>(t)->GetLeadSetting().GetSize() == 4.25;
         }},
        {"hatch: pattern colour differs, solid colour shared", FeatureTypeHatch,
         [](Feature2dBase* f, int i) {
             HatchSetting s(As<Hatch2dFeature>(f)->GetHatchSetting());
             s.SetPatternColorNo(short(3 + i));
             As<Hatch2dFeature>(f)->SetHatchSetting(s);
         },
         [](Feature2dBase* f) {
             HatchSetting s(As<Hatch2dFeature>(f)->GetHatchSetting());
             s.SetSolidColorNo(12);
             As<Hatch2dFeature>(f)->SetHatchSetting(s);
         },
         Merge<HatchSetting>(&FSC::GetHatchSettingFromFeature, &FSC::SetHatchSettingToFeature),
         [](const Feature2dBase* t, const Feature2dBase* c) {
             return As<Hatch2dFeature>(t)->GetHatchSetting().GetPatternColorNo() ==
                    As<Hatch2dFeature>(c)->GetHatchSetting().GetPatternColorNo();
         },
         [](const Feature2dBase* t, const Feature2dBase*) {
             return As<Hatch2dFeature>(t)->GetHatchSetting().GetSolidColorNo() == 12;
         }},
        {"image: contrast differs, brightness shared", FeatureTypeImage,
         [](Feature2dBase* f, int i) { As<Image2dFeature>(f)->SetContrast(0.25f + 0.5f * i); },
         [](Feature2dBase* f) { As<Image2dFeature>(f)->SetBrightness(0.75f); },
         Merge<ImageSetting>(&FSC::GetImageSettingFromFeature, &FSC::SetImageSettingToFeature),
         [](const Feature2dBase* t, const Feature2dBase* c) {
             return As<Image2dFeature>(t)->GetContrast() == As<Image2dFeature>(c)->GetContrast();
         },
         [](const Feature2dBase* t, const Feature2dBase*) { return As<Image2dFeature>(t)->GetBrightness() == 0.75f; }},
        {"OLE object: width differs, background shared", FeatureTypeOleObject,
         [](Feature2dBase* f, int i) {
             OleObjectSetting s(As<OleObject2dFeature>(f)->GetOleObjectSetting());
             s.SetWidth(20.0 + i);
             As<OleObject2dFeature>(f)->SetOleObjectSetting(s);
         },
         [](Feature2dBase* f) {
             OleObjectSetting s(As<OleObject2dFeature>(f)->GetOleObjectSetting());
             s.SetBackgroundMode(1);
             As<OleObject2dFeature>(f)->SetOleObjectSetting(s);
         },
         // The OLE command folds with operator&=.
         [](const Feature2dBase* a, const Feature2dBase* b, Feature2dBase* target) {
             OleObjectSetting merged, other;
             if (!FSC::GetOleObjectSettingFromFeature(a, merged) || !FSC::GetOleObjectSettingFromFeature(b, other))
                 return FALSE;
             merged &= other;
             return FSC::SetOleObjectSettingToFeature(target, merged);
         },
         [](const Feature2dBase* t, const Feature2dBase* c) {
             return As<OleObject2dFeature>(t)->GetOleObjectSetting().GetWidth() ==
                    As<OleObject2dFeature>(c)->GetOleObjectSetting().GetWidth();
         },
         [](const Feature2dBase* t, const Feature2dBase*) {
             return As<OleObject2dFeature>(t)->GetOleObjectSetting().GetBackgroundMode() == 1;
         }},
    };
}

}  // namespace

TEST(FeatureSettingConverterKinds, MergedStylesWriteOnlyWhatTheShapesShare)
{
    for (const MergeCase& c : MergeCases()) {
        SCOPED_TRACE(c.name);
        Shape a = Make(c.type), b = Make(c.type), target = Make(c.type);
        c.vary(a.get(), 0);
        c.vary(b.get(), 1);
        c.share(a.get());
        c.share(b.get());
        Shape before(target->CopyObject());
        ASSERT_TRUE(c.mergeInto(a.get(), b.get(), target.get()));
        EXPECT_TRUE(c.differingKept(target.get(), before.get()));
        EXPECT_TRUE(c.sharedTaken(target.get(), a.get()));
        EXPECT_FALSE(target->IsEqual(before.get()));
    }
}

TEST(FeatureSettingConverterKinds, RefusedStylesLeaveTheShapeWhole)
{
    // An OLE object cannot be given a zero size: nothing of the style is taken, the colour included.
    OleObject2dFeature ole;
    OleObjectSetting sized;
    ASSERT_TRUE(sized.SetWidth(30.0) && sized.SetHeight(15.0));
    ASSERT_TRUE(ole.SetOleObjectSetting(sized));
    const OleObject2dFeature before(ole);
    OleObjectSetting flat;
    ASSERT_TRUE(FSC::GetOleObjectSettingFromFeature(&ole, flat));
    ASSERT_TRUE(flat.SetWidth(0.0));
    ASSERT_TRUE(flat.SetBackColorNo(5));
    EXPECT_FALSE(FSC::SetOleObjectSettingToFeature(&ole, flat));
    EXPECT_TRUE(ole.IsEqual(&before));

    // A merged style whose undefined values are filled from the shape, never written as "undefined".
    Text2dFeature text(CString(u"t"), RuVaPnt2d(0, 0));
    const Text2dFeature textBefore(text);
    TextSetting allUndefined;
    ASSERT_TRUE(FSC::GetTextSettingFromFeature(&text, allUndefined));
    TextSetting other(allUndefined);
    ASSERT_TRUE(other.SetHeight(allUndefined.GetHeight() + 1.0));
    ASSERT_TRUE(other.SetColorNo(9));
    ASSERT_TRUE(allUndefined.SettingAndSetting(other));
    ASSERT_TRUE(FSC::SetTextSettingToFeature(&text, allUndefined));
    EXPECT_TRUE(text.IsEqual(&textBefore));
    EXPECT_EQ(text.GetHeight(), textBefore.GetHeight());
    EXPECT_EQ(text.GetColorNo(), textBefore.GetColorNo());
}

TEST(FeatureSettingConverterKinds, BasicStyleReachesTheNumbersAShapesOwnStyleKeeps)
{
    // Shapes whose own style holds colour (and line) numbers too: after a basic style is written, the kind's
    // reader and the stored style agree with the shape.
    struct Case {
        int type;
        bool linesToo;
    };
    const Case cases[] = {{FeatureTypePointMarker, false}, {FeatureTypeText, false},   {FeatureTypeLead, true},
                          {FeatureTypeBalloon, true},      {FeatureTypeLinearDimension, true},
                          {FeatureTypeTolerance, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Shape f = Make(c.type);
        GeneralFeatureSetting general;
        ASSERT_TRUE(general.SetColorNo(6) && general.SetLineTypeNo(3) && general.SetLineWidthNo(11));
        ASSERT_TRUE(FSC::SetFeatureBaseSettingToFeature(f.get(), general));
        EXPECT_EQ(f->GetColorNo(), 6);
        EXPECT_EQ(f->GetLineTypeNo(), 3);
        EXPECT_EQ(f->GetLineWidthNo(), 11);
        short colour = 0, lineType = 3, width = 11;
        switch (c.type) {
        case FeatureTypePointMarker: colour = As<PointMarker2dFeature>(f.get())->GetPointMarkerSetting().GetColorNo(); break;
        case FeatureTypeText: colour = As<Text2dFeature>(f.get())->GetTextSetting().GetColorNo(); break;
        case FeatureTypeLead: {
            const LeadSetting& s = As<Lead2dFeature>(f.get())->GetLeadSetting();
            colour = s.GetColorNo(), lineType = s.GetLineTypeNo(), width = s.GetLineWidthNo();
            break;
        }
        case FeatureTypeBalloon: {
            const BalloonSetting& s = As<Balloon2dFeature>(f.get())->GetBalloonSetting();
            colour = s.GetColorNo(), lineType = s.GetLineTypeNo(), width = s.GetLineWidthNo();
            break;
        }
        case FeatureTypeLinearDimension: {
            const DimensionSetting& s = As<LinearDimension2dFeature>(f.get())->GetDimensionSetting();
            colour = s.GetColorNo(), lineType = s.GetLineTypeNo(), width = s.GetLineWidthNo();
            break;
        }
        case FeatureTypeTolerance: {
            const DimensionSetting& s = As<Tolerance2dFeature>(f.get())->GetDimensionSetting();
            colour = s.GetColorNo(), lineType = s.GetLineTypeNo(), width = s.GetLineWidthNo();
            break;
        }
        }
        EXPECT_EQ(colour, 6);
        if (c.linesToo) {
            EXPECT_EQ(lineType, 3);
            EXPECT_EQ(width, 11);
        }
    }
}

TEST(FeatureSettingConverterKinds, NumbersAStyleCannotHoldReadAsUndefinedAndSurviveAWrite)
{
    // An explicit line width and a user RGB colour.
    Lead2dFeature lead;
    ASSERT_TRUE(lead.SetLineWidthNo(Feature2dBase::kLineWidthNoExplicit));
    ASSERT_TRUE(lead.SetLineWidth(0.7));
    ASSERT_TRUE(lead.SetColorNo(-1));
    LeadSetting style;
    ASSERT_TRUE(FSC::GetLeadSettingFromFeature(&lead, style));
    EXPECT_EQ(style.GetLineWidthNo(), SettingValue::kUndefinedNo);
    EXPECT_EQ(style.GetColorNo(), -1);
    ASSERT_TRUE(style.SetSize(3.0));
    ASSERT_TRUE(FSC::SetLeadSettingToFeature(&lead, style));
    EXPECT_EQ(lead.GetLineWidthNo(), Feature2dBase::kLineWidthNoExplicit);
    EXPECT_EQ(lead.GetLineWidth(), 0.7);
    EXPECT_EQ(lead.GetLeadSetting().GetSize(), 3.0);

    // A reader leaves the caller's note of how it saw the shape.
    PointMarker2dFeature marker;
    PointMarkerSetting seen;
    seen.SetForEqualXYScaleSettingFlg(false);
    ASSERT_TRUE(FSC::GetPointMarkerSettingFromFeature(&marker, seen));
    EXPECT_FALSE(seen.IsForEqualXYScaleSetting());

    // The numbers alone.
    EXPECT_FALSE(FSC::ApplyNumbers(nullptr, 1, 1, 1));
    Shape line = Make(FeatureTypeLine);
    EXPECT_FALSE(FSC::ApplyNumbers(line.get(), 1, 1, 16));
    EXPECT_EQ(line->GetColorNo(), 0);
    EXPECT_TRUE(FSC::ApplyNumbers(line.get(), SettingValue::kUndefinedNo, 5, SettingValue::kUndefinedNo));
    EXPECT_EQ(line->GetLineTypeNo(), 5);
    EXPECT_EQ(line->GetColorNo(), 0);
}

TEST(FeatureSettingConverterKinds, ManyShapesReadIntoOneMergedStyle)
{
    Text2dFeature a(CString(u"a"), RuVaPnt2d(0, 0)), b(CString(u"b"), RuVaPnt2d(5, 0));
    ASSERT_TRUE(a.SetHeight(5.0) && b.SetHeight(5.0));
    ASSERT_TRUE(a.SetColorNo(1) && b.SetColorNo(2));
    Shape line = Make(FeatureTypeLine);
    LinearDimension2dFeature dim(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 2.0, 90.0, 0.0);
    Tolerance2dFeature frame(CString(u"A"), RuVaPnt2d(0, 0));
    ASSERT_TRUE(dim.SetColorNo(3) && frame.SetColorNo(3));
    ASSERT_TRUE(dim.SetLineWidthNo(4) && frame.SetLineWidthNo(5));
    Image2dFeature im1, im2;
    ASSERT_TRUE(im1.SetContrast(0.2f) && im2.SetContrast(0.8f));
    ASSERT_TRUE(im1.SetBrightness(0.6f) && im2.SetBrightness(0.6f));
    Shape ole1 = Make(FeatureTypeOleObject), ole2 = Make(FeatureTypeOleObject);
    {
        OleObjectSetting wider(static_cast<OleObject2dFeature*>(ole2.get())->GetOleObjectSetting());
        ASSERT_TRUE(wider.SetWidth(45.0));
        ASSERT_TRUE(static_cast<OleObject2dFeature*>(ole2.get())->SetOleObjectSetting(wider));
    }

    {
        // Shapes of other kinds and gaps are passed over.
        const Feature2dBase* shapes[] = {&a, line.get(), nullptr, &b};
        TextSetting merged;
        EXPECT_EQ(FSC::GetTextSettingFromFeatures(shapes, 4, merged), 2);
        EXPECT_EQ(merged.GetHeight(), 5.0);
        EXPECT_EQ(merged.GetColorNo(), SettingValue::kUndefinedNo);
        // The basic style reads every shape.
        GeneralFeatureSetting general;
        EXPECT_EQ(FSC::GetFeatureBaseSettingFromFeatures(shapes, 4, general), 3);
        EXPECT_EQ(general.GetColorNo(), SettingValue::kUndefinedNo);
        EXPECT_EQ(general.GetLineTypeNo(), 0);
    }
    {
        const Feature2dBase* shapes[] = {&frame, &dim};
        DimensionSetting merged;
        EXPECT_EQ(FSC::GetDimensionSettingFromFeatures(shapes, 2, merged), 2);
        EXPECT_EQ(merged.GetColorNo(), 3);
        EXPECT_EQ(merged.GetLineWidthNo(), SettingValue::kUndefinedNo);
    }
    {
        const Feature2dBase* shapes[] = {&im1, &im2};
        ImageSetting merged;
        EXPECT_EQ(FSC::GetImageSettingFromFeatures(shapes, 2, merged), 2);
        EXPECT_EQ(merged.GetContrast(), FLT_MAX);
        EXPECT_EQ(merged.GetBrightness(), 0.6f);
    }
    {
        const Feature2dBase* shapes[] = {ole1.get(), ole2.get()};
        OleObjectSetting merged;
        EXPECT_EQ(FSC::GetOleObjectSettingFromFeatures(shapes, 2, merged), 2);
        EXPECT_EQ(merged.GetWidth(), DBL_MAX);
        EXPECT_EQ(merged.GetHeight(), 15.0);
    }
    {
        // Nothing of the kind, or no list: the caller's setting stays as it was.
        const Feature2dBase* shapes[] = {&a, &b};
        HatchSetting hatch;
        ASSERT_TRUE(hatch.SetPatternColorNo(9));
        EXPECT_EQ(FSC::GetHatchSettingFromFeatures(shapes, 2, hatch), 0);
        EXPECT_EQ(FSC::GetHatchSettingFromFeatures(nullptr, 3, hatch), 0);
        EXPECT_EQ(FSC::GetHatchSettingFromFeatures(shapes, -1, hatch), 0);
        EXPECT_EQ(hatch.GetPatternColorNo(), 9);
    }
}
