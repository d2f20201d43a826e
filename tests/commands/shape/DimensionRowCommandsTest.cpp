// The continued, baseline and progressive rows of linear, angular and arc-length dimensions over the real
// manager, document and view: the pairs each kind measures, the dimension lines and arcs of a row, the
// origin mark of a progressive row, the baseline spacing proposed from the style, refusals that add
// nothing (all or nothing), one undo step per row, and the preview of the row to the cursor.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ContinueAngularDimension2dCommand.h"
#include "commands/shape/ContinueLinearDimension2dCommand.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "tests/commands/shape/CircleCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kContinueHorizontal = 33561;
constexpr UINT kContinueVertical = 33562;
constexpr UINT kContinueAngular = 33564;
constexpr UINT kContinueArc = 33565;
constexpr UINT kBaselineHorizontal = 33567;
constexpr UINT kBaselineAngular = 33570;
constexpr UINT kBaselineArc = 33571;
constexpr UINT kProgressiveHorizontal = 33581;
constexpr UINT kProgressiveAngular = 33584;
constexpr UINT kBaseline = 33566;

class DimensionRowTest : public kctest::CircleCommandFixture
{
protected:
    // Points in tenths of the raster about the middle of the view, so the Parts' examples fit the view.
    RuVaPnt2d W(double x, double y) const { return RuVaPnt2d(o.X() + x * s(), o.Y() + y * s()); }
    RuVaPnt2d Polar(double r, double deg) const
    {
        return W(r * std::cos(deg * RuVa::DegToRad), r * std::sin(deg * RuVa::DegToRad));
    }
    double s() const { return u / 10.0; }
    void Give(WORD id, const RuVaPnt2d& p)
    {
        const int index = Running()->FindParameterIndex(id);
        ASSERT_GE(index, 0);
        auto* pItem = dynamic_cast<PointParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr);
        ASSERT_TRUE(pItem->SetValue(p));
        manager.RunActiveCommand(index, TRUE);
    }
    void GiveSpacing(WORD id, double value)
    {
        const int index = Running()->FindParameterIndex(id);
        ASSERT_GE(index, 0);
        auto* pItem = dynamic_cast<LengthParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr);
        pItem->SetValue(value);
        manager.RunActiveCommand(index, TRUE);
    }
    // The further points, then Enter.
    void Further(WORD id, std::initializer_list<RuVaPnt2d> points, bool finish = true)
    {
        const int index = Running()->FindParameterIndex(id);
        ASSERT_GE(index, 0);
        auto* pList = dynamic_cast<PointArrayParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pList, nullptr);
        for (const RuVaPnt2d& p : points) {
            pList->AddPoint(p);
            manager.RunActiveCommand(index, TRUE);
        }
        if (finish) {
            pList->m_bFinished = TRUE;
            manager.RunActiveCommand(index, TRUE);
        }
    }
    // A linear row: first, second, position, further points (in tenths), Enter.
    void LinearRow(UINT command, std::initializer_list<RuVaPnt2d> further, double spacing = -1.0)
    {
        Start(command);
        Give(ContinueLinearDimension2dCommand::itemFirstPoint, W(0, 0));
        Give(ContinueLinearDimension2dCommand::itemSecondPoint, W(10, 0));
        Give(ContinueLinearDimension2dCommand::itemPosition, W(5, 10));
        if (spacing >= 0.0)
            GiveSpacing(ContinueLinearDimension2dCommand::itemSpacing, spacing * s());
        Further(ContinueLinearDimension2dCommand::itemFurtherPoints, further);
    }
    // Where the dimension line of a horizontal linear dimension lies, in tenths.
    double LineY(const LinearDimension2dFeature* d) const
    {
        const double e = d->GetProjectionAngle() * RuVa::DegToRad;
        return (d->GetPoint(0).Y() + std::sin(e) * d->GetProjectionLength() - o.Y()) / s();
    }
    double X(const RuVaPnt2d& p) const { return (p.X() - o.X()) / s(); }
};

}  // namespace

TEST_F(DimensionRowTest, LinearRowsPairTheirPointsByKind)
{
    struct Expect {
        double from, to, lineY;
    };
    struct Case {
        const char* name;
        UINT command;
        double spacing;
        Expect dims[3];
    };
    const Case cases[] = {
        {"continued", kContinueHorizontal, -1.0, {{0, 10, 10}, {10, 25, 10}, {25, 40, 10}}},
        {"baseline, spacing 7", kBaselineHorizontal, 7.0, {{0, 10, 10}, {0, 25, 17}, {0, 40, 24}}},
        {"progressive", kProgressiveHorizontal, -1.0, {{0, 10, 10}, {0, 25, 10}, {0, 40, 10}}},
    };
    int undo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long before = doc.GetFeatureCount();
        LinearRow(c.command, {W(25, 0), W(40, 0)}, c.spacing);
        ASSERT_EQ(doc.GetFeatureCount(), before + 3);
        EXPECT_EQ(doc.GetUndoCount(), ++undo) << "the whole row is one undo step";
        const auto dims = Shapes<LinearDimension2dFeature>();
        ASSERT_GE(dims.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const LinearDimension2dFeature* d = dims[dims.size() - 3 + i];
            EXPECT_NEAR(X(d->GetPoint(0)), c.dims[i].from, 1e-9) << i;
            EXPECT_NEAR(X(d->GetPoint(1)), c.dims[i].to, 1e-9) << i;
            EXPECT_NEAR(LineY(d), c.dims[i].lineY, 1e-9) << i;
            EXPECT_NEAR(d->GetProjectionAngle(), 90.0, 1e-9);
            EXPECT_EQ(d->GetLayerID(), layer);
            // Only the first of a progressive row carries the origin mark.
            if (c.command == kProgressiveHorizontal)
                EXPECT_EQ(d->GetDimensionSetting().GetArrowType1(), i == 0 ? 3 : 0) << i;
        }
        manager.CancelAllCommands();
    }
}

TEST_F(DimensionRowTest, RowsThatCannotBeBuiltAddNothing)
{
    // A further point repeating the previous one: a zero-length dimension, the whole row refused.
    Start(kContinueHorizontal);
    Give(ContinueLinearDimension2dCommand::itemFirstPoint, W(0, 0));
    Give(ContinueLinearDimension2dCommand::itemSecondPoint, W(10, 0));
    Give(ContinueLinearDimension2dCommand::itemPosition, W(5, 10));
    Further(ContinueLinearDimension2dCommand::itemFurtherPoints, {W(25, 0), W(25, 7)});
    ExpectRefused(kMsgNoDimension, 0, 0);
    manager.CancelAllCommands();

    // A vertical row over two points level with each other.
    Start(kContinueVertical);
    Give(ContinueLinearDimension2dCommand::itemFirstPoint, W(0, 0));
    Give(ContinueLinearDimension2dCommand::itemSecondPoint, W(10, 0));
    ExpectRefused(kMsgDimensionDirection, 0, 0);
    manager.CancelAllCommands();

    // Finishing with no further point: the first pair alone.
    LinearRow(kContinueHorizontal, {});
    EXPECT_EQ(doc.GetFeatureCount(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    manager.CancelAllCommands();

    // Angular: a further point in the direction of the one before refuses the row.
    Start(kContinueAngular);
    Give(ContinueAngularDimension2dCommand::itemCentre, W(0, 0));
    Give(ContinueAngularDimension2dCommand::itemFirstPoint, Polar(8, 0));
    Give(ContinueAngularDimension2dCommand::itemSecondPoint, Polar(8, 30));
    Give(ContinueAngularDimension2dCommand::itemPosition, Polar(10, 10));
    Further(ContinueAngularDimension2dCommand::itemFurtherPoints, {Polar(12, 30)});
    ExpectRefused(kMsgNoDimension, 1, 1);
}

TEST_F(DimensionRowTest, AngularRowsKeepTheirCentreAndGrowOutwardsOnTheBaseline)
{
    struct Case {
        const char* name;
        UINT command;
        double spacing;
        double from[3], to[3], radius[3];
    };
    const Case cases[] = {
        {"continued", kContinueAngular, -1.0, {0, 30, 75}, {30, 75, 120}, {10, 10, 10}},
        {"baseline, spacing 5", kBaselineAngular, 5.0, {0, 0, 0}, {30, 75, 120}, {10, 15, 20}},
        {"progressive", kProgressiveAngular, -1.0, {0, 0, 0}, {30, 75, 120}, {10, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.command);
        Give(ContinueAngularDimension2dCommand::itemCentre, W(0, 0));
        Give(ContinueAngularDimension2dCommand::itemFirstPoint, Polar(8, 0));
        Give(ContinueAngularDimension2dCommand::itemSecondPoint, Polar(8, 30));
        Give(ContinueAngularDimension2dCommand::itemPosition, Polar(10, 15));
        if (c.spacing >= 0.0)
            GiveSpacing(ContinueAngularDimension2dCommand::itemSpacing, c.spacing * s());
        const long before = doc.GetFeatureCount();
        Further(ContinueAngularDimension2dCommand::itemFurtherPoints, {Polar(8, 75), Polar(8, 120)});
        ASSERT_EQ(doc.GetFeatureCount(), before + 3);
        const auto dims = Shapes<AngularDimension2dFeature>();
        for (int i = 0; i < 3; ++i) {
            const AngularDimension2dFeature* d = dims[dims.size() - 3 + i];
            auto angle = [&](const RuVaPnt2d& p) {
                return RuVa::CorrectAngle(std::atan2(p.Y() - o.Y(), p.X() - o.X()) * RuVa::RadToDeg);
            };
            EXPECT_NEAR(angle(d->GetStartPoint()), c.from[i], 1e-9) << i;
            EXPECT_NEAR(angle(d->GetEndPoint()), c.to[i], 1e-9) << i;
            EXPECT_NEAR(d->GetRadius() / s(), c.radius[i], 1e-9) << i;
            EXPECT_NEAR(d->GetMeasuredValue(), c.to[i] - c.from[i], 1e-9) << i;
        }
        manager.CancelAllCommands();
    }
}

TEST_F(DimensionRowTest, ArcLengthRowsKeepTheArcRadiusAndOffsetTheirArcs)
{
    for (UINT command : {kContinueArc, kBaselineArc}) {
        SCOPED_TRACE(command);
        Start(command);
        Give(ContinueAngularDimension2dCommand::itemCentre, W(0, 0));
        Give(ContinueAngularDimension2dCommand::itemFirstPoint, Polar(8, 0));
        Give(ContinueAngularDimension2dCommand::itemSecondPoint, Polar(20, 30));
        Give(ContinueAngularDimension2dCommand::itemPosition, Polar(12, 15));
        if (command == kBaselineArc)
            GiveSpacing(ContinueAngularDimension2dCommand::itemSpacing, 3 * s());
        const long before = doc.GetFeatureCount();
        Further(ContinueAngularDimension2dCommand::itemFurtherPoints, {Polar(5, 60), Polar(9, 90)});
        ASSERT_EQ(doc.GetFeatureCount(), before + 3);
        const auto dims = Shapes<ArcDimension2dFeature>();
        const double offsets[2][3] = {{4, 4, 4}, {4, 7, 10}};
        for (int i = 0; i < 3; ++i) {
            const ArcDimension2dFeature* d = dims[dims.size() - 3 + i];
            EXPECT_NEAR(d->GetRadius() / s(), 8.0, 1e-9) << i;
            EXPECT_NEAR(d->GetProjectionLength() / s(), offsets[command == kBaselineArc][i], 1e-9) << i;
        }
        manager.CancelAllCommands();
    }
}

TEST_F(DimensionRowTest, TheBaselineSpacingComesFromTheStyle)
{
    const DimensionSetting* pSetting = doc.GetDimensionSetting();
    const double expected = pSetting->GetDistance() + 2.0 * pSetting->GetDimTextHight();
    Start(kBaseline);
    double value = 0.0;
    const auto* pSpacing = dynamic_cast<const LengthParameterItem*>(
        Running()->FindItem(ContinueLinearDimension2dCommand::itemSpacing));
    ASSERT_NE(pSpacing, nullptr);
    ASSERT_FALSE(pSpacing->IsEmpty());
    ASSERT_TRUE(pSpacing->GetValue(value));
    EXPECT_NEAR(value, expected, 1e-12);
    manager.CancelAllCommands();

    // The angular baseline proposes it once, when its rows are made: a later style change keeps it.
    Start(kBaselineAngular);
    manager.CancelAllCommands();
    DimensionSetting changed;
    changed.Copy(*pSetting);
    changed.SetDistance(pSetting->GetDistance() + 5.0);
    doc.SetDimensionSetting(changed);
    Start(kBaselineAngular);
    const auto* pAngular = dynamic_cast<const LengthParameterItem*>(
        Running()->FindItem(ContinueAngularDimension2dCommand::itemSpacing));
    ASSERT_NE(pAngular, nullptr);
    ASSERT_TRUE(pAngular->GetValue(value));
    EXPECT_NEAR(value, expected, 1e-12);
}

TEST_F(DimensionRowTest, TheRowsAreNeverOfferedOnTheRightClickMenu)
{
    for (LPCTSTR id : {_T("Korvan.Shape.ContinueLinearDimension"), _T("Korvan.Shape.BaselineParallelDimension"),
                       _T("Korvan.Shape.ProgressiveArcDimension"), _T("Korvan.Shape.ContinueAngularDimension")})
        EXPECT_FALSE(CommandBase::IsCommandEnabled(id, &doc)) << CString(id).ToUtf8();
}

TEST_F(DimensionRowTest, ThePreviewShowsTheRowToTheCursorAndIsTheRowEnterMakes)
{
    Start(kContinueHorizontal);
    Give(ContinueLinearDimension2dCommand::itemFirstPoint, P(-4, 0));
    Give(ContinueLinearDimension2dCommand::itemSecondPoint, P(-2, 0));
    Give(ContinueLinearDimension2dCommand::itemPosition, P(-3, 2));
    Further(ContinueLinearDimension2dCommand::itemFurtherPoints, {P(0, 0)}, false);
    // The row so far and one more dimension to the cursor; the click adds the point, Enter the row.
    const QImage before = Render();
    const QImage preview = PreviewAt(P(3, 0));
    EXPECT_NE(preview, before);
    Click(P(3, 0));
    EXPECT_EQ(doc.GetFeatureCount(), 0);
    ASSERT_TRUE(manager.FinishListInput());
    ASSERT_EQ(doc.GetFeatureCount(), 3);
    EXPECT_TRUE(Render() == preview) << "the preview differs from the row made";
}
