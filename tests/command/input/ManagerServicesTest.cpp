// The manager's services to commands over a real document and data-model view: conversions between
// window, world, part-layout and user coordinates, and the document's stored views in their eight slots.

#include <gtest/gtest.h>

#include <limits>

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/ViewControlSetting.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

using ManagerServicesTest = kctest::ManagerFixture;

}  // namespace

TEST_F(ManagerServicesTest, UserPointsAreRelativeToTheDrawingsUserOrigin)
{
    doc.GetActiveDrawingFeature()->SetUserOrigin(RuVaPnt2d(30, -12.5));
    RuVaPnt2d p(100, 50);
    ASSERT_TRUE(manager.WorldToUserPoint(p));
    EXPECT_DOUBLE_EQ(p.X(), 70);
    EXPECT_DOUBLE_EQ(p.Y(), 62.5);
    ASSERT_TRUE(manager.UserToWorldPoint(p));
    EXPECT_DOUBLE_EQ(p.X(), 100);
    EXPECT_DOUBLE_EQ(p.Y(), 50);

    // The cursor as the coordinate pane shows it.
    manager.OnMouseMove(0, CPoint(120, 90));
    const RuVaPnt2d world = view.ConvertPointClientToWorld(CPoint(120, 90), TRUE);
    const RuVaPnt2d user = manager.GetCursorUserPoint();
    EXPECT_NEAR(user.X(), world.X() - 30, 1e-9);
    EXPECT_NEAR(user.Y(), world.Y() + 12.5, 1e-9);

    // Without a view nothing converts and the cursor has no position.
    manager.SetActiveDraw2dView(nullptr);
    RuVaPnt2d q(1, 2);
    EXPECT_TRUE(manager.WorldToUserPoint(q));
    EXPECT_EQ(q.X(), 1);
    EXPECT_EQ(q.Y(), 2);
    EXPECT_EQ(manager.GetCursorUserPoint().X(), std::numeric_limits<double>::max());
    CPoint c;
    EXPECT_FALSE(manager.WorldToClientPoint(q, c));
}

TEST_F(ManagerServicesTest, StoredViewsComeBackAndRefuseSlotsOutOfRange)
{
    view.ZoomIn(CPoint(100, 80), 0.5);
    ASSERT_TRUE(manager.StoreViewControlSetting(3));
    EXPECT_TRUE(manager.IsViewControlSettingCurrent(3));
    const double scale = view.GetViewScale();
    RuVaPnt2d a1, a2;
    view.GetWorldSpace(a1, a2);

    view.ZoomPaper();
    EXPECT_FALSE(manager.IsViewControlSettingCurrent(3));
    ASSERT_TRUE(manager.RestoreViewControlSetting(3));
    EXPECT_NEAR(view.GetViewScale(), scale, 1e-9);
    RuVaPnt2d b1, b2;
    view.GetWorldSpace(b1, b2);
    EXPECT_TRUE(a1.CenterPoint(a2).IsEqual(b1.CenterPoint(b2), 1e-6));
    EXPECT_TRUE(manager.IsViewControlSettingCurrent(3));
    EXPECT_EQ(doc.GetViewControlSettingCurrentIndex(), 3);

    // An empty slot changes nothing, the current slot included.
    view.ZoomPaper();
    const double paperScale = view.GetViewScale();
    EXPECT_FALSE(manager.RestoreViewControlSetting(5));
    EXPECT_EQ(view.GetViewScale(), paperScale);
    EXPECT_EQ(doc.GetViewControlSettingCurrentIndex(), 3);

    for (int bad : {-1, 8, 1000}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(manager.StoreViewControlSetting(bad));
        EXPECT_FALSE(manager.IsViewControlSettingCurrent(bad));
        EXPECT_FALSE(manager.RestoreViewControlSetting(bad));
    }
}
