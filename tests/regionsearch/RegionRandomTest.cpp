// Random drawings of lines, arcs and circles searched at random points: every search ends, and every
// region found holds the point and runs along the drawing's shapes.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"
#include "regionsearch/KcRegionSearcher.h"
#include "tests/regionsearch/RegionTestSupport.h"

namespace {

double Distance(const std::vector<std::unique_ptr<RuVaEntity2d>>& curves, const RuVaPnt2d& p)
{
    double nearest = 1e300;
    for (const auto& c : curves) {
        KcProjectPointOnCurve2d proj(p, c.get());
        if (proj.NbPoints() > 0)
            nearest = std::min(nearest, proj.LowerDistance());
        RuVaPnt2d end;
        if (KcCurveParam::GetFirstParamePoint(c.get(), end))
            nearest = std::min(nearest, end.Distance(p));
        if (KcCurveParam::GetLastParamePoint(c.get(), end))
            nearest = std::min(nearest, end.Distance(p));
    }
    return nearest;
}

TEST(RegionRandom, RegionsHoldThePointAndFollowTheShapes)
{
    std::mt19937 rng(20261210);
    std::uniform_real_distribution<double> coord(0.0, 20.0), radius(1.0, 8.0), angle(0.0, 360.0);
    int found = 0, searches = 0;
    for (int drawing = 0; drawing < 25; ++drawing) {
        Draw2dDocument doc;
        doc.InitDocument();
        const int shapes = 4 + static_cast<int>(rng() % 12);
        for (int i = 0; i < shapes; ++i) {
            std::unique_ptr<Feature2dBase> f;
            switch (rng() % 3) {
            case 0:
                f = std::make_unique<Line2dFeature>(RuVaPnt2d(coord(rng), coord(rng)), RuVaPnt2d(coord(rng), coord(rng)));
                break;
            case 1:
                f = std::make_unique<Circle2dFeature>(RuVaPnt2d(coord(rng), coord(rng)), radius(rng));
                break;
            default:
                f = std::make_unique<Arc2dFeature>(RuVaPnt2d(coord(rng), coord(rng)), radius(rng), angle(rng), angle(rng),
                                                   static_cast<int>(rng() % 2));
                break;
            }
            doc.AddFeature(f.get(), nullptr, 0);
        }
        std::vector<std::unique_ptr<RuVaEntity2d>> curves;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            curves.emplace_back(ConvertFeatureToGeom2d::Convert(doc.GetFeature(id)));

        // Fine flattening, and no pick near a shape: the inside test answers as the exact curves would.
        Draw2dView view(&doc);
        view.SetScale(1e5);
        KcRegionSearcher searcher(&doc);
        DWORD clock = 0;
        searcher.SetTickCountFunction(&regiontest::StepTick, &clock);  // dense drawings may need every step
        for (int pick = 0; pick < 8; ++pick, ++searches) {
            const RuVaPnt2d p(coord(rng), coord(rng));
            if (Distance(curves, p) < 1e-3)
                continue;
            SCOPED_TRACE(testing::Message() << "drawing " << drawing << " pick " << p.X() << ", " << p.Y());
            const KcRegionSearcher::Status status = searcher.SearchRegion(&view, p, 0);
            ASSERT_NE(status, KcRegionSearcher::statusCancelled);
            if (status != KcRegionSearcher::statusFound) {
                EXPECT_EQ(searcher.GetRegion(), nullptr);
                continue;
            }
            ++found;
            const Region2dFeature* region = searcher.GetRegion();
            ASSERT_NE(region, nullptr);
            ASSERT_TRUE(region->IsValidConnection());
            const KcArrayOfGePnt2d boundary = regiontest::RegionPolygon(*region, 1e-4);
            EXPECT_EQ(std::abs(KcGeometryTool::JudgePointInPolygon(boundary, p)), 2);
            for (int i = 0; i < boundary.GetSize(); i += 7)
                ASSERT_LT(Distance(curves, boundary[i]), 1e-6) << "boundary point " << i;
        }
    }
    // The drawings are dense enough that many picks are enclosed.
    EXPECT_GT(found, searches / 5);
}

}  // namespace
