// The angled line, the horizontal and vertical lines and the construction lines, run by the real manager
// over a real document and view: the rows of each command and how they re-form, the line each input makes
// (one undo step, the current attributes), the reasons told when a run makes nothing, shapes picked in a
// rotated part layout, and previews that are the clicked shape pixel for pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/AngledLine2dCommand.h"
#include "commands/shape/HorizontalVerticalLine2dCommand.h"
#include "commands/shape/InfiniteLine2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "command/RegistryManager.h"
#include "platform/win/Registry.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kAngledLineID = 33420;
constexpr UINT kVerticalLineID = 33413;
constexpr UINT kHorizontalLineID = 33414;
constexpr UINT kHorizontalVerticalLineID = 33415;
constexpr UINT kInfiniteLineID = 33522;
constexpr UINT kSemiInfiniteLineID = 33523;

class StraightLineTest : public kctest::DrawingCommandFixture
{
protected:
    // The ids of the current items in parameter order, with the reference item of each.
    std::vector<std::pair<int, int>> RowIds() const
    {
        std::vector<std::pair<int, int>> rows;
        for (int i = 0; i < Running()->GetParameterCount(); ++i) {
            const ParameterItemBase* pItem = Running()->GetParameterItem(i);
            rows.emplace_back(pItem->GetId(), pItem->m_wBaseItemId == ParameterItemBase::kNoBaseItem
                                                  ? -1
                                                  : static_cast<int>(pItem->m_wBaseItemId));
        }
        return rows;
    }
    // The alternative of the parameter chosen in the bar (nothing to do when it is chosen already).
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
        ASSERT_EQ(Running()->GetParameter(index)->GetCurrentIndex(), alternative);
    }
    const Line2dFeature* LastLine() const
    {
        const auto lines = Shapes<Line2dFeature>();
        return lines.empty() ? nullptr : lines.back();
    }
};

using Rows = std::vector<std::pair<int, int>>;

}  // namespace

TEST_F(StraightLineTest, AngledLineEndsAtAPointAfterALengthOrAtAPickedShapeAndKeepsItsAngle)
{
    // A vertical wall at x = 4 units for the picked-shape extent.
    const long wall = Add(Line2dFeature(P(4, -3), P(4, 3)));
    ASSERT_GT(wall, 0);
    struct Case {
        const char* name;
        int alternative;  // 0 end point, 1 length, 2 shape
        RuVaPnt2d click;  // the end point, or where the wall is picked
        double length;
        RuVaPnt2d expected;
    };
    const Case cases[] = {
        {"end point off the direction: its foot", 0, P(2, 2), 0, P(2, 0)},
        {"typed length", 1, RuVaPnt2d(), 3 * u, P(3, 0)},
        {"picked wall", 2, P(4, 1), 0, P(4, 0)},
    };
    CommandBase* pCommand = Start(kAngledLineID);
    ASSERT_NE(dynamic_cast<AngledLine2dCommand*>(pCommand), nullptr);
    EXPECT_EQ(RowIds(), (Rows{{0, -1}, {1, -1}, {2, -1}}));
    Type(0, 0.0);  // the angle, once for every line
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(2, c.alternative);
        EXPECT_EQ(Running()->GetParameterCount(), 3);  // no row is added or removed
        Click(P(0, 0));
        if (c.alternative == 1)
            Type(2, c.length);
        else
            Click(c.click);
        ASSERT_EQ(Shapes<Line2dFeature>().size(), static_cast<size_t>(2 + made)) << "no line made";
        ++made;
        const Line2dFeature* pLine = LastLine();
        ExpectNear(pLine->GetStartPoint(), Landed(P(0, 0)), 1e-9);
        ExpectNear(pLine->GetEndPoint(), c.alternative == 2 ? c.expected : RuVaPnt2d(c.expected.X(), Landed(P(0, 0)).Y()),
                   c.alternative == 0 ? 0.5 / view.GetScale() : 1e-9);
        ExpectCurrentAttributes(pLine);
        EXPECT_EQ(doc.GetUndoCount(), 1 + made);
        // The angle stays, the rest is cleared for the next line.
        EXPECT_FALSE(Running()->IsParameterEmpty(0));
        EXPECT_TRUE(Running()->IsParameterEmpty(1));
        EXPECT_TRUE(Running()->IsParameterEmpty(2));
    }
    EXPECT_TRUE(Messages().empty());
    manager.CancelAllCommands();
    Start(kAngledLineID);
    EXPECT_TRUE(Running()->IsParameterEmpty(0)) << "the angle outlived the command";
}

TEST_F(StraightLineTest, ValuesThatMakeNoLineSayWhyAndLeaveTheDocumentAlone)
{
    struct Case {
        const char* name;
        UINT command;
        int alternative;
        RuVaPnt2d second;  // the end or direction point
        double length;     // NaN: not typed
        UINT message;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"angled: end on the start", kAngledLineID, 0, P(0, 0), none, kMsgPointsCoincide},
        {"angled: end square to the angle", kAngledLineID, 0, P(0, 2), none, kMsgNoLine},
        {"angled: zero length", kAngledLineID, 1, P(0, 0), 0.0, kMsgLengthNotPositive},
        {"angled: negative length", kAngledLineID, 1, P(0, 0), -5.0, kMsgLengthNotPositive},
        {"horizontal: end straight above", kHorizontalLineID, 0, P(0, 2), none, kMsgNoLine},
        {"vertical: end on the start", kVerticalLineID, 0, P(0, 0), none, kMsgPointsCoincide},
        {"vertical: zero length", kVerticalLineID, 1, P(1, 1), 0.0, kMsgLengthNotPositive},
        {"both: direction on the start", kHorizontalVerticalLineID, 1, P(0, 0), 10.0, kMsgPointsCoincide},
        {"infinite: points coincide", kInfiniteLineID, -1, P(0, 0), none, kMsgPointsCoincide},
        {"semi-infinite: points coincide", kSemiInfiniteLineID, -1, P(0, 0), none, kMsgPointsCoincide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(c.command);
        ASSERT_NE(Running(), nullptr);
        const bool angled = c.command == kAngledLineID;
        const int extent = angled ? 2 : 1;
        if (angled)
            Type(0, 0.0);
        if (c.alternative >= 0)
            Choose(extent, c.alternative);
        Messages().clear();
        Click(P(0, 0));
        if (!std::isnan(c.length)) {
            Type(extent, c.length);
            if (!angled)
                Click(c.second);  // the direction point
        } else {
            Click(c.second);
        }
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        EXPECT_EQ(doc.GetUndoCount(), 0);
        EXPECT_FALSE(doc.IsInUndoOperation());
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
        EXPECT_FALSE(Text(c.message).IsEmpty());
        // Result 3 keeps what was given for correction.
        EXPECT_FALSE(Running()->IsParameterEmpty(angled ? 1 : 0));
    }
}

TEST_F(StraightLineTest, LengthAlternativeAddsTheDirectionRowAndLeavingItRemovesIt)
{
    struct Step {
        int alternative;
        Rows rows;
    };
    // start (0) refers to the end point (1), the direction point (4) while the length (2) is chosen, and to
    // nothing while a shape (3) is.
    const Step steps[] = {
        {1, {{0, 4}, {2, -1}, {4, 0}}}, {0, {{0, 1}, {1, 0}}},  {2, {{0, 1}, {3, -1}}},
        {1, {{0, 4}, {2, -1}, {4, 0}}}, {2, {{0, -1}, {3, -1}}}, {0, {{0, -1}, {1, 0}}},
    };
    for (UINT id : {kVerticalLineID, kHorizontalLineID, kHorizontalVerticalLineID}) {
        SCOPED_TRACE(id);
        manager.CancelAllCommands();
        Start(id);
        ASSERT_NE(dynamic_cast<HorizontalVerticalLine2dCommand*>(Running()), nullptr);
        EXPECT_EQ(RowIds(), (Rows{{0, 1}, {1, 0}}));
        for (const Step& s : steps) {
            SCOPED_TRACE(s.alternative);
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, s.alternative));
            EXPECT_EQ(RowIds(), s.rows);
        }
        // A change of another parameter, or to the alternative already chosen, is refused.
        EXPECT_FALSE(manager.SetParameterAlternative(nullptr, 1, 0));
        EXPECT_FALSE(Running()->OnAlternativeChanging(0, 0));
    }
}

TEST_F(StraightLineTest, RememberedLengthChoiceComesBackWithItsDirectionRowAfterARestart)
{
    Start(kHorizontalLineID);
    // From now on the settings carry a program version that may load what this run remembers.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, 1));
    manager.CancelAllCommands();
    manager.Shutdown();

    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kHorizontalLineID));
    CommandBase* pCommand = next.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_EQ(pCommand->GetParameterCount(), 3);
    EXPECT_EQ(pCommand->GetParameterItem(1)->GetId(), HorizontalVerticalLine2dCommand::itemLength);
    EXPECT_EQ(pCommand->GetParameterItem(2)->GetId(), HorizontalVerticalLine2dCommand::itemDirection);
    EXPECT_EQ(pCommand->FindItem(0)->m_wBaseItemId, HorizontalVerticalLine2dCommand::itemDirection);

    // And it draws: a start, a length, a direction point to the left.
    next.SetCursorPoints(P(0, 0), P(0, 0));
    static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(P(0, 0));
    static_cast<DoubleParameterItem*>(pCommand->FindItem(2))->SetValue(2 * u);
    static_cast<PointParameterItem*>(pCommand->FindItem(4))->SetValue(P(-5, 1));
    next.RunActiveCommand(2, TRUE);
    const Line2dFeature* pLine = LastLine();
    ASSERT_NE(pLine, nullptr);
    ExpectNear(pLine->GetEndPoint(), P(-2, 0), 1e-9);
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();
}

TEST_F(StraightLineTest, EachAxisVariantPlacesItsLineByEveryExtent)
{
    const long wall = Add(Circle2dFeature(P(0, 0), 4 * u));
    ASSERT_GT(wall, 0);
    struct Case {
        UINT command;
        int alternative;
        RuVaPnt2d second;  // end point, direction point or where the circle is picked
        double length;
        RuVaPnt2d expected;
    };
    const Case cases[] = {
        {kHorizontalLineID, 0, P(3, 2), 0, P(3, 0)},
        {kVerticalLineID, 0, P(3, 2), 0, P(0, 2)},
        {kHorizontalVerticalLineID, 0, P(3, 2), 0, P(3, 0)},
        {kHorizontalVerticalLineID, 0, P(1, -2), 0, P(0, -2)},
        {kHorizontalLineID, 1, P(-1, 5), 2, P(-2, 0)},
        {kVerticalLineID, 1, P(-1, 5), 2, P(0, 2)},
        {kHorizontalVerticalLineID, 1, P(-1, 5), 2, P(0, 2)},
        {kHorizontalLineID, 2, P(-4, 0), 0, P(-4, 0)},
        {kVerticalLineID, 2, P(0, 4), 0, P(0, 4)},
    };
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " alternative " << c.alternative);
        manager.CancelAllCommands();
        Start(c.command);
        Choose(1, c.alternative);
        Click(P(0, 0));
        if (c.alternative == 1) {
            Type(1, c.length * u);
            Click(c.second);
        } else {
            Click(c.second);
        }
        ASSERT_EQ(Shapes<Line2dFeature>().size(), static_cast<size_t>(++made));
        const Line2dFeature* pLine = LastLine();
        const RuVaPnt2d start = Landed(P(0, 0));
        ExpectNear(pLine->GetStartPoint(), start, 1e-9);
        // Clicked points land on their pixel; computed ends are exact from the start.
        const RuVaPnt2d end = pLine->GetEndPoint();
        const bool horizontal = std::fabs(end.Y() - start.Y()) < 1e-9;
        EXPECT_TRUE(horizontal || std::fabs(end.X() - start.X()) < 1e-9);
        ExpectNear(end, c.expected, 0.5 / view.GetScale() + 1e-9);
        ExpectCurrentAttributes(pLine);
        EXPECT_EQ(doc.GetUndoCount(), 1 + made);
    }
}

TEST_F(StraightLineTest, ConstructionLinesRunThroughBothPointsTheRayFromTheFirst)
{
    for (UINT id : {kInfiniteLineID, kSemiInfiniteLineID}) {
        SCOPED_TRACE(id);
        manager.CancelAllCommands();
        Start(id);
        ASSERT_NE(dynamic_cast<InfiniteLine2dCommand*>(Running()), nullptr);
        EXPECT_EQ(RowIds(), (Rows{{0, 1}, {1, 0}}));
        const long before = doc.GetFeatureCount();
        Click(P(1, 1));
        Click(P(4, 5));
        ASSERT_EQ(doc.GetFeatureCount(), before + 1);
        const Feature2dBase* pMade = doc.GetFeature(doc.GetNextFeatureRecordID(-1) + before);
        ASSERT_NE(pMade, nullptr);
        const bool semi = dynamic_cast<const SemiInfiniteLine2dFeature*>(pMade) != nullptr;
        EXPECT_EQ(semi, id == kSemiInfiniteLineID);
        const auto* pLine = dynamic_cast<const InfiniteLine2dFeature*>(pMade);
        ASSERT_NE(pLine, nullptr);
        ExpectNear(pLine->GetPoint(), Landed(P(1, 1)), 1e-9);
        const RuVaPnt2d a = Landed(P(1, 1)), b = Landed(P(4, 5));
        const double len = a.Distance(b);
        EXPECT_NEAR(pLine->GetDirection().X(), (b.X() - a.X()) / len, 1e-12);
        EXPECT_NEAR(pLine->GetDirection().Y(), (b.Y() - a.Y()) / len, 1e-12);
        ExpectCurrentAttributes(pMade);
        EXPECT_TRUE(Running()->IsParameterEmpty(0));
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.GetFeatureCount(), before);
        ASSERT_TRUE(doc.Redo());
    }
}

TEST_F(StraightLineTest, ConstructionLinePointsCloserThanTheToleranceMakeNothing)
{
    Start(kInfiniteLineID);
    auto* pBase = static_cast<PointParameterItem*>(Running()->FindItem(0));
    auto* pThrough = static_cast<PointParameterItem*>(Running()->FindItem(1));
    pBase->SetValue(RuVaPnt2d(10, 10));
    pThrough->SetValue(RuVaPnt2d(10 + 1e-8, 10));
    EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultNothing);
    pThrough->SetValue(RuVaPnt2d(10 + 1e-6, 10));
    EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultDone);
    EXPECT_EQ(doc.GetFeatureCount(), 1);

    // The preview shows nothing while the cursor is within the tolerance of the base point.
    manager.CancelAllCommands();
    Start(kInfiniteLineID);
    Click(P(0, 0));
    const QImage empty = Render();
    manager.SetCursorPoints(Landed(P(0, 0)), Landed(P(0, 0)));
    Running()->DrawPreview(C(P(0, 0)), Landed(P(0, 0)), Landed(P(0, 0)), 0);
    EXPECT_EQ(Frame(), empty);
}

TEST_F(StraightLineTest, APickedShapeDeletedBeforeTheRunIsRefusedWithItsReason)
{
    const long wall = Add(Line2dFeature(P(4, -3), P(4, 3)));
    for (UINT id : {kAngledLineID, kHorizontalLineID}) {
        SCOPED_TRACE(id);
        manager.CancelAllCommands();
        Start(id);
        const bool angled = id == kAngledLineID;
        if (angled)
            Type(0, 0.0);
        const int extent = angled ? 2 : 1;
        Choose(extent, 2);
        auto* pShape = dynamic_cast<FeatureParameterItem*>(Running()->GetParameterItem(extent));
        ASSERT_NE(pShape, nullptr);
        EXPECT_EQ(pShape->m_dwAcceptedKinds, 0x01800DFEu);
        EXPECT_EQ(pShape->m_nPickSetting, 1);
        static_cast<PointParameterItem*>(Running()->GetParameterItem(angled ? 1 : 0))->SetValue(P(0, 0));
        FeatureLayout picked(wall, -1, -1);
        pShape->SetValue(picked, P(4, 1));
        const int undo = doc.GetUndoCount();
        doc.BeginUndoOperation(nullptr);
        ASSERT_TRUE(doc.DeleteFeature(wall, 1));
        doc.EndUndoOperation();
        Messages().clear();
        EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultNothing);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(kMsgShapeGone));
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        ASSERT_TRUE(doc.Undo());  // the wall back
        EXPECT_EQ(doc.GetUndoCount(), undo);
    }
}

TEST_F(StraightLineTest, PreviewIsTheLineAClickMakes)
{
    const long wall = Add(Line2dFeature(P(3, -3), P(3, 3)));
    ASSERT_GT(wall, 0);
    struct Case {
        const char* name;
        UINT command;
        int alternative;
        double value;  // angle or length typed first, NaN for none
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"angled to a point", kAngledLineID, 0, 30},
        {"angled to a shape under the cursor", kAngledLineID, 2, 10},
        {"horizontal to a point", kHorizontalLineID, 0, none},
        {"vertical to a shape under the cursor", kHorizontalVerticalLineID, 2, none},
        {"infinite", kInfiniteLineID, -1, none},
        {"semi-infinite", kSemiInfiniteLineID, -1, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(c.command);
        const bool angled = c.command == kAngledLineID;
        if (angled)
            Type(0, c.value);
        if (c.alternative >= 0)
            Choose(angled ? 2 : 1, c.alternative);
        Click(P(-2, -1));
        const RuVaPnt2d at = c.alternative == 2 ? P(3, 1) : P(2, 2);
        if (c.alternative == 2)
            manager.OnMouseMove(0, C(at));  // the shape under the cursor stands in for the pick
        ExpectPreviewIsTheClickedShape(at);
        ASSERT_TRUE(doc.Undo());
    }
}

TEST_F(StraightLineTest, ReasonsAreToldInTheInterfacesLanguage)
{
    const UINT reasons[] = {kMsgPointsCoincide, kMsgNoLine, kMsgShapeGone, kMsgRefusedByDrawing, kMsgLengthNotPositive};
    std::vector<CString> english;
    for (UINT id : reasons) {
        english.push_back(Text(id));
        EXPECT_FALSE(english.back().IsEmpty()) << id;
    }
    ASSERT_NE(kctest::UseLanguage(u"JPN"), nullptr);
    for (size_t i = 0; i < std::size(reasons); ++i) {
        EXPECT_FALSE(Text(reasons[i]).IsEmpty()) << reasons[i];
        EXPECT_NE(Text(reasons[i]), english[i]) << reasons[i];
    }
    Start(kInfiniteLineID);
    Click(P(1, 1));
    Click(P(1, 1));
    const CString japanese = Text(kMsgPointsCoincide);
    ASSERT_NE(kctest::UseLanguage(u"ENG"), nullptr);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], japanese);
}
