// The elliptic arc command over the real manager, document and view: the arc's ends as points, typed
// angles or a picked shape, one undo step each with the current attributes, refusals with their reasons,
// and the preview (the whole ellipse before an end is given, its first axis square to the cursor while
// the second radius is sought, then the arc a click makes).

#include <gtest/gtest.h>

#include <cmath>

#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Ellipse2dCommand.h"
#include "commands/shape/EllipseArc2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kEllipseArcID = 33492;

class EllipseArcTest : public kctest::DrawingCommandFixture
{
protected:
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
    }
    // The ellipse of centre P(0, 0), radii 3 and 1, first axis along x, given by clicks.
    void ClickEllipse()
    {
        Click(P(0, 0));
        Click(P(3, 0));
        Click(P(0, 1));
        Click(P(4, 0));
    }
    // The picture of the document holding the ellipse as a click would make it (current attributes).
    QImage RenderWith(const Ellipse2dFeature& ellipse)
    {
        Ellipse2dFeature copy(ellipse);
        ShapeCommandHelper::ApplyCurrentAttributes(&copy, &doc);
        Add(copy);
        const QImage picture = Render();
        EXPECT_TRUE(doc.Undo());
        return picture;
    }
};

}  // namespace

TEST_F(EllipseArcTest, EndsAsPointsTypedAnglesOrAPickedShape)
{
    const long wall = Add(Line2dFeature(P(-1, -3), P(-1, 3)));
    doc.ClearUndoRedoHistory();
    struct Case {
        const char* name;
        int startKind, endKind;  // alternatives: 0 point, 1 angle, 2 shape
        RuVaPnt2d start, end;    // expected ends, raster units
    };
    const double y = std::sqrt(1.0 - 1.0 / 9.0);  // where x = -1 meets the ellipse
    const Case cases[] = {
        {"points", 0, 0, RuVaPnt2d(0, 1), RuVaPnt2d(-3, 0)},
        {"typed angles", 1, 1, RuVaPnt2d(3, 0), RuVaPnt2d(0, 1)},
        {"typed start, picked end", 1, 2, RuVaPnt2d(3, 0), RuVaPnt2d(-1, y)},
    };
    Start(kEllipseArcID);
    ASSERT_NE(dynamic_cast<EllipseArc2dCommand*>(Running()), nullptr);
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(4, c.startKind);
        Choose(5, c.endKind);
        ClickEllipse();
        if (c.startKind == 0)
            Click(P(0, 2));
        else
            Type(4, 0.0);
        if (c.endKind == 0)
            Click(P(-2, 0));
        else if (c.endKind == 1)
            Type(5, 90.0);
        else
            Click(P(-1, 0.8));  // on the wall, near the upper meeting point
        const auto arcs = Shapes<EllipseArc2dFeature>();
        ASSERT_EQ(arcs.size(), static_cast<size_t>(++made));
        const EllipseArc2dFeature* p = arcs.back();
        const double tol = 1.5 / view.GetScale();
        ExpectNear(p->GetCenterPoint(), Landed(P(0, 0)), 1e-9);
        ExpectNear(p->GetStartPoint(), P(c.start.X(), c.start.Y()), tol);
        ExpectNear(p->GetEndPoint(), P(c.end.X(), c.end.Y()), tol);
        ExpectCurrentAttributes(p);
        EXPECT_EQ(doc.GetUndoCount(), made);
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(Running()->IsParameterEmpty(i)) << i;
    }
    EXPECT_NE(doc.GetFeature(wall), nullptr);
}

TEST_F(EllipseArcTest, EndsThatMakeNoArcOrAShapeDeletedMeanwhileAreRefusedWithTheirReason)
{
    const long wall = Add(Line2dFeature(P(-1, -3), P(-1, 3)));
    Start(kEllipseArcID);
    CommandBase* pCommand = Running();
    const auto* pStartShape = static_cast<const FeatureParameterItem*>(pCommand->FindItem(EllipseArc2dCommand::itemStartShape));
    const auto* pEndShape = static_cast<const FeatureParameterItem*>(pCommand->FindItem(EllipseArc2dCommand::itemEndShape));
    ASSERT_NE(pStartShape, nullptr);
    ASSERT_NE(pEndShape, nullptr);
    // The end refuses the same kinds as the start but for groups and components.
    EXPECT_EQ(pStartShape->m_dwAcceptedKinds ^ pEndShape->m_dwAcceptedKinds, (1u << 23) | (1u << 24));

    const int undo = doc.GetUndoCount();
    struct Case {
        const char* name;
        bool deleteWall;
        UINT message;
    };
    for (const Case& c : {Case{"start and end on one point", false, kMsgNoShape},
                          Case{"picked end deleted", true, kMsgShapeGone}}) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 6; ++i)
            pCommand->ClearParameter(i);
        static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(P(0, 0));
        static_cast<PointParameterItem*>(pCommand->FindItem(1))->SetValue(P(3, 0));
        static_cast<PointParameterItem*>(pCommand->FindItem(3))->SetValue(P(0, 1));
        static_cast<PointParameterItem*>(pCommand->FindItem(5))->SetValue(P(4, 0));
        static_cast<PointParameterItem*>(pCommand->FindItem(EllipseArc2dCommand::itemStartPoint))->SetValue(P(0, 2));
        if (c.deleteWall) {
            Choose(5, 2);
            static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(5))->SetValue(FeatureLayout(wall, -1, -1), P(-1, 0.8));
            doc.BeginUndoOperation(nullptr);
            ASSERT_TRUE(doc.DeleteFeature(wall, 1));
            doc.EndUndoOperation();
        } else {
            static_cast<PointParameterItem*>(pCommand->FindItem(EllipseArc2dCommand::itemEndPoint))->SetValue(P(0, 3));
        }
        const int before = doc.GetUndoCount();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetUndoCount(), before);
        EXPECT_TRUE(Shapes<EllipseArc2dFeature>().empty());
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetUndoCount(), undo);
}

TEST_F(EllipseArcTest, PreviewShowsTheEllipseSquareToTheCursorThenTheWholeEllipseThenTheArcAClickMakes)
{
    Start(kEllipseArcID);
    Click(P(0, 0));
    Click(P(3, 0));
    // The second radius sought: the cursor lies on the second axis, the first axis square to it.
    const RuVaPnt2d cursor = Landed(P(1, 1));
    const RuVaPnt2d centre = Landed(P(0, 0));
    const double r1 = centre.Distance(Landed(P(3, 0)));
    const Ellipse2dFeature square(centre, r1, centre.Distance(cursor), Ellipse2dCommand::AngleOfPoint(centre, cursor) - 90.0);
    const QImage empty = Render();
    const QImage preview = PreviewAt(P(1, 1));
    EXPECT_NE(preview, empty) << "nothing previewed";
    EXPECT_TRUE(preview == RenderWith(square));

    Click(P(0, 1));
    Click(P(4, 0));
    // Neither end given: the whole ellipse.
    const double axis = Ellipse2dCommand::AngleOfPoint(centre, Landed(P(4, 0)));
    const RuVaPnt2d q = Landed(P(0, 1));
    const double a = axis * 0.017453292519943295;
    const double r2 = std::abs(-(q.X() - centre.X()) * std::sin(a) + (q.Y() - centre.Y()) * std::cos(a));  // from the axis
    const Ellipse2dFeature whole(centre, r1, r2, axis);
    Render();  // the picture the preview draws over
    const QImage wholePreview = PreviewAt(P(-2, 2));
    EXPECT_NE(wholePreview, empty) << "nothing previewed";
    EXPECT_TRUE(wholePreview == RenderWith(whole));

    Click(P(0, 2));
    ExpectPreviewIsTheClickedShape(P(-2, -1));
}
