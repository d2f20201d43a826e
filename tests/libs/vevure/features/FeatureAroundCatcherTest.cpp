// The corner catcher over a real document: two loose ends in the window carried to the crossing of their
// lines (short of it or past it), parallel ends and any other number of ends refused, and a polyline
// with both ends in the window closed. The document is never changed by the engine.

#include <gtest/gtest.h>

#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureAroundCatcher.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace {

class FeatureAroundCatcherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        const long layer = doc.AddLayer(_T("Shapes"), -1);
        ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
    }
    long Add(Feature2dBase&& shape)
    {
        shape.SetLayerID(doc.GetCurrentLayerID());
        return doc.AddFeature(&shape, nullptr, 1);
    }
    static KcArrayOfGePnt2d Window(double x1, double y1, double x2, double y2)
    {
        KcArrayOfGePnt2d w;
        for (const RuVaPnt2d& p : {RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y1), RuVaPnt2d(x2, y2), RuVaPnt2d(x1, y2),
                                   RuVaPnt2d(x1, y1)})
            w.Add(p);
        return w;
    }
    static bool Near(const RuVaPnt2d& a, const RuVaPnt2d& b) { return a.Distance(b) < 1e-9; }

    Draw2dDocument doc;
};

}  // namespace

TEST_F(FeatureAroundCatcherTest, TwoEndsMeetAtTheCrossingOfTheirLines)
{
    struct Case {
        const char* name;
        RuVaPnt2d horizontalEnd;  // the horizontal line runs from (-10, 0) to here
        RuVaPnt2d verticalEnd;    // the vertical line runs from (0, -10) to here
    };
    const Case cases[] = {
        {"short of each other", RuVaPnt2d(-1, 0), RuVaPnt2d(0, -1)},
        {"past each other", RuVaPnt2d(1.5, 0), RuVaPnt2d(0, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long h = Add(Line2dFeature(RuVaPnt2d(-10, 0), c.horizontalEnd));
        const long v = Add(Line2dFeature(RuVaPnt2d(0, -10), c.verticalEnd));
        const int undo = doc.GetUndoCount();
        FeatureAroundCatcher catcher;
        ASSERT_TRUE(catcher.AroundCatcherFeature(&doc, nullptr, Window(-3, -3, 3, 3)));
        ASSERT_EQ(catcher.GetDeletedFeatureCount(), 2);
        ASSERT_EQ(catcher.GetAroundCatcherFeatureCount(), 2);
        const Feature2dList* pResults = catcher.GetAroundCatcherResultFeatureList();
        for (int i = 0; i < 2; ++i) {
            const auto* pLine = dynamic_cast<const Line2dFeature*>(pResults->GetFeature(i));
            ASSERT_NE(pLine, nullptr);
            EXPECT_TRUE(pLine->GetRecordID() == h || pLine->GetRecordID() == v);
            EXPECT_TRUE(Near(pLine->GetEndPoint(), RuVaPnt2d(0, 0)));
            EXPECT_TRUE(Near(pLine->GetStartPoint(), pLine->GetRecordID() == h ? RuVaPnt2d(-10, 0) : RuVaPnt2d(0, -10)));
        }
        EXPECT_EQ(doc.GetUndoCount(), undo);
        EXPECT_TRUE(Near(static_cast<const Line2dFeature*>(doc.GetFeature(h))->GetEndPoint(), c.horizontalEnd));
        doc.BeginUndoOperation(nullptr);
        doc.DeleteFeature(h, 0);
        doc.DeleteFeature(v, 0);
        doc.EndUndoOperation();
    }
}

TEST_F(FeatureAroundCatcherTest, ParallelEndsAndOtherCountsAreRefused)
{
    Add(Line2dFeature(RuVaPnt2d(-10, 0), RuVaPnt2d(-1, 0)));
    Add(Line2dFeature(RuVaPnt2d(10, 1), RuVaPnt2d(1, 1)));  // parallel to the first
    FeatureAroundCatcher catcher;
    EXPECT_FALSE(catcher.AroundCatcherFeature(&doc, nullptr, Window(-3, -3, 3, 3)));
    // A third end in the window.
    Add(Line2dFeature(RuVaPnt2d(0, -10), RuVaPnt2d(0, -1)));
    EXPECT_FALSE(catcher.AroundCatcherFeature(&doc, nullptr, Window(-3, -3, 3, 3)));
    // No end at all.
    EXPECT_FALSE(catcher.AroundCatcherFeature(&doc, nullptr, Window(50, 50, 60, 60)));
    EXPECT_EQ(catcher.GetDeletedFeatureCount(), 0);
    EXPECT_EQ(catcher.GetAroundCatcherFeatureCount(), 0);
}

TEST_F(FeatureAroundCatcherTest, APolylineWithBothEndsInTheWindowCloses)
{
    KcArrayOfGePnt2d points;
    for (const RuVaPnt2d& p : {RuVaPnt2d(-1, 0), RuVaPnt2d(-10, 0), RuVaPnt2d(-10, -10), RuVaPnt2d(0, -10),
                               RuVaPnt2d(0, -1)})
        points.Add(p);
    const long polyline = Add(Polyline2dFeature(points));
    FeatureAroundCatcher catcher;
    ASSERT_TRUE(catcher.AroundCatcherFeature(&doc, nullptr, Window(-3, -3, 3, 3)));
    ASSERT_EQ(catcher.GetDeletedFeatureCount(), 1);
    EXPECT_EQ(catcher.GetDeletedFeature(0), polyline);
    const auto* pClosed =
        dynamic_cast<const Polyline2dFeature*>(catcher.GetAroundCatcherResultFeatureList()->GetFeature(0));
    ASSERT_NE(pClosed, nullptr);
    EXPECT_EQ(pClosed->GetRecordID(), polyline);
    EXPECT_TRUE(pClosed->IsClosed());
    EXPECT_TRUE(Near(pClosed->GetPoint(0), RuVaPnt2d(0, 0)));
    EXPECT_TRUE(Near(pClosed->GetPoint(pClosed->GetPointSize() - 1), RuVaPnt2d(0, 0)));
}
