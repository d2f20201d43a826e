// The snap engine: which point and kind a cursor snaps to among nearby shapes, with the origin, the angular
// snap and the histories of recently used entities.

#include <gtest/gtest.h>

#include <cmath>

#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Snap.h"

namespace {

struct Shapes {
    Line2dFeature a{RuVaPnt2d(0, 0), RuVaPnt2d(100, 0)};
    Line2dFeature b{RuVaPnt2d(60, -50), RuVaPnt2d(60, 30)};
    Circle2dFeature c{RuVaPnt2d(200, 0), 30};
    void AddTo(Snap& s) const
    {
        s.AddFeature(&a);
        s.AddFeature(&b);
        s.AddFeature(&c);
    }
};

}  // namespace

TEST(Snap, PointKindsByPriorityAndDistance)
{
    const double nan = std::nan("");
    struct Case {
        double x, y, aperture;
        DWORD mask;
        bool origin;
        DWORD kind;
        double px, py;
    } cases[] = {
        {1, 1, 3, Snap::kAll, false, Snap::kEnd, 0, 0},
        {49, 1, 3, Snap::kAll, false, Snap::kMiddle, 50, 0},
        {59, 1, 3, Snap::kAll, false, Snap::kIntersection, 60, 0},
        {30, 1, 2, Snap::kAll, false, Snap::kNearest, 30, 0},
        {30, 3, 2, Snap::kAll, false, 0, nan, nan},  // beyond the aperture
        {200.5, 0.5, 2, Snap::kAll, false, Snap::kCentre, 200, 0},
        {230.5, 0.5, 2, Snap::kAll, false, Snap::kQuadrant, 230, 0},
        {201, 29.5, 2, Snap::kAll & ~Snap::kQuadrant, false, Snap::kNearest, nan, nan},
        {25.5, 0.3, 1, Snap::kAll, false, Snap::kDivision, 25, 0},
        {1, 1, 3, Snap::kAll & ~Snap::kEnd, false, Snap::kNearest, 1, 0},
        {30.5, 0.5, 2, Snap::kAll, true, Snap::kPerpendicular, 30, 0},
        {174.5, 15.3, 2, Snap::kAll, true, Snap::kTangent, 200 + 30 * std::cos(150 * M_PI / 180), 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        Snap s;
        Shapes shapes;
        shapes.AddTo(s);
        s.SetDivisionCount(4);
        s.SetSnapType(c.mask);
        if (c.origin)
            s.SetSnapOrigin(c.x > 100 ? RuVaPnt2d(200, 60) : RuVaPnt2d(30, 20), 0.0);
        const BOOL ok = s.UpdateSnapPoint(RuVaPnt2d(c.x, c.y), c.aperture);
        EXPECT_EQ(ok != FALSE, c.kind != 0);
        EXPECT_EQ(s.GetSnapKind(), c.kind);
        if (!std::isnan(c.px)) {
            EXPECT_NEAR(s.GetSnapPoint().X(), c.px, 1e-6);
            EXPECT_NEAR(s.GetSnapPoint().Y(), c.py, 1e-6);
        }
    }
}

TEST(Snap, AngularSnapFromTheOrigin)
{
    Snap s;
    s.SetSnapOrigin(RuVaPnt2d(0, 0), 0.0);
    s.SetAngularSnap(15.0, 1);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(10, 2.9), 1.0));
    EXPECT_EQ(s.GetSnapKind(), 0u);
    EXPECT_EQ(s.GetAngularFlag(), 1);
    EXPECT_NEAR(s.GetAngle(), 15.0, 1e-9);
    EXPECT_NEAR(std::atan2(s.GetSnapPoint().Y(), s.GetSnapPoint().X()) * 180 / M_PI, 15.0, 1e-9);
    // Mode 2 snaps only near a ray; a base angle turns the rays.
    s.SetAngularSnap(90.0, 2);
    EXPECT_FALSE(s.UpdateSnapPoint(RuVaPnt2d(10, 4), 1.0));
    s.SetSnapOrigin(RuVaPnt2d(0, 0), 30.0);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(10 * std::cos(M_PI / 6), 10 * std::sin(M_PI / 6) + 0.2), 1.0));
    EXPECT_NEAR(s.GetAngle(), 0.0, 1e-9);
    // A point found wins over the angular ray.
    Line2dFeature l(RuVaPnt2d(10, 3), RuVaPnt2d(20, 3));
    s.AddFeature(&l);
    s.SetAngularSnap(15.0, 1);
    s.SetSnapOrigin(RuVaPnt2d(0, 0), 0.0);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(10, 2.9), 1.0));
    EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kEnd);
    EXPECT_EQ(s.GetAngularFlag(), 0);
}

TEST(Snap, TrackingFromRecentEntitiesWithConstructionCurves)
{
    RuVaLineSeg2d line(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    RuVaLineSeg2d post(RuVaPnt2d(0, 0), RuVaPnt2d(0, 100));
    KcArrayOfGeEntity2d ext, hv, perp;
    ext.Add(&line);
    hv.Add(&post);
    perp.Add(&line);
    {
        Snap s;
        s.SetExtendedCurves(ext);
        ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(150, 1), 2));
        EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kExtension);
        EXPECT_EQ(s.GetSnapPoint(), RuVaPnt2d(150, 0));
        ASSERT_EQ(s.GetVirtualCurves().GetSize(), 1);
        const auto* v = dynamic_cast<const RuVaLineSeg2d*>(s.GetVirtualCurves().GetAt(0));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->StartPoint(), RuVaPnt2d(100, 0));
        // Over the line itself there is no extension.
        EXPECT_FALSE(s.UpdateSnapPoint(RuVaPnt2d(50, 1), 2));
    }
    {
        Snap s;
        s.SetHorzVertCurves(hv);
        ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(200.5, 100.5), 2));
        EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kHorzVert);
        EXPECT_EQ(s.GetSnapPoint(), RuVaPnt2d(200.5, 100));
    }
    {
        Snap s;
        s.SetPerpendicularCurves(perp);
        ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(100.5, 70), 2));
        EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kPerpendicularTrack);
        EXPECT_NEAR(s.GetSnapPoint().X(), 100, 1e-9);
    }
    // An end point found feeds all three histories with its shape; other kinds only the first.
    Snap s;
    Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    s.AddFeature(&l);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(0.1, 0.1), 1));
    EXPECT_EQ(s.GetUsedHorzVertCurves().GetSize(), 1);
    EXPECT_EQ(s.GetUsedExtendedCurves().GetSize(), 1);
    EXPECT_EQ(s.GetUsedPerpendicularCurves().GetSize(), 1);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(3, 0.1), 1));
    EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kNearest);
    EXPECT_EQ(s.GetUsedHorzVertCurves().GetSize(), 1);
    EXPECT_EQ(s.GetUsedExtendedCurves().GetSize(), 0);
    // A keep-going test that says stop abandons the snap.
    EXPECT_FALSE(s.UpdateSnapPoint(RuVaPnt2d(0.1, 0.1), 1, [] { return FALSE; }));
    EXPECT_FALSE(s.UpdateSnapPoint(RuVaPnt2d(std::nan(""), 0), 1));
}

TEST(Snap, ShapesNearTheCursorInTheViewThroughTheirLayouts)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long paper = doc.GetActiveDrawingID();
    const long part = doc.AddPartDrawingFeature(u"A");
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 0);
    Line2dFeature own(RuVaPnt2d(300, 300), RuVaPnt2d(400, 300));
    doc.AddFeature(&own, nullptr, 0);
    PartDrawingLayout layout;
    layout.SetPaperID(paper);
    layout.SetDrawingID(part);
    layout.SetOrigin(RuVaPnt2d(20, 30));
    ASSERT_TRUE(layout.SetScale(1, 4, FALSE, 1, 1));
    ASSERT_NE(doc.AddPartLayout(layout, -1, 0), -1);
    Draw2dView view(&doc);
    ASSERT_TRUE(view.SetDrawingID(paper));
    Snap s;
    // The line's far end is local (100, 0): world (45, 30).
    EXPECT_EQ(s.AddFeaturesNear(&view, RuVaPnt2d(44.5, 30.5), 1.0, 0), 1);
    ASSERT_TRUE(s.UpdateSnapPoint(RuVaPnt2d(44.5, 30.5), 1.0));
    EXPECT_EQ(s.GetSnapKind(), (DWORD)Snap::kEnd);
    EXPECT_NEAR(s.GetSnapPoint().X(), 45, 1e-9);
    EXPECT_NEAR(s.GetSnapPoint().Y(), 30, 1e-9);
    Snap none;
    EXPECT_EQ(none.AddFeaturesNear(&view, RuVaPnt2d(200, 200), 1.0, 0), 0);
}
