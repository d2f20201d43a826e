// The ellipse command over the real manager, document and view: radii and axis from points or typed
// values, one undo step each with the current attributes, an angle point on the centre refused with its
// reason, and the preview equal to the ellipse a click makes.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Ellipse2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kEllipseID = 33482;

class EllipseTest : public kctest::DrawingCommandFixture
{
protected:
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
    }
    // The angle of the major axis folded into [0, 180).
    static double AxisAngle(const Ellipse2dFeature* p)
    {
        double a = std::fmod(p->GetAngle(), 180.0);
        return a < 0 ? a + 180.0 : a;
    }
};

}  // namespace

TEST_F(EllipseTest, RadiiAndAxisFromPointsOrTypedValues)
{
    struct Case {
        const char* name;
        bool typedRadii;
        bool typedAngle;
        RuVaPnt2d r1, r2, axis;  // points, in raster units from the centre
        double major, minor;     // raster units
        double angle;            // of the major axis
    };
    const Case cases[] = {
        {"points; axis straight up", false, false, RuVaPnt2d(2, 0), RuVaPnt2d(0, 1), RuVaPnt2d(0, 3), 2, 1, 90},
        {"a radius point to the left gives the same", false, false, RuVaPnt2d(-2, 0), RuVaPnt2d(0, 1), RuVaPnt2d(0, 3), 2, 1, 90},
        {"typed radii and angle", true, true, RuVaPnt2d(), RuVaPnt2d(), RuVaPnt2d(), 3, 1, 30},
        {"second radius the larger", true, true, RuVaPnt2d(), RuVaPnt2d(), RuVaPnt2d(), 3, 1, 120},
    };
    Start(kEllipseID);
    ASSERT_NE(dynamic_cast<Ellipse2dCommand*>(Running()), nullptr);
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(1, c.typedRadii ? 1 : 0);
        Choose(2, c.typedRadii ? 1 : 0);
        Choose(3, c.typedAngle ? 1 : 0);
        const bool swapped = c.angle == 120;
        Click(P(0, 0));
        if (c.typedRadii) {
            Type(1, (swapped ? c.minor : c.major) * u);
            Type(2, (swapped ? c.major : c.minor) * u);
            Type(3, swapped ? 30.0 : c.angle);
        } else {
            Click(P(c.r1.X(), c.r1.Y()));
            Click(P(c.r2.X(), c.r2.Y()));
            Click(P(c.axis.X(), c.axis.Y()));
        }
        const auto ellipses = Shapes<Ellipse2dFeature>();
        ASSERT_EQ(ellipses.size(), static_cast<size_t>(++made));
        const Ellipse2dFeature* p = ellipses.back();
        ExpectNear(p->GetCenterPoint(), Landed(P(0, 0)), 1e-9);
        const double tol = c.typedRadii ? 1e-9 : 1.0 / view.GetScale();
        EXPECT_NEAR(p->GetMajorRadius(), c.major * u, tol);
        EXPECT_NEAR(p->GetMinorRadius(), c.minor * u, tol);
        EXPECT_NEAR(AxisAngle(p), c.angle, c.typedAngle ? 1e-9 : 0.5);
        ExpectCurrentAttributes(p);
        EXPECT_EQ(doc.GetUndoCount(), made);
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Running()->IsParameterEmpty(i)) << i;
    }
}

TEST_F(EllipseTest, AnAnglePointOnTheCentreOrARadiusOfNothingMakesNoEllipse)
{
    struct Case {
        const char* name;
        RuVaPnt2d r1, axis;
        UINT message;
    };
    const Case cases[] = {
        {"angle point on the centre", RuVaPnt2d(5, 0), RuVaPnt2d(1, 1), kMsgPointsCoincide},
        {"first radius point on the centre", RuVaPnt2d(1, 1), RuVaPnt2d(1, 5), kMsgLengthNotPositive},
    };
    Start(kEllipseID);
    CommandBase* pCommand = Running();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(RuVaPnt2d(1, 1));
        static_cast<PointParameterItem*>(pCommand->FindItem(1))->SetValue(c.r1);
        static_cast<PointParameterItem*>(pCommand->FindItem(3))->SetValue(RuVaPnt2d(1, 3));
        static_cast<PointParameterItem*>(pCommand->FindItem(5))->SetValue(c.axis);
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        EXPECT_EQ(doc.GetUndoCount(), 0);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }
}

TEST_F(EllipseTest, PreviewIsTheEllipseAClickMakes)
{
    Start(kEllipseID);
    Click(P(0, 0));
    // While the first radius is sought both radii are the cursor's distance: a circle through it.
    const QImage circle = PreviewAt(P(2, 0));
    EXPECT_NE(circle, Render());
    Click(P(3, 0));
    Click(P(0, 1));
    ExpectPreviewIsTheClickedShape(P(1, 2));
}
