// Breaking shapes into simple pieces: what each kind gives, the pieces' attributes, the callback's stop and
// the deep form that breaks arrows and nested groups up too.

#include <gtest/gtest.h>

#include <map>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/Text2dFeature.h"

using namespace feature_test;

namespace {

struct Seen {
    std::map<int, int> types;
    int calls = 0;
    int stopAfter = -1;
};

int Count(const DrawingFeatureBase*, const Feature2dBase* piece, void* user, void*, const Feature2dBase*)
{
    auto* seen = static_cast<Seen*>(user);
    ++seen->types[piece->GetFeatureType()];
    ++seen->calls;
    return seen->stopAfter < 0 || seen->calls < seen->stopAfter;
}

}  // namespace

TEST(FeatureResolver, EachKindBreaksIntoItsPieces)
{
    Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(1, 1), RuVaPnt2d(0, 1)});
    poly.SetColorNo(4);
    poly.SetLayerID(9);
    Seen polySeen;
    ASSERT_TRUE(FeatureResolver::ResolveFeature(nullptr, &poly, &Count, &polySeen, nullptr));
    EXPECT_EQ(polySeen.types[FeatureTypeLine], 3);

    // Long enough for its text and both heads between the extension lines.
    const LinearDimension2dFeature dimension(RuVaPnt2d(0, 0), RuVaPnt2d(30, 0), 5.0, 90.0, 0.0);
    Seen dimSeen;
    ASSERT_TRUE(FeatureResolver::ResolveFeature(nullptr, &dimension, &Count, &dimSeen, nullptr));
    EXPECT_EQ(dimSeen.types[FeatureTypeLine], 3);   // two extension lines and the dimension line
    EXPECT_EQ(dimSeen.types[FeatureTypeArrow], 2);
    EXPECT_EQ(dimSeen.types[FeatureTypeText], 1);

    // Simple shapes and texts do not break up; a callback answering 0 stops the run.
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 1.0);
    Seen none;
    EXPECT_FALSE(FeatureResolver::ResolveFeature(nullptr, &circle, &Count, &none, nullptr));
    EXPECT_FALSE(FeatureResolver::ResolveFeature(nullptr, nullptr, &Count, &none, nullptr));
    EXPECT_EQ(none.calls, 0);
    Seen stopped;
    stopped.stopAfter = 2;
    FeatureResolver::ResolveFeature(nullptr, &dimension, &Count, &stopped, nullptr);
    EXPECT_EQ(stopped.calls, 2);
}

TEST(FeatureResolver, AllPiecesInAListKeepTheAttributes)
{
    LinearDimension2dFeature dimension(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 5.0, 90.0, 0.0);
    dimension.SetColorNo(6);
    dimension.SetLayerID(12);
    std::unique_ptr<Feature2dList> shallow(FeatureResolver::ResolveFeatureAll(nullptr, &dimension, 0));
    ASSERT_TRUE(shallow);
    std::unique_ptr<Feature2dList> deep(FeatureResolver::ResolveFeatureAll(nullptr, &dimension, 1));
    ASSERT_TRUE(deep);
    int arrows = 0;
    for (int i = 0; i < deep->GetFeatureSize(); ++i) {
        const Feature2dBase* piece = deep->GetFeature(i);
        EXPECT_TRUE(piece->IsValid());
        EXPECT_EQ(piece->GetColorNo(), 6);
        EXPECT_EQ(piece->GetLayerID(), 12);
        EXPECT_EQ(piece->GetRecordID(), -1);
        arrows += piece->GetFeatureType() == FeatureTypeArrow;
    }
    EXPECT_EQ(arrows, 0);  // broken up into outlines
    EXPECT_GT(deep->GetFeatureSize(), 0);

    // Only the kinds the filter admits (lines: bit 1).
    SelectionFeatureFilter linesOnly;
    linesOnly.SetFeatureFilter(0x2);
    std::unique_ptr<Feature2dList> lines(FeatureResolver::ResolveFeatureAll(nullptr, &dimension, 1, &linesOnly));
    ASSERT_TRUE(lines);
    for (int i = 0; i < lines->GetFeatureSize(); ++i)
        EXPECT_EQ(lines->GetFeature(i)->GetFeatureType(), FeatureTypeLine);

    // Groups give their members; nested groups break up in the deep form.
    DrawGroup2dFeature inner, outer;
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    Circle2dFeature circle(RuVaPnt2d(0, 0), 1.0);
    inner.AddFeature(&line, 1);
    inner.AddFeature(&circle, 1);
    outer.AddFeature(&inner, 1);
    outer.AddFeature(&line, 1);
    std::unique_ptr<Feature2dList> members(FeatureResolver::ResolveFeatureAll(nullptr, &outer, 0));
    ASSERT_EQ(members->GetFeatureSize(), 2);
    EXPECT_EQ(members->GetFeature(0)->GetFeatureType(), FeatureTypeDrawGroup);
    std::unique_ptr<Feature2dList> flat(FeatureResolver::ResolveFeatureAll(nullptr, &outer, 1));
    ASSERT_EQ(flat->GetFeatureSize(), 3);
    EXPECT_FALSE(FeatureResolver::ResolveFeatureAll(nullptr, &circle, 1));

    // Every sample shape resolves without fault; what comes out is valid.
    for (const auto& f : MakeSampleFeatures()) {
        std::unique_ptr<Feature2dList> pieces(FeatureResolver::ResolveFeatureAll(nullptr, f.get(), 1));
        if (!pieces)
            continue;
        for (int i = 0; i < pieces->GetFeatureSize(); ++i)
            EXPECT_TRUE(pieces->GetFeature(i)->IsValid()) << f->GetRuntimeClass()->m_lpszClassName;
    }
}
