// The view's walk over the shapes a user can pick, as the region search enumerates its candidates.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"
#include "tests/regionsearch/RegionTestSupport.h"

namespace {

long AddLine(Draw2dDocument& doc, DrawingFeatureBase* d, double y)
{
    Line2dFeature line(RuVaPnt2d(0, y), RuVaPnt2d(1, y));
    return doc.AddFeature(&line, d, 0);
}

std::vector<std::pair<long, long>> Walk(const Draw2dView& view, int flag)
{
    std::vector<std::pair<long, long>> seen;
    long layout = -1;
    for (long id = view.GetNextSelectableFeatureRecordID(layout, -1, flag); id != -1;
         id = view.GetNextSelectableFeatureRecordID(layout, id, flag)) {
        seen.emplace_back(id, layout);
        if (seen.size() > 100)
            break;
    }
    return seen;
}

TEST(Draw2dViewWalk, OwnShapesFirstThenEachLayoutInOrder)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long partA = doc.AddPartDrawingFeature(_T("A"));
    const long partB = doc.AddPartDrawingFeature(_T("B"));
    DrawingFeatureBase* a = doc.GetDrawingFeatureByID(partA);
    DrawingFeatureBase* b = doc.GetDrawingFeatureByID(partB);
    const long a1 = AddLine(doc, a, 1);
    const long p1 = AddLine(doc, nullptr, 2);
    const long b1 = AddLine(doc, b, 3);
    const long a2 = AddLine(doc, a, 4);
    const long la = doc.AddPartLayout(paper, partA, nullptr, -1, 0);
    const long lb = doc.AddPartLayout(paper, partB, nullptr, -1, 0);
    ASSERT_NE(la, -1);
    ASSERT_NE(lb, -1);
    Draw2dView view(&doc);
    EXPECT_EQ(Walk(view, 0), (std::vector<std::pair<long, long>>{{p1, -1}, {a1, la}, {a2, la}, {b1, lb}}));

    // A drawing shown but not editable is picked only with flag 1; a hidden one never.
    ASSERT_TRUE(doc.SetDrawingState(partA, 1, 0));
    ASSERT_TRUE(doc.SetDrawingState(partB, 2, 0));
    EXPECT_EQ(Walk(view, 0), (std::vector<std::pair<long, long>>{{p1, -1}}));
    EXPECT_EQ(Walk(view, 1), (std::vector<std::pair<long, long>>{{p1, -1}, {a1, la}, {a2, la}}));

    // A view of the part drawing alone sees its shapes in their own coordinates.
    ASSERT_TRUE(view.SetDrawingID(partA));
    EXPECT_EQ(Walk(view, 1), (std::vector<std::pair<long, long>>{{a1, -1}, {a2, -1}}));
    EXPECT_FALSE(view.SetDrawingID(9999));
    // An unknown layout ends the walk.
    long layout = 12345;
    EXPECT_EQ(view.GetNextSelectableFeatureRecordID(layout, -1, 0), -1);
}

TEST(Draw2dViewWalk, ZoomSetsTheFlatteningAndBadPicksFindNothing)
{
    Draw2dView view;
    EXPECT_TRUE(view.SetScale(40.0));
    EXPECT_DOUBLE_EQ(view.ConvertLengthClientToWorld(5), 0.125);
    EXPECT_FALSE(view.SetScale(0.0));
    EXPECT_FALSE(view.SetScale(std::numeric_limits<double>::infinity()));
    EXPECT_DOUBLE_EQ(view.GetScale(), 40.0);
    view.SetClientSize(200, 100);
    view.SetCenterPoint(RuVaPnt2d(10, 20));
    RuVaPnt2d w;
    view.ConvertPointClientToWorld(140, 30, w);
    EXPECT_DOUBLE_EQ(w.X(), 11.0);
    EXPECT_DOUBLE_EQ(w.Y(), 20.5);
    double x = 0, y = 0;
    view.ConvertPointWorldToClient(w, x, y);
    EXPECT_DOUBLE_EQ(x, 140.0);
    EXPECT_DOUBLE_EQ(y, 30.0);

    // A view without a document, and a pick that is not a number, find no region.
    Draw2dDocument doc;
    doc.InitDocument();
    AddLine(doc, nullptr, 0);
    KcRegionSearcher searcher(&doc);
    DWORD clock = 0;
    searcher.SetTickCountFunction(&regiontest::StepTick, &clock);
    EXPECT_EQ(searcher.SearchRegion(&view, RuVaPnt2d(0.5, 1), 0), KcRegionSearcher::statusNoRegion);
    // A closed square around every pick of height 1: only the pick itself can make the search fail.
    const RuVaPnt2d corners[] = {RuVaPnt2d(-5, -5), RuVaPnt2d(5, -5), RuVaPnt2d(5, 5), RuVaPnt2d(-5, 5)};
    for (int i = 0; i < 4; ++i) {
        Line2dFeature side(corners[i], corners[(i + 1) % 4]);
        doc.AddFeature(&side, nullptr, 0);
    }
    Draw2dView docView(&doc);
    EXPECT_EQ(searcher.SearchRegion(&docView, RuVaPnt2d(0.5, 1), 0), KcRegionSearcher::statusFound);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(searcher.SearchRegion(&docView, RuVaPnt2d(nan, 1), 0), KcRegionSearcher::statusNoRegion);
    EXPECT_EQ(searcher.SearchRegion(&docView, RuVaPnt2d(0.5, nan), 0), KcRegionSearcher::statusNoRegion);
}

}  // namespace
