// Drawings too large to be taken whole: the search follows the face around the pick tile by tile and keeps
// the shapes it converted for the next search. Every answer must equal that of the arrangement of the whole
// drawing at once, and a change to the document must be seen by the next search.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include <TColGeom2d_HSequenceOfCurve.hxx>

#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"
#include "regionsearch/RgnArrangement.h"
#include "regionsearch/RgnSearch.h"
#include "tests/regionsearch/RegionTestSupport.h"

namespace {

long Add(Draw2dDocument& doc, const Feature2dBase& f)
{
    return doc.AddFeature(&f, nullptr, 0);
}

// A grid of squares with a circle inside each, lines running across neighbouring cells, and random lines
// and arcs: a maze of open streets and closed pockets, well above the size taken whole.
void AddMaze(Draw2dDocument& doc, int side, std::mt19937& rng)
{
    const double cell = 10.0, s = 8.0;
    std::uniform_real_distribution<double> unit(0.0, 1.0), angle(0.0, 360.0);
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const double x = i * cell, y = j * cell;
            Add(doc, Line2dFeature(RuVaPnt2d(x, y), RuVaPnt2d(x + s, y)));
            Add(doc, Line2dFeature(RuVaPnt2d(x + s, y), RuVaPnt2d(x + s, y + s)));
            Add(doc, Line2dFeature(RuVaPnt2d(x + s, y + s), RuVaPnt2d(x, y + s)));
            Add(doc, Line2dFeature(RuVaPnt2d(x, y + s), RuVaPnt2d(x, y)));
            Add(doc, Circle2dFeature(RuVaPnt2d(x + s * (0.3 + 0.4 * unit(rng)), y + s * (0.3 + 0.4 * unit(rng))),
                                            s * 0.2));
            const RuVaPnt2d a(x + cell * unit(rng), y + cell * unit(rng));
            Add(doc, Line2dFeature(a, RuVaPnt2d(a.X() + cell * (2.0 * unit(rng) - 1.0),
                                                       a.Y() + cell * (2.0 * unit(rng) - 1.0))));
        }
    }
    const double extent = side * cell;
    for (int k = 0; k < side * side; ++k) {
        const RuVaPnt2d c(extent * unit(rng), extent * unit(rng));
        if (k % 2 == 0)
            Add(doc, Line2dFeature(c, RuVaPnt2d(c.X() + cell * 2.0 * (unit(rng) - 0.5),
                                                       c.Y() + cell * 2.0 * (unit(rng) - 0.5))));
        else
            Add(doc, Arc2dFeature(c, cell * (0.2 + unit(rng)), angle(rng), angle(rng), static_cast<int>(rng() % 2)));
    }
}

// The arrangement of the whole drawing at once, which the search never builds for a drawing this large.
struct WholeDrawing {
    RgnArrangement arrangement;
    WholeDrawing(const Draw2dDocument& doc, const Draw2dView& view)
    {
        RgnSearch all(&doc);
        all.CollectCurves(&view, 0);
        std::vector<Handle(Geom2d_Curve)> curves;
        for (int i = 0; i < all.GetCurveCount(); ++i)
            curves.push_back(all.GetCurveInfo(i).curve);
        RgnArrangement::Box clip;
        clip.xmin = clip.ymin = -1000.0;
        clip.xmax = clip.ymax = 1000.0;
        EXPECT_EQ(RgnArrangement::resultFound, arrangement.Build(curves, clip, RgnArrangement::StepFunction()));
    }
    // The area of the face around the point, or -1 when it is open.
    double Area(const gp_Pnt2d& pick) const
    {
        Handle(TColGeom2d_HSequenceOfCurve) loop;
        RgnArrangement::Box loopBox;
        if (arrangement.Locate(pick, loop, loopBox) != RgnArrangement::resultFound)
            return -1.0;
        double twice = 0.0;
        for (int i = 1; i <= loop->Length(); ++i)
            twice += RgnArrangement::SweptArea(loop->Value(i), pick);
        return 0.5 * twice;
    }
};

TEST(RegionLargeDrawing, EveryPickAgreesWithTheWholeDrawingsArrangement)
{
    std::mt19937 rng(5);
    Draw2dDocument doc;
    doc.InitDocument();
    AddMaze(doc, 9, rng);
    // A construction line across the maze: it runs through every tile it meets.
    Add(doc, InfiniteLine2dFeature(RuVaPnt2d(3.3, 0.0), RuVaDir2d(56.7, 91.7)));
    Draw2dView view(&doc);
    KcRegionSearcher searcher(&doc);
    const WholeDrawing whole(doc, view);
    std::uniform_real_distribution<double> coord(-5.0, 95.0);
    int found = 0, open = 0;
    for (int pick = 0; pick < 300; ++pick) {
        const RuVaPnt2d p(coord(rng), coord(rng));
        const double expected = whole.Area(gp_Pnt2d(p.X(), p.Y()));
        const KcRegionSearcher::Status status = searcher.SearchRegion(&view, p, 0);
        SCOPED_TRACE(testing::Message() << "pick " << p.X() << ", " << p.Y());
        if (expected < 0.0) {
            // On a shape the whole arrangement may still find a face; the search says no region there.
            EXPECT_EQ(KcRegionSearcher::statusNoRegion, status);
            ++open;
            continue;
        }
        ASSERT_EQ(KcRegionSearcher::statusFound, status);
        ++found;
        const double area = std::fabs(regiontest::PolygonArea(regiontest::RegionPolygon(*searcher.GetRegion(), 1e-8)));
        EXPECT_NEAR(expected, area, 1e-6 * (1.0 + expected));
    }
    // Both kinds of answer occur, or the table proves little.
    EXPECT_GT(found, 100);
    EXPECT_GT(open, 20);
    std::printf("%d picks found, %d open\n", found, open);
}

TEST(RegionLargeDrawing, TheNextSearchSeesEveryChangeOfTheDocument)
{
    std::mt19937 rng(9);
    Draw2dDocument doc;
    doc.InitDocument();
    AddMaze(doc, 8, rng);  // far from the square below
    const double x = 500.0, y = 500.0;
    const long bottom = Add(doc, Line2dFeature(RuVaPnt2d(x, y), RuVaPnt2d(x + 10, y)));
    Add(doc, Line2dFeature(RuVaPnt2d(x + 10, y), RuVaPnt2d(x + 10, y + 10)));
    Add(doc, Line2dFeature(RuVaPnt2d(x + 10, y + 10), RuVaPnt2d(x, y + 10)));
    const long left = Add(doc, Line2dFeature(RuVaPnt2d(x, y + 10), RuVaPnt2d(x, y)));
    Draw2dView view(&doc);
    KcRegionSearcher searcher(&doc);
    const RuVaPnt2d pick(x + 3, y + 3);
    auto area = [&]() {
        return searcher.SearchRegion(&view, pick, 0) == KcRegionSearcher::statusFound
                   ? regiontest::RegionArea(*searcher.GetRegion())
                   : -1.0;
    };
    EXPECT_NEAR(100.0, area(), 1e-9);
    // Moved: the square becomes 10 x 8.
    const Line2dFeature lower(RuVaPnt2d(x - 1, y + 2), RuVaPnt2d(x + 11, y + 2));
    ASSERT_TRUE(doc.UpdateFeature(bottom, &lower, 0, 3));
    EXPECT_NEAR(80.0, area(), 1e-9);
    // Deleted: open.
    ASSERT_TRUE(doc.DeleteFeature(left, 0));
    EXPECT_EQ(-1.0, area());
    // Undone and redone, a step at a time.
    ASSERT_TRUE(doc.Undo(1));
    EXPECT_NEAR(80.0, area(), 1e-9);
    ASSERT_TRUE(doc.Undo(1));
    EXPECT_NEAR(100.0, area(), 1e-9);
    ASSERT_TRUE(doc.Redo(1));
    EXPECT_NEAR(80.0, area(), 1e-9);
}

}  // namespace
