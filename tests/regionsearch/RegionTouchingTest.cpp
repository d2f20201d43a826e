// Shapes that touch without crossing close regions between them, whatever the turn of the drawing.

#include <gtest/gtest.h>

#include <cmath>

#include "libs/ruva/RuVa.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"
#include "tests/regionsearch/RegionTestSupport.h"

namespace {

TEST(RegionTouching, ACircleTouchingAnotherFromInsideBoundsTheCrescent)
{
    for (double scale : {0.05, 6.0, 310.0}) {
        for (int t = 0; t < 24; ++t) {
            const double a = 0.05 + t * RuVa::TwoPi / 24.0;
            SCOPED_TRACE(testing::Message() << "scale " << scale << " turn " << a);
            Draw2dDocument doc;
            doc.InitDocument();
            const double big = scale, small = 0.6 * scale;
            Circle2dFeature outer(RuVaPnt2d(1, 2), big);
            Circle2dFeature inner(RuVaPnt2d(1 + (big - small) * std::cos(a), 2 + (big - small) * std::sin(a)), small);
            ASSERT_GT(doc.AddFeature(&outer, nullptr, 0), 0);
            ASSERT_GT(doc.AddFeature(&inner, nullptr, 0), 0);
            Draw2dView view(&doc);
            KcRegionSearcher searcher(&doc);
            // Opposite the touching point, in the crescent: the crescent alone, not the whole outer circle.
            const RuVaPnt2d pick(1 - 0.95 * big * std::cos(a), 2 - 0.95 * big * std::sin(a));
            ASSERT_EQ(searcher.SearchRegion(&view, pick, 0), KcRegionSearcher::statusFound);
            const double area = RuVa::Pi * (big * big - small * small);
            EXPECT_NEAR(regiontest::RegionArea(*searcher.GetRegion()), area, area * 3e-3);  // flattened at 1e-4
        }
    }
}

}  // namespace
