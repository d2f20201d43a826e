// The linear dimension commands over the real manager, document and view: two points (the direction from
// the position, or fixed), a picked line, polyline segment or circle, two picked parallel shapes; the value
// text and text position lists with their rows; a pre-selected shape taken over; refusals with their
// reason; one undo step per dimension on the current layer; the preview equal to the click.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/LinearDimension2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "tests/commands/shape/CircleCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLinearID = 33552;
constexpr UINT kHorizontalID = 33553;
constexpr UINT kVerticalID = 33554;
constexpr UINT kParallelID = 33555;

class LinearDimensionTest : public kctest::CircleCommandFixture
{
protected:
    const LinearDimension2dFeature* Last() const
    {
        const auto dims = Shapes<LinearDimension2dFeature>();
        return dims.empty() ? nullptr : dims.back();
    }
    int Row(WORD id) const { return Running()->FindParameterIndex(id); }
    void SetList(WORD id, int value)
    {
        const int index = Row(id);
        ASSERT_GE(index, 0);
        auto* pList = dynamic_cast<ListParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pList, nullptr);
        ASSERT_TRUE(pList->SetValue(value));
        manager.RunActiveCommand(index, TRUE);
    }
    CString TypedRow() const
    {
        const int index = Row(LinearDimension2dCommand::itemText);
        const auto* pText = index >= 0 ? dynamic_cast<const TextParameterItem*>(Running()->GetParameterItem(index)) : nullptr;
        CString text;
        if (pText != nullptr)
            pText->GetValue(text);
        return text;
    }
    void TypeText(const CString& text)
    {
        const int index = Row(LinearDimension2dCommand::itemText);
        ASSERT_GE(index, 0);
        auto* pText = dynamic_cast<TextParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pText, nullptr);
        ASSERT_TRUE(pText->SetValue(text));
        manager.RunActiveCommand(index, TRUE);
    }
    // What the preview adds is what the click adds, pixel for pixel, away from the picked shapes (drawn
    // highlighted until the click).
    void ExpectPreviewAwayFromPicks(const RuVaPnt2d& w)
    {
        const QImage before = Render();
        const QImage preview = PreviewAt(w);
        const long count = doc.GetFeatureCount();
        Click(w);
        ASSERT_EQ(doc.GetFeatureCount(), count + 1);
        const QImage made = Render();
        ASSERT_TRUE(doc.Undo());
        const QImage plain = Render();
        ASSERT_TRUE(doc.Redo());
        int added = 0, mismatched = 0;
        for (int y = 0; y < made.height(); ++y)
            for (int x = 0; x < made.width(); ++x) {
                if (before.pixel(x, y) != plain.pixel(x, y))
                    continue;
                const bool inPreview = preview.pixel(x, y) != before.pixel(x, y);
                const bool inMade = made.pixel(x, y) != plain.pixel(x, y);
                added += inMade ? 1 : 0;
                mismatched += inPreview != inMade || (inMade && preview.pixel(x, y) != made.pixel(x, y)) ? 1 : 0;
            }
        EXPECT_GT(added, 50);
        EXPECT_EQ(mismatched, 0) << "the preview differs from the dimension made";
    }
    // The measured direction of a dimension: 0 horizontal, 90 vertical (modulo 180).
    static double Direction(const LinearDimension2dFeature* d) { return std::fmod(d->GetDimensionAngle(), 180.0); }
};

}  // namespace

TEST_F(LinearDimensionTest, TwoPointsMeasuredInTheDirectionThePositionChooses)
{
    struct Case {
        const char* name;
        UINT command;
        RuVaPnt2d position;
        double direction;
    };
    const Case cases[] = {
        {"above the points: horizontal", kLinearID, P(2, 5), 0.0},
        {"beside them: vertical", kLinearID, P(7, 1), 90.0},
        {"off both ranges: horizontal", kLinearID, P(7, 6), 0.0},
        {"the horizontal command", kHorizontalID, P(7, 1), 0.0},
        {"the vertical command", kVerticalID, P(2, 5), 90.0},
    };
    int undo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.command);
        Click(P(0, 0));
        Click(P(4, 2));
        Click(c.position);
        const LinearDimension2dFeature* d = Last();
        ASSERT_NE(d, nullptr);
        EXPECT_NEAR(Direction(d), c.direction, 1e-9);
        const RuVaVec2d span = Landed(P(4, 2)) - Landed(P(0, 0));
        EXPECT_NEAR(d->GetMeasuredValue(), c.direction == 0.0 ? std::fabs(span.X()) : std::fabs(span.Y()), 1e-9);
        EXPECT_EQ(d->GetLayerID(), layer);
        EXPECT_EQ(doc.GetUndoCount(), ++undo);
        manager.CancelAllCommands();
    }
    // The parallel command measures the true distance.
    Start(kParallelID);
    Click(P(0, 0));
    Click(P(3, 4));
    Click(P(0, 3));
    ASSERT_NE(Last(), nullptr);
    EXPECT_NEAR(Last()->GetMeasuredValue(), Landed(P(0, 0)).Distance(Landed(P(3, 4))), 1e-9);
    EXPECT_EQ(Last()->GetFeatureType(), FeatureTypeParallelDimension);
}

TEST_F(LinearDimensionTest, PointsThatCannotBeMeasuredAreRefusedWithTheReason)
{
    Start(kHorizontalID);
    Click(P(1, 0));
    Click(P(1, 3));
    Messages().clear();
    Click(P(3, 1));
    ExpectRefused(kMsgDimensionDirection, 0, 0);
    manager.CancelAllCommands();
    Start(kVerticalID);
    Click(P(0, 1));
    Click(P(3, 1));
    Messages().clear();
    Click(P(1, 3));
    ExpectRefused(kMsgDimensionDirection, 0, 0);
}

TEST_F(LinearDimensionTest, APickedCircleGivesTheDiameterThePositionChooses)
{
    const RuVaPnt2d c = Landed(P(0, 0));
    const double r = 2 * u;
    Add(Circle2dFeature(c, r));
    doc.ClearUndoRedoHistory();
    struct Case {
        const char* name;
        UINT command;
        double positionDeg;
        double diameterDeg;  // direction of the measured diameter
    };
    const Case cases[] = {
        {"above: the level diameter", kLinearID, 90.0, 0.0},
        {"at 20 degrees: the upright one", kLinearID, 20.0, 90.0},
        {"parallel command at 30 degrees: across", kParallelID, 30.0, 120.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Start(k.command);
        Choose(0, 1);
        Click(Landed(P(2, 0)));  // on the circle
        ASSERT_FALSE(Running()->IsParameterEmpty(0));
        const double a = k.positionDeg * RuVa::DegToRad;
        RuVaPnt2d position(c.X() + 4 * u * std::cos(a), c.Y() + 4 * u * std::sin(a));
        if (k.positionDeg == 0.0)
            position = RuVaPnt2d(Landed(P(4, 0)).X(), c.Y());
        const long before = doc.GetFeatureCount();
        Click(position);
        ASSERT_EQ(doc.GetFeatureCount(), before + 1);
        const LinearDimension2dFeature* d = Last();
        ASSERT_NE(d, nullptr);
        const RuVaVec2d across = d->GetPoint(1) - d->GetPoint(0);
        EXPECT_NEAR(across.Magnitude(), 2 * r, 1e-6);
        // The parallel command turns with the position as the click landed.
        const RuVaVec2d landed = Landed(position) - c;
        const double expected = k.command == kParallelID
                                    ? std::fmod(std::atan2(landed.Y(), landed.X()) * RuVa::RadToDeg + 90.0, 180.0)
                                    : k.diameterDeg;
        EXPECT_NEAR(std::fmod(RuVa::CorrectAngle(std::atan2(across.Y(), across.X()) * RuVa::RadToDeg), 180.0),
                    expected, 1e-6);
        EXPECT_NEAR(expected, k.diameterDeg, 1.0);
        manager.CancelAllCommands();
    }
    // Exactly level to the right (0 degrees) still takes the level diameter, whose dimension through a
    // position level with it has no length: refused, nothing added.
    Start(kLinearID);
    Choose(0, 1);
    Click(Landed(P(2, 0)));
    Messages().clear();
    const long before = doc.GetFeatureCount();
    Click(RuVaPnt2d(Landed(P(4, 0)).X(), c.Y()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], Text(kMsgNoDimension));
    EXPECT_EQ(doc.GetFeatureCount(), before);
    // A hair above level: the upright diameter.
    Click(Landed(P(2, 0)));
    Click(RuVaPnt2d(Landed(P(4, 0)).X(), c.Y() + 0.07 * u));
    ASSERT_EQ(doc.GetFeatureCount(), before + 1);
    EXPECT_NEAR(Direction(Last()), 90.0, 1e-9);
}

TEST_F(LinearDimensionTest, APickedPolylineMeasuresItsNearestSegment)
{
    Add(Polyline2dFeature(KcArrayOfGePnt2d{Landed(P(0, 0)), Landed(P(4, 0)), Landed(P(4, 3))}));
    Start(kLinearID);
    Choose(0, 1);
    Click(Landed(P(4, 2)));  // on the upright segment
    Click(P(6, 1));
    const LinearDimension2dFeature* d = Last();
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->GetMeasuredValue(), Landed(P(4, 3)).Distance(Landed(P(4, 0))), 1e-9);
    EXPECT_NEAR(Direction(d), 90.0, 1e-9);
}

TEST_F(LinearDimensionTest, TwoParallelShapesChooseTheDirectionOrAreRefused)
{
    // Two level lines: measured upright, across their overlap under the position.
    Add(Line2dFeature(Landed(P(0, 0)), Landed(P(6, 0))));
    Add(Line2dFeature(Landed(P(1, 3)), Landed(P(5, 3))));
    doc.ClearUndoRedoHistory();
    Start(kLinearID);
    Choose(0, 2);
    EXPECT_EQ(Running()->GetCurrentItemID(1), LinearDimension2dCommand::itemSecondParallel);
    Click(Landed(P(3, 0)));
    Click(Landed(P(3, 3)));
    // The preview derives the direction for the pair it shows, as the click does: what the preview adds is
    // what the click adds, pixel for pixel, away from the picked shapes (drawn highlighted until the click).
    ExpectPreviewAwayFromPicks(P(2, 1));
    const LinearDimension2dFeature* d = Last();
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(Direction(d), 90.0, 1e-9);
    EXPECT_NEAR(d->GetMeasuredValue(), Landed(P(1, 3)).Y() - Landed(P(0, 0)).Y(), 1e-9);
    EXPECT_EQ(static_cast<LinearDimension2dCommand*>(Running())->GetVariantIdentifier(),
              CString(_T("Korvan.Shape.VerticalLinearDimension")));
    manager.CancelAllCommands();

    // The horizontal command cannot measure level lines apart.
    Start(kHorizontalID);
    Choose(0, 2);
    Click(Landed(P(3, 0)));
    Click(Landed(P(3, 3)));
    Messages().clear();
    Click(P(2, 1));
    ExpectRefused(kMsgDimensionDirection, 1, 3);
    manager.CancelAllCommands();

    // Lines that are not parallel.
    Add(Line2dFeature(Landed(P(-6, -4)), Landed(P(-2, -1))));
    doc.ClearUndoRedoHistory();
    Start(kLinearID);
    Choose(0, 2);
    Click(Landed(P(3, 0)));
    Click(Landed(P(-4, -2.5)));
    Messages().clear();
    Click(P(2, -2));
    ExpectRefused(kMsgNotParallel, 0, 4);
}

TEST_F(LinearDimensionTest, TheListsAddTheirRowsAndTheTypedTextStartsAsTheMeasuredOne)
{
    Start(kLinearID);
    Click(P(0, 0));
    Click(P(5, 0));
    EXPECT_LT(Row(LinearDimension2dCommand::itemText), 0);
    SetList(LinearDimension2dCommand::itemTextMode, 1);
    ASSERT_EQ(Row(LinearDimension2dCommand::itemText), Row(LinearDimension2dCommand::itemTextMode) + 1);
    EXPECT_EQ(doc.GetFeatureCount(), 0);
    // The row holds what the dimension would show.
    const CString measured = TypedRow();
    LinearDimension2dFeature probe(Landed(P(0, 0)), Landed(P(5, 0)), 1.0, 90.0, 0.0);
    probe.SetDimensionSetting(*doc.GetDimensionSetting());
    EXPECT_EQ(measured, probe.GetValueText());
    TypeText(CString(u"A"));
    SetList(LinearDimension2dCommand::itemTextPosMode, 2);
    const int textPoint = Row(LinearDimension2dCommand::itemTextPoint);
    EXPECT_EQ(textPoint, Running()->GetParameterCount() - 1);
    Click(P(2, 3));  // the position
    Click(P(3, 5));  // the text point
    const LinearDimension2dFeature* d = Last();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetValueText(), CString(u"A"));
    EXPECT_EQ(d->GetValueTextPosFreeMode(), 2);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // Back to the measured value and the text at the dimension: the rows go.
    SetList(LinearDimension2dCommand::itemTextMode, 0);
    SetList(LinearDimension2dCommand::itemTextPosMode, 0);
    EXPECT_LT(Row(LinearDimension2dCommand::itemText), 0);
    EXPECT_LT(Row(LinearDimension2dCommand::itemTextPoint), 0);
}

TEST_F(LinearDimensionTest, OneSelectedShapeIsTakenOverAndEnablesTheEntries)
{
    const long line = Add(Line2dFeature(Landed(P(0, 0)), Landed(P(4, 0))));
    const long arc = Add(Arc2dFeature(Landed(P(0, 3)), u, 0.0, 90.0));
    doc.ClearUndoRedoHistory();
    SelectionManager* pSelection = doc.GetSelectionManager();
    auto enabled = [&](LPCTSTR id) { return CommandBase::IsCommandEnabled(id, &doc); };
    EXPECT_FALSE(enabled(_T("Korvan.Shape.LinearDimension")));
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(arc, -1)));
    EXPECT_FALSE(enabled(_T("Korvan.Shape.LinearDimension"))) << "an arc";
    Start(kLinearID);
    EXPECT_TRUE(Running()->IsParameterEmpty(0)) << "an arc is not taken over";
    manager.CancelAllCommands();
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line, -1)));
    for (LPCTSTR id : {_T("Korvan.Shape.LinearDimension"), _T("Korvan.Shape.HorizontalLinearDimension"),
                       _T("Korvan.Shape.VerticalLinearDimension"), _T("Korvan.Shape.ParallelDimension")})
        EXPECT_TRUE(enabled(id));
    Start(kLinearID);
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetCurrentItemID(0), LinearDimension2dCommand::itemFeature);
    EXPECT_LT(Row(LinearDimension2dCommand::itemSecondPoint), 0);
    Click(P(2, 3));
    ASSERT_NE(Last(), nullptr);
    EXPECT_NEAR(Last()->GetMeasuredValue(), Landed(P(0, 0)).Distance(Landed(P(4, 0))), 1e-9);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(Running(), nullptr) << "the command ends after the taken-over shape";
}

TEST_F(LinearDimensionTest, ThePreviewIsTheDimensionTheClickMakes)
{
    Start(kLinearID);
    Click(P(0, 0));
    Click(P(4, 1));
    ExpectPreviewIsTheClickedShape(P(2, 3));
}

TEST_F(LinearDimensionTest, ThePreviewOfSlantedParallelShapesIsTheParallelDimensionTheClickMakes)
{
    // Lines at about 30 degrees: the generic command measures them square across, as a parallel dimension,
    // in the preview as in the click.
    Add(Line2dFeature(Landed(P(0, 0)), Landed(P(6, 3.5))));
    Add(Line2dFeature(Landed(P(0, 3)), Landed(P(6, 6.5))));
    doc.ClearUndoRedoHistory();
    Start(kLinearID);
    Choose(0, 2);
    Click(Landed(P(2, 1.1667)));
    Click(Landed(P(2, 4.1667)));
    ExpectPreviewAwayFromPicks(P(3, 3.3));
    const LinearDimension2dFeature* d = Last();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetFeatureType(), FeatureTypeParallelDimension);
}
