// The point marker commands over the real manager, document and view: markers in the document's point-
// marker style on the current layer (not the shape attributes), one undo step each, placed relative to a
// base point by offsets, by distance and angle or towards a direction point, the relative command's rows
// re-forming, markers keeping their size on paper in a scaled and turned part layout, and the preview
// equal to the marker a click makes.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/DivisionPointMarker2dCommand.h"
#include "commands/shape/IntersectionPointMarker2dCommand.h"
#include "commands/shape/PointMarker2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "commands/shape/RelativePointMarker2dCommand.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kPointMarkerID = 33402;
constexpr UINT kRelativePointMarkerID = 33403;
constexpr UINT kDivisionPointMarkerID = 33405;
constexpr UINT kIntersectionPointMarkerID = 33404;

class PointMarkerTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        PointMarkerSetting setting = *doc.GetPointMarkerSetting();
        setting.SetType(2);
        setting.SetSize(3.0);
        ASSERT_NE(doc.SetPointMarkerSetting(setting), 0);
        doc.ClearUndoRedoHistory();
    }
    std::vector<std::pair<int, int>> RowIds() const
    {
        std::vector<std::pair<int, int>> rows;
        for (int i = 0; i < Running()->GetParameterCount(); ++i) {
            const CommandParameter* p = Running()->GetParameter(i);
            for (int k = 0; k < p->GetItemCount(); ++k)
                rows.emplace_back(i, p->GetItem(k)->GetId());
        }
        return rows;
    }
    void ExpectStyled(const PointMarker2dFeature* pMarker, double size)
    {
        ASSERT_NE(pMarker, nullptr);
        EXPECT_EQ(pMarker->GetMarkerType(), 2);
        EXPECT_NEAR(pMarker->GetMarkerSize(), size, 1e-12);
        EXPECT_EQ(pMarker->GetLayerID(), layer);
        // The shape attributes of the document are not a marker's.
        EXPECT_NE(pMarker->GetLineTypeNo(), 2);
    }
    const PointMarker2dFeature* Last() const
    {
        const auto all = Shapes<PointMarker2dFeature>();
        return all.empty() ? nullptr : all.back();
    }
};

}  // namespace

TEST_F(PointMarkerTest, MarkersAtClickedPointsTakeThePointMarkerStyleAndTheCurrentLayer)
{
    Start(kPointMarkerID);
    ASSERT_NE(dynamic_cast<PointMarker2dCommand*>(Running()), nullptr);
    Click(P(1, 1));
    Click(P(2, -1));
    const auto markers = Shapes<PointMarker2dFeature>();
    ASSERT_EQ(markers.size(), 2u);
    ExpectNear(markers[0]->GetPoint(), Landed(P(1, 1)), 1e-9);
    ExpectNear(markers[1]->GetPoint(), Landed(P(2, -1)), 1e-9);
    ExpectStyled(markers[1], 3.0);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Shapes<PointMarker2dFeature>().size(), 1u);
}

TEST_F(PointMarkerTest, RelativeMarkersByOffsetsDistanceAndAngleOrDirection)
{
    struct Case {
        const char* name;
        int first;   // 0 X offset, 1 distance
        int second;  // for the distance: 0 direction point, 1 angle
        double u, v;
        RuVaPnt2d direction;
        RuVaPnt2d expected;
    };
    const Case cases[] = {
        {"offsets", 0, 0, 5, -3, RuVaPnt2d(), RuVaPnt2d(15, 7)},
        {"distance and angle", 1, 1, 10, 90, RuVaPnt2d(), RuVaPnt2d(10, 20)},
        {"distance towards a point", 1, 0, 5, 0, RuVaPnt2d(10, 0), RuVaPnt2d(10, 5)},
    };
    Start(kRelativePointMarkerID);
    CommandBase* pCommand = Running();
    ASSERT_NE(dynamic_cast<RelativePointMarker2dCommand*>(pCommand), nullptr);
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (pCommand->GetParameter(1)->GetCurrentIndex() != c.first)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, c.first));
        if (c.first == 1 && pCommand->GetParameter(2)->GetCurrentIndex() != c.second)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, c.second));
        static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(RuVaPnt2d(10, 10));
        static_cast<DoubleParameterItem*>(pCommand->GetParameterItem(1))->SetValue(c.u);
        if (c.first == 1 && c.second == 0)
            static_cast<PointParameterItem*>(pCommand->GetParameterItem(2))->SetValue(c.direction);
        else
            static_cast<DoubleParameterItem*>(pCommand->GetParameterItem(2))->SetValue(c.v);
        manager.RunActiveCommand(2, TRUE);
        ASSERT_EQ(Shapes<PointMarker2dFeature>().size(), static_cast<size_t>(++made));
        ExpectNear(Last()->GetPoint(), c.expected, 1e-9);
        ExpectStyled(Last(), 3.0);
        EXPECT_EQ(doc.GetUndoCount(), made);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(pCommand->IsParameterEmpty(i)) << i;
    }
}

TEST_F(PointMarkerTest, RelativeMarkerRowsReFormAndTheBaseReferenceFollowsTheDirection)
{
    Start(kRelativePointMarkerID);
    using Rows = std::vector<std::pair<int, int>>;
    auto baseReference = [&] { return static_cast<int>(Running()->FindItem(0)->m_wBaseItemId); };
    EXPECT_EQ(RowIds(), (Rows{{0, 0}, {1, 1}, {1, 3}, {2, 2}}));
    EXPECT_EQ(baseReference(), 0xFFFF);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, 1));
    EXPECT_EQ(RowIds(), (Rows{{0, 0}, {1, 1}, {1, 3}, {2, 4}, {2, 5}}));
    EXPECT_EQ(baseReference(), 4);
    EXPECT_EQ(Running()->FindItem(4)->m_wBaseItemId, 0);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, 1));
    EXPECT_EQ(baseReference(), 0xFFFF);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, 0));
    EXPECT_EQ(baseReference(), 4);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, 0));
    EXPECT_EQ(RowIds(), (Rows{{0, 0}, {1, 1}, {1, 3}, {2, 2}}));
    EXPECT_EQ(baseReference(), 0xFFFF);
    EXPECT_TRUE(Running()->IsParameterEmpty(2));
    EXPECT_FALSE(manager.SetParameterAlternative(nullptr, 1, 0));
}

TEST_F(PointMarkerTest, RelativeMarkerChoicesComeBackWithTheirRowsAfterARestart)
{
    Start(kRelativePointMarkerID);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, 1));  // a distance
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, 1));  // and an angle
    const auto rows = RowIds();

    std::unique_ptr<CommandManager> next = Restarted();
    ASSERT_TRUE(next->ExecuteCommand(kRelativePointMarkerID));
    CommandBase* pCommand = next->GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    std::vector<std::pair<int, int>> restored;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i)
        for (int k = 0; k < pCommand->GetParameter(i)->GetItemCount(); ++k)
            restored.emplace_back(i, pCommand->GetParameter(i)->GetItem(k)->GetId());
    EXPECT_EQ(restored, rows);
    EXPECT_EQ(pCommand->GetParameter(1)->GetCurrentIndex(), 1);
    EXPECT_EQ(pCommand->GetParameter(2)->GetCurrentIndex(), 1);
    EXPECT_EQ(pCommand->FindItem(0)->m_wBaseItemId, 0xFFFF) << "an angle gives the base no direction point";

    // And it places: 10 at 90 degrees from the base.
    static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(RuVaPnt2d(10, 10));
    static_cast<DoubleParameterItem*>(pCommand->GetParameterItem(1))->SetValue(10);
    static_cast<DoubleParameterItem*>(pCommand->GetParameterItem(2))->SetValue(90);
    next->RunActiveCommand(2, TRUE);
    ASSERT_EQ(Shapes<PointMarker2dFeature>().size(), 1u);
    ExpectNear(Last()->GetPoint(), RuVaPnt2d(10, 20), 1e-9);
    EndRestarted(*next);
}

TEST_F(PointMarkerTest, MarkersKeepTheirSizeOnPaperInsideAScaledTurnedPartLayout)
{
    const long paper = doc.GetActiveDrawingFeature()->GetDrawingID();
    const long part = doc.AddPartDrawingFeature(_T("Part"));
    const long layout = doc.AddPartLayout(paper, part, _T("Detail"), -1, 0);
    ASSERT_GT(layout, 0);
    ASSERT_TRUE(doc.SetPartLayoutAngle(layout, 30, 0));
    struct Case {
        double num, den;  // the layout's scale
        double size;      // the marker's size in the part's units
    };
    for (const Case& c : {Case{1, 2, 6.0}, Case{2, 1, 1.5}, Case{1, 1, 3.0}}) {
        SCOPED_TRACE(c.num / c.den);
        ASSERT_TRUE(doc.SetPartLayoutScale(layout, c.num, c.den, FALSE, c.num, c.den, 0));
        ASSERT_TRUE(doc.ActivateDrawingFeature(paper, layout, FALSE));
        for (UINT id : {kPointMarkerID, kRelativePointMarkerID}) {
            manager.CancelAllCommands();
            Start(id);
            const long before = doc.GetFeatureCount();
            if (id == kPointMarkerID) {
                Click(P(0.5, 0.5));
            } else {
                static_cast<PointParameterItem*>(Running()->FindItem(0))->SetValue(RuVaPnt2d(1, 1));
                static_cast<DoubleParameterItem*>(Running()->GetParameterItem(1))->SetValue(2);
                static_cast<DoubleParameterItem*>(Running()->GetParameterItem(2))->SetValue(3);
                manager.RunActiveCommand(2, TRUE);
            }
            ASSERT_EQ(doc.GetFeatureCount(), before + 1) << id;
            const PointMarker2dFeature* pMarker = Last();
            ExpectStyled(pMarker, c.size);
            if (id == kPointMarkerID) {
                // Where the click lands in the part's own coordinates.
                RuVaPnt2d local;
                doc.GetPartLayoutByID(layout)->ConvertPointWorldToLocal(Landed(P(0.5, 0.5)), local);
                ExpectNear(pMarker->GetPoint(), local, 1e-9);
            } else {
                ExpectNear(pMarker->GetPoint(), RuVaPnt2d(3, 4), 1e-9);
            }
        }
    }
}

TEST_F(PointMarkerTest, PreviewIsTheMarkerAClickMakes)
{
    Start(kPointMarkerID);
    ExpectPreviewIsTheClickedShape(P(1, 1));
    manager.CancelAllCommands();
    Start(kRelativePointMarkerID);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 1, 1));
    Click(P(-1, 0));  // the base
    Type(1, 2 * u);   // the distance
    ExpectPreviewIsTheClickedShape(P(2, 2));  // towards the direction point
}

TEST_F(PointMarkerTest, DivisionMarkersByCountOrPitchAreOneStepAndRefusalsSayWhy)
{
    struct Case {
        const char* name;
        int alternative;  // 0 number of parts, 1 pitch
        double value;
        RuVaPnt2d second;
        std::vector<double> at;  // distances of the markers from the first point, in units of 10
        int result;
        UINT message;
    };
    const Case cases[] = {
        {"five parts", 0, 5, RuVaPnt2d(50, 0), {1, 2, 3, 4}, CommandBase::resultDone, 0},
        {"pitch 15", 1, 15, RuVaPnt2d(0, 40), {1.5, 3}, CommandBase::resultDone, 0},
        {"one part: no marker", 0, 1, RuVaPnt2d(50, 0), {}, CommandBase::resultConditional, kMsgNoShape},
        {"no parts", 0, 0, RuVaPnt2d(50, 0), {}, CommandBase::resultConditional, kMsgCountNotPositive},
        {"negative pitch", 1, -2, RuVaPnt2d(50, 0), {}, CommandBase::resultConditional, kMsgLengthNotPositive},
        {"points coincide", 0, 3, RuVaPnt2d(0, 0), {}, CommandBase::resultConditional, kMsgPointsCoincide},
    };
    Start(kDivisionPointMarkerID);
    CommandBase* pCommand = Running();
    ASSERT_NE(dynamic_cast<DivisionPointMarker2dCommand*>(pCommand), nullptr);
    int steps = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (pCommand->GetParameter(2)->GetCurrentIndex() != c.alternative)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, c.alternative));
        static_cast<PointParameterItem*>(pCommand->FindItem(0))->SetValue(RuVaPnt2d(0, 0));
        static_cast<PointParameterItem*>(pCommand->FindItem(1))->SetValue(c.second);
        if (c.alternative == 0)
            static_cast<IntegerParameterItem*>(pCommand->GetParameterItem(2))->SetValue(static_cast<int>(c.value));
        else
            static_cast<DoubleParameterItem*>(pCommand->GetParameterItem(2))->SetValue(c.value);
        const long before = doc.GetFeatureCount();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(2), c.result);
        const auto markers = Shapes<PointMarker2dFeature>();
        ASSERT_EQ(markers.size(), before + c.at.size());
        if (!c.at.empty())
            ++steps;
        EXPECT_EQ(doc.GetUndoCount(), steps);
        const double len = c.second.Distance(RuVaPnt2d(0, 0));
        for (size_t i = 0; i < c.at.size(); ++i) {
            const PointMarker2dFeature* p = markers[before + i];
            ExpectNear(p->GetPoint(), RuVaPnt2d(c.second.X() / len * c.at[i] * 10, c.second.Y() / len * c.at[i] * 10), 1e-9);
            ExpectStyled(p, 3.0);
        }
        if (c.message != 0) {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0], Text(c.message));
        }
    }
    // One undo takes a whole run's markers away.
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Shapes<PointMarker2dFeature>().size(), 4u);
}

TEST_F(PointMarkerTest, DivisionPreviewIsTheMarkersAClickMakes)
{
    Start(kDivisionPointMarkerID);
    Click(P(-3, 0));
    static_cast<IntegerParameterItem*>(Running()->GetParameterItem(2))->SetValue(4);
    ExpectPreviewIsTheClickedShape(P(3, 2), 3);
}

TEST_F(PointMarkerTest, IntersectionMarkersWhereTwoShapesOrOneShapeWithItselfMeet)
{
    const long across = Add(Line2dFeature(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0)));
    const long upright = Add(Line2dFeature(RuVaPnt2d(2, -10), RuVaPnt2d(2, 10)));
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 5));
    const long parallel = Add(Line2dFeature(RuVaPnt2d(-10, 3), RuVaPnt2d(10, 3)));
    KcArrayOfGePnt2d bow;
    for (const RuVaPnt2d& p : {RuVaPnt2d(20, 0), RuVaPnt2d(30, 10), RuVaPnt2d(30, 0), RuVaPnt2d(20, 10)})
        bow.Add(p);
    Polyline2dFeature crossing;
    ASSERT_TRUE(crossing.SetPointArray(bow));
    const long self = Add(crossing);
    const long gone = Add(Line2dFeature(RuVaPnt2d(0, -20), RuVaPnt2d(0, 20)));
    doc.ClearUndoRedoHistory();
    struct Case {
        const char* name;
        long first, second;
        std::vector<RuVaPnt2d> at;
        UINT message;
    };
    const Case cases[] = {
        {"two lines", across, upright, {RuVaPnt2d(2, 0)}, 0},
        {"a line through a circle", across, circle, {RuVaPnt2d(-5, 0), RuVaPnt2d(5, 0)}, 0},
        {"a polyline crossing itself, picked twice", self, self, {RuVaPnt2d(25, 5)}, 0},
        {"parallel lines", across, parallel, {}, kMsgNoIntersection},
        {"a shape deleted since it was picked", across, gone, {}, kMsgShapeGone},
    };
    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.DeleteFeature(gone, 1));
    doc.EndUndoOperation();
    doc.ClearUndoRedoHistory();
    Start(kIntersectionPointMarkerID);
    CommandBase* pCommand = Running();
    ASSERT_NE(dynamic_cast<IntersectionPointMarker2dCommand*>(pCommand), nullptr);
    int steps = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0))->SetValue(FeatureLayout(c.first, -1, -1), RuVaPnt2d());
        static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(1))->SetValue(FeatureLayout(c.second, -1, -1), RuVaPnt2d());
        const size_t before = Shapes<PointMarker2dFeature>().size();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(1), c.at.empty() ? CommandBase::resultConditional : CommandBase::resultDone);
        const auto markers = Shapes<PointMarker2dFeature>();
        ASSERT_EQ(markers.size(), before + c.at.size());
        steps += c.at.empty() ? 0 : 1;
        EXPECT_EQ(doc.GetUndoCount(), steps);
        for (const RuVaPnt2d& p : c.at) {
            bool found = false;
            for (size_t i = before; i < markers.size(); ++i)
                found = found || markers[i]->GetPoint().IsEqual(p, 1e-7);
            EXPECT_TRUE(found) << p.X() << ", " << p.Y();
        }
        for (size_t i = before; i < markers.size(); ++i)
            ExpectStyled(markers[i], 3.0);
        if (c.message != 0) {
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0], Text(c.message));
        }
    }
}

TEST_F(PointMarkerTest, IntersectionPreviewFollowsTheShapeUnderTheCursorAndIsWhatTheClickMakes)
{
    Add(Line2dFeature(P(-4, 0), P(4, 0)));
    Add(Line2dFeature(P(1, -3), P(1, 3)));
    Start(kIntersectionPointMarkerID);
    Click(P(-2, 0));
    manager.OnMouseMove(0, C(P(1, 2)));  // the second shape under the cursor
    // The first shape shows picked until the run ends, so the pictures are compared where the marker is:
    // every pixel the preview or the added marker changes has the colour the document then shows.
    const QImage before = Render();
    const QImage preview = PreviewAt(P(1, 2));
    Click(P(1, 2));
    const QImage with = Render();
    ASSERT_TRUE(doc.Undo());
    const QImage without = Render();
    ASSERT_TRUE(doc.Redo());
    int marked = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
            const bool markerHere = with.pixel(x, y) != without.pixel(x, y);
            marked += markerHere ? 1 : 0;
            // Where the marker meets the picked (highlighted) line both may change; the marker's
            // colours are those the document then shows.
            if (markerHere || preview.pixel(x, y) != before.pixel(x, y))
                EXPECT_EQ(preview.pixel(x, y), with.pixel(x, y)) << x << ", " << y;
        }
    EXPECT_GT(marked, 0);
    const auto markers = Shapes<PointMarker2dFeature>();
    ASSERT_EQ(markers.size(), 1u);
    ExpectNear(markers[0]->GetPoint(), P(1, 0), 1e-9);
}
