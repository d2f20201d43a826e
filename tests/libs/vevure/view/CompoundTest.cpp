// Groups and placed components: drawn part by part, picked by their parts, snapped to their parts' points.

#include <gtest/gtest.h>

#include "ViewFixture.h"

#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Snap.h"

namespace {

Line2dFeature Red(double x1, double y1, double x2, double y2)
{
    Line2dFeature l(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2));
    l.SetColorNo(-1);
    l.SetColor(RGB(255, 0, 0));
    return l;
}

int CountRow(const QImage& image, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += Px(image, x, y) == 0xFF0000;
    return n;
}

}  // namespace

TEST(ViewCompound, GroupsAndComponentsDrawnPickedAndSnappedByTheirParts)
{
    ViewFixture f;
    DrawComponent2dFeatureDefine def;
    ASSERT_TRUE(def.SetComponentName(CString(u"Bar")));
    const long defID = f.doc.AddDrawComponentDefine(def);
    ASSERT_NE(defID, -1);
    DrawingFeatureBase* defDrawing = f.doc.GetComponentDefineTable()->GetComponentDefine(defID);
    ASSERT_NE(defDrawing, nullptr);
    Line2dFeature bar = Red(0, 0, 10, 0);
    ASSERT_NE(f.doc.AddFeature(&bar, defDrawing, 0), -1);
    // Placed at (50.5, 70.5) twice as large: a line to (70.5, 70.5), pixel row 29.
    DrawComponent2dFeature placed;
    placed.SetComponentDefineID(defID);
    ASSERT_TRUE(placed.SetOrigin(RuVaPnt2d(50.5, 70.5)));
    ASSERT_TRUE(placed.SetScale(2, 2));
    const long placedID = f.Add(placed);
    ASSERT_NE(placedID, -1);
    // A group of one line on row 79 (world y 20.5).
    DrawGroup2dFeature group;
    Line2dFeature member = Red(100.5, 20.5, 180.5, 20.5);
    group.AddFeature(&member, 1);
    const long groupID = f.Add(group);
    ASSERT_NE(groupID, -1);

    const QImage image = f.Render();
    EXPECT_GE(CountRow(image, 29, 51, 69), 18);
    EXPECT_EQ(CountRow(image, 29, 75, 199), 0);
    EXPECT_GE(CountRow(image, 79, 101, 179), 78);

    FeatureLayout hit;
    ASSERT_TRUE(FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(65, 71), 1.0, 0, 0, 0xFFFFFFFF, nullptr, hit));
    EXPECT_EQ(hit.GetRecordID(), placedID);
    EXPECT_FALSE(FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(75, 71), 1.0, 0, 0, 0xFFFFFFFF, nullptr, hit));
    ASSERT_TRUE(FeaturePicker::PickByPoint(&f.view, RuVaPnt2d(150, 21), 1.0, 0, 0, 0xFFFFFFFF, nullptr, hit));
    EXPECT_EQ(hit.GetRecordID(), groupID);

    Snap snap;
    ASSERT_GT(snap.AddFeaturesNear(&f.view, RuVaPnt2d(70, 71), 1.0, 0), 0);
    ASSERT_TRUE(snap.UpdateSnapPoint(RuVaPnt2d(70, 71), 1.0));
    EXPECT_EQ(snap.GetSnapKind(), (DWORD)Snap::kEnd);
    EXPECT_NEAR(snap.GetSnapPoint().X(), 70.5, 1e-9);
    EXPECT_NEAR(snap.GetSnapPoint().Y(), 70.5, 1e-9);
}
