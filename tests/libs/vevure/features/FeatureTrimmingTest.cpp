// The trim engine over a real document: the piece between the nearest crossings around the pick goes,
// one-sided cuts run to the end, closed shapes open into arcs, infinite lines give rays, and a region
// deletes what lies inside and keeps the outside pieces of what crosses it. The document is never
// changed by the engine.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureTrimming.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

namespace {

class FeatureTrimmingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        const long layer = doc.AddLayer(_T("Shapes"), -1);
        ASSERT_NE(layer, -1);
        ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
    }
    long Add(Feature2dBase&& shape)
    {
        shape.SetLayerID(doc.GetCurrentLayerID());
        const long id = doc.AddFeature(&shape, nullptr, 1);
        EXPECT_NE(id, -1);
        return id;
    }
    long Line(double x1, double y1, double x2, double y2)
    {
        return Add(Line2dFeature(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2)));
    }
    static bool Near(const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.Distance(b) < 1e-7; }
    // The ends of a line piece, either way round.
    static bool IsLine(const Feature2dBase* p, const RuVaPnt2d& a, const RuVaPnt2d& b)
    {
        const auto* l = dynamic_cast<const Line2dFeature*>(p);
        return l != nullptr && ((Near(l->GetStartPoint(), a) && Near(l->GetEndPoint(), b)) ||
                                (Near(l->GetStartPoint(), b) && Near(l->GetEndPoint(), a)));
    }

    Draw2dDocument doc;
};

}  // namespace

TEST_F(FeatureTrimmingTest, PickTrimsBetweenTheNearestCrossings)
{
    const long line = Line(0, 0, 10, 0);
    Line(3, -5, 3, 5);
    Line(7, -5, 7, 5);
    Line(20, -5, 20, 5);  // far off: no crossing
    struct Case {
        const char* name;
        double pickX;
        std::vector<std::pair<RuVaPnt2d, RuVaPnt2d>> pieces;
    };
    const Case cases[] = {
        {"between two cutters", 5, {{RuVaPnt2d(0, 0), RuVaPnt2d(3, 0)}, {RuVaPnt2d(7, 0), RuVaPnt2d(10, 0)}}},
        {"beyond the last cutter", 8.5, {{RuVaPnt2d(0, 0), RuVaPnt2d(7, 0)}}},
        {"before the first cutter", 1, {{RuVaPnt2d(3, 0), RuVaPnt2d(10, 0)}}},
    };
    const int undo = doc.GetUndoCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FeatureTrimming trimming;
        Feature2dList removed;
        ASSERT_TRUE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(line), RuVaPnt2d(c.pickX, 0), 0,
                                         &removed));
        EXPECT_EQ(trimming.GetDeletedFeatureCount(), 0);
        ASSERT_EQ(trimming.GetTrimmedFeatureCount(), 1);
        EXPECT_EQ(trimming.GetTrimmedFeature(0), line);
        const Feature2dList* pPieces = trimming.GetTrimmedResult(0);
        ASSERT_NE(pPieces, nullptr);
        ASSERT_EQ(pPieces->GetFeatureSize(), (int)c.pieces.size());
        for (size_t i = 0; i < c.pieces.size(); ++i)
            EXPECT_TRUE(IsLine(pPieces->GetFeature((int)i), c.pieces[i].first, c.pieces[i].second)) << i;
        // The removed piece holds the pick.
        ASSERT_EQ(removed.GetFeatureSize(), 1);
        const auto* pGone = dynamic_cast<const Line2dFeature*>(removed.GetFeature(0));
        ASSERT_NE(pGone, nullptr);
        EXPECT_LT(std::min(pGone->GetStartPoint().X(), pGone->GetEndPoint().X()), c.pickX);
        EXPECT_GT(std::max(pGone->GetStartPoint().X(), pGone->GetEndPoint().X()), c.pickX);
    }
    // The engine only works it out.
    EXPECT_EQ(doc.GetUndoCount(), undo);
    EXPECT_TRUE(IsLine(doc.GetFeature(line), RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
}

TEST_F(FeatureTrimmingTest, ClosedShapesNeedTwoCrossingsAndOpenIntoAnArc)
{
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 5));
    FeatureTrimming trimming;
    // One crossing is not enough to open a circle.
    const long tangent = Line(-10, 5, 10, 5);
    EXPECT_FALSE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(circle), RuVaPnt2d(0, -5), 0));
    doc.DeleteFeature(tangent, 0);
    Line(-10, 0, 10, 0);
    ASSERT_TRUE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(circle), RuVaPnt2d(0, 5), 0));
    ASSERT_EQ(trimming.GetTrimmedFeatureCount(), 1);
    const Feature2dList* pPieces = trimming.GetTrimmedResult(0);
    ASSERT_EQ(pPieces->GetFeatureSize(), 1);
    const auto* pArc = dynamic_cast<const Arc2dFeature*>(pPieces->GetFeature(0));
    ASSERT_NE(pArc, nullptr);
    // The lower half is kept.
    EXPECT_NEAR(pArc->GetRadius(), 5, 1e-9);
    // Counter-clockwise from the start angle to the end angle.
    const double sweep = std::fmod(pArc->GetEndAngle() - pArc->GetStartAngle() + 720.0, 360.0);
    EXPECT_NEAR(sweep, 180.0, 1e-6);
    const double mid = pArc->GetStartAngle() + sweep / 2;
    EXPECT_NEAR(std::fmod(mid + 360.0, 360.0), 270.0, 1e-6);
}

TEST_F(FeatureTrimmingTest, AnInfiniteLineGivesRays)
{
    const long infinite = Add(InfiniteLine2dFeature(RuVaPnt2d(0, 0), RuVaDir2d(1, 0)));
    Line(3, -5, 3, 5);
    Line(7, -5, 7, 5);
    FeatureTrimming trimming;
    ASSERT_TRUE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(infinite), RuVaPnt2d(5, 0), 0));
    ASSERT_EQ(trimming.GetTrimmedFeatureCount(), 1);
    const Feature2dList* pPieces = trimming.GetTrimmedResult(0);
    ASSERT_EQ(pPieces->GetFeatureSize(), 2);
    std::vector<std::pair<double, double>> rays;  // start x, direction x
    for (int i = 0; i < 2; ++i) {
        const auto* pRay = dynamic_cast<const SemiInfiniteLine2dFeature*>(pPieces->GetFeature(i));
        ASSERT_NE(pRay, nullptr);
        EXPECT_EQ(pRay->GetFeatureType(), FeatureTypeSemiInfiniteLine);
        rays.emplace_back(pRay->GetPoint().X(), pRay->GetDirection().X());
    }
    std::sort(rays.begin(), rays.end());
    EXPECT_NEAR(rays[0].first, 3, 1e-7);
    EXPECT_NEAR(rays[0].second, -1, 1e-9);
    EXPECT_NEAR(rays[1].first, 7, 1e-7);
    EXPECT_NEAR(rays[1].second, 1, 1e-9);
}

TEST_F(FeatureTrimmingTest, NothingToCutGivesFalse)
{
    const long line = Line(0, 0, 10, 0);
    const long text = Add(Text2dFeature(CString(_T("A")), RuVaPnt2d(5, 0)));
    Line(0, 0, 0, 5);  // meets it at its end only
    FeatureTrimming trimming;
    EXPECT_FALSE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(line), RuVaPnt2d(5, 0), 0));
    EXPECT_FALSE(trimming.TrimFeature(&doc, nullptr, nullptr, doc.GetFeature(text), RuVaPnt2d(5, 0), 0));
    EXPECT_EQ(trimming.GetDeletedFeatureCount(), 0);
    EXPECT_EQ(trimming.GetTrimmedFeatureCount(), 0);
}

TEST_F(FeatureTrimmingTest, ARegionDeletesWhatLiesInsideAndCutsWhatCrossesIt)
{
    const long inside = Line(4, 0, 6, 0);
    const long crossing = Line(0, 1, 10, 1);
    const long outside = Line(0, 5, 10, 5);
    const long text = Add(Text2dFeature(CString(_T("A")), RuVaPnt2d(5, -1)));
    KcArrayOfGePnt2d region;
    for (const RuVaPnt2d& p : {RuVaPnt2d(2, -2), RuVaPnt2d(8, -2), RuVaPnt2d(8, 2), RuVaPnt2d(2, 2), RuVaPnt2d(2, -2)})
        region.Add(p);
    FeatureTrimming trimming;
    ASSERT_TRUE(trimming.TrimFeature(&doc, nullptr, region));
    ASSERT_EQ(trimming.GetDeletedFeatureCount(), 1);
    EXPECT_EQ(trimming.GetDeletedFeature(0), inside);
    ASSERT_EQ(trimming.GetTrimmedFeatureCount(), 1);
    EXPECT_EQ(trimming.GetTrimmedFeature(0), crossing);
    const Feature2dList* pPieces = trimming.GetTrimmedResult(0);
    ASSERT_EQ(pPieces->GetFeatureSize(), 2);
    EXPECT_TRUE(IsLine(pPieces->GetFeature(0), RuVaPnt2d(0, 1), RuVaPnt2d(2, 1)) ||
                IsLine(pPieces->GetFeature(1), RuVaPnt2d(0, 1), RuVaPnt2d(2, 1)));
    EXPECT_TRUE(IsLine(pPieces->GetFeature(0), RuVaPnt2d(8, 1), RuVaPnt2d(10, 1)) ||
                IsLine(pPieces->GetFeature(1), RuVaPnt2d(8, 1), RuVaPnt2d(10, 1)));
    (void)outside;
    (void)text;

    // A region that reaches no curve.
    KcArrayOfGePnt2d empty;
    for (const RuVaPnt2d& p : {RuVaPnt2d(50, 50), RuVaPnt2d(60, 50), RuVaPnt2d(60, 60), RuVaPnt2d(50, 50)})
        empty.Add(p);
    EXPECT_FALSE(trimming.TrimFeature(&doc, nullptr, empty));
}
