// The angular, arc-length, diameter and radius dimension commands over the real manager, document and view:
// what each measures by its alternatives and the Parts' geometry cases, the value text and text position
// rows (the typed row filled with the measured text), a selected shape taken over with the right-click
// entries enabled, the remembered lists after a restart, refusals with nothing added, and the preview
// equal to the click.

#include <gtest/gtest.h>

#include <cmath>

#include "command/CommandParameter.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "command/TextParameterItem.h"
#include "commands/shape/AngularDimension2dCommand.h"
#include "commands/shape/ArcDimension2dCommand.h"
#include "commands/shape/DiameterDimension2dCommand.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/RadiusDimension2dCommand.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "tests/commands/shape/CircleCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kRadiusID = 33556;
constexpr UINT kDiameterID = 33557;
constexpr UINT kAngularID = 33558;
constexpr UINT kArcID = 33559;

class CircleDimensionTest : public kctest::CircleCommandFixture
{
protected:
    void SetUp() override
    {
        kctest::CircleCommandFixture::SetUp();
        c = P(0, 0);
    }
    RuVaPnt2d Polar(double r, double deg) const
    {
        return RuVaPnt2d(c.X() + r * u * std::cos(deg * RuVa::DegToRad), c.Y() + r * u * std::sin(deg * RuVa::DegToRad));
    }
    int Row(WORD id) const { return Running()->FindParameterIndex(id); }
    void Give(WORD id, const RuVaPnt2d& p)
    {
        const int index = Row(id);
        ASSERT_GE(index, 0) << "no row for item " << id;
        auto* pItem = dynamic_cast<PointParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr);
        ASSERT_TRUE(pItem->SetValue(p));
        manager.RunActiveCommand(index, TRUE);
    }
    void SetList(WORD id, int value)
    {
        const int index = Row(id);
        ASSERT_GE(index, 0);
        auto* pList = dynamic_cast<ListParameterItem*>(Running()->GetParameterItem(index));
        ASSERT_NE(pList, nullptr);
        ASSERT_TRUE(pList->SetValue(value));
        manager.RunActiveCommand(index, TRUE);
    }
    CString TypedRow(WORD id) const
    {
        const int index = Row(id);
        const auto* pText = index >= 0 ? dynamic_cast<const TextParameterItem*>(Running()->GetParameterItem(index)) : nullptr;
        CString text;
        if (pText != nullptr)
            pText->GetValue(text);
        return text;
    }
    template <class T>
    const T* Last() const
    {
        const auto all = Shapes<T>();
        return all.empty() ? nullptr : all.back();
    }
    RuVaPnt2d c;
};

}  // namespace

TEST_F(CircleDimensionTest, AngularDimensionOfThreePointsAndItsRefusals)
{
    Start(kAngularID);
    Choose(0, 2);
    EXPECT_EQ(Row(AngularDimension2dCommand::itemFirstPoint), 1);
    EXPECT_EQ(Row(AngularDimension2dCommand::itemSecondPoint), 2);
    EXPECT_LT(Row(AngularDimension2dCommand::itemSecondLine), 0);
    struct Case {
        const char* name;
        RuVaPnt2d p1, p2, position;
        double angle;  // < 0: refused
    };
    const Case cases[] = {
        {"30 to 100 degrees", Polar(2, 30), Polar(3, 100), Polar(4, 60), 70.0},
        {"the same point twice", Polar(2, 30), Polar(2, 30), Polar(4, 60), -1},
        {"the position on the vertex", Polar(2, 30), Polar(3, 100), c, -1},
        {"both arms one way", Polar(1, 30), Polar(3, 30), Polar(4, 60), -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const long before = doc.GetFeatureCount();
        Messages().clear();
        Give(AngularDimension2dCommand::itemVertex, c);
        Give(AngularDimension2dCommand::itemFirstPoint, k.p1);
        Give(AngularDimension2dCommand::itemSecondPoint, k.p2);
        Give(AngularDimension2dCommand::itemPosition, k.position);
        if (k.angle < 0) {
            EXPECT_EQ(doc.GetFeatureCount(), before);
            ASSERT_EQ(Messages().size(), 1u);
            EXPECT_EQ(Messages()[0], Text(kMsgNoDimension));
            continue;
        }
        ASSERT_EQ(doc.GetFeatureCount(), before + 1);
        const auto* d = Last<AngularDimension2dFeature>();
        EXPECT_NEAR(d->GetMeasuredValue(), k.angle, 1e-9);
        EXPECT_NEAR(d->GetRadius(), 4 * u, 1e-9);
        EXPECT_EQ(d->GetLayerID(), layer);
    }
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // Back to two lines: the point rows give way to the second line.
    Choose(0, 0);
    EXPECT_EQ(Row(AngularDimension2dCommand::itemSecondLine), 1);
    EXPECT_LT(Row(AngularDimension2dCommand::itemFirstPoint), 0);
    Choose(0, 1);
    EXPECT_EQ(Running()->GetCurrentItemID(1), AngularDimension2dCommand::itemTextMode);
}

TEST_F(CircleDimensionTest, AngularDimensionOfTwoLinesAndOfAnArc)
{
    Add(Line2dFeature(P(-4, 0), P(4, 0)));
    Add(Line2dFeature(P(-3, -3), P(3, 3)));
    Add(Line2dFeature(P(-4, 1), P(4, 1)));
    Add(Arc2dFeature(P(0, -1), 2 * u, 200.0, 340.0, 1));  // clockwise from 200 to 340: the long way round
    doc.ClearUndoRedoHistory();
    Start(kAngularID);
    Click(P(3, 0));
    Click(P(2, 2));
    Click(P(3, 1.2));
    ASSERT_EQ(doc.GetFeatureCount(), 5);
    EXPECT_NEAR(Last<AngularDimension2dFeature>()->GetMeasuredValue(), 45.0, 1e-6);
    // Parallel lines make no angle: refused with its reason, nothing added.
    Click(P(3, 0));
    Click(P(-3, 1));
    Messages().clear();
    Click(P(0, 0.5));
    ExpectRefused(kMsgLinesParallel, 1, 5);
    manager.CancelAllCommands();
    // A clockwise arc is measured from its end: 340 to 200 counter-clockwise.
    Start(kAngularID);
    Choose(0, 1);
    Click(Polar(2, 90) + RuVaVec2d(0, -u));
    Give(AngularDimension2dCommand::itemPosition, P(0, -4));
    ASSERT_EQ(doc.GetFeatureCount(), 6);
    const auto* d = Last<AngularDimension2dFeature>();
    EXPECT_NEAR(d->GetMeasuredValue(), 220.0, 1e-6);
    kctest::ExpectNear(d->GetStartPoint(), Polar(2, 340) + RuVaVec2d(0, -u), 1e-9);
}

TEST_F(CircleDimensionTest, ArcLengthOfAPickedArcAndOfACircle)
{
    Add(Arc2dFeature(c, 2 * u, 0.0, 90.0));
    Add(Circle2dFeature(P(-4, 0), u));
    doc.ClearUndoRedoHistory();
    Start(kArcID);
    Click(Polar(2, 45));
    // The arc's ends fill the points at once: only the position is asked for.
    EXPECT_FALSE(Running()->IsParameterEmpty(Row(ArcDimension2dCommand::itemStartPoint)));
    EXPECT_FALSE(Running()->IsParameterEmpty(Row(ArcDimension2dCommand::itemEndPoint)));
    Give(ArcDimension2dCommand::itemPosition, Polar(3, 45));
    ASSERT_EQ(doc.GetFeatureCount(), 3);
    const auto* d = Last<ArcDimension2dFeature>();
    EXPECT_NEAR(d->GetMeasuredValue(), M_PI * u, 1e-9);
    EXPECT_NEAR(d->GetProjectionLength(), u, 1e-9);
    // Inside the arc the projection runs inwards.
    Click(Polar(2, 45));
    Give(ArcDimension2dCommand::itemPosition, Polar(1.5, 45));
    ASSERT_EQ(doc.GetFeatureCount(), 4);
    EXPECT_NEAR(Last<ArcDimension2dFeature>()->GetProjectionLength(), -0.5 * u, 1e-9);
    // A circle asks for both points; two in one direction make nothing.
    Click(P(-3, 0));
    EXPECT_TRUE(Running()->IsParameterEmpty(Row(ArcDimension2dCommand::itemStartPoint)));
    Give(ArcDimension2dCommand::itemStartPoint, P(-4, 2));
    Give(ArcDimension2dCommand::itemEndPoint, P(-4, 3));
    Messages().clear();
    Give(ArcDimension2dCommand::itemPosition, P(-4, -2));
    ExpectRefused(kMsgNoDimension, 2, 4);
    // A start point on the centre waits for another.
    Click(P(-3, 0));
    Give(ArcDimension2dCommand::itemStartPoint, P(-4, 0));
    Give(ArcDimension2dCommand::itemEndPoint, P(-5, 0));
    Give(ArcDimension2dCommand::itemPosition, P(-4, -2));
    EXPECT_EQ(doc.GetFeatureCount(), 4);
    EXPECT_FALSE(Running()->IsParameterEmpty(Row(ArcDimension2dCommand::itemStartPoint)));
    Give(ArcDimension2dCommand::itemStartPoint, P(-4, 1));
    ASSERT_EQ(doc.GetFeatureCount(), 5);
    EXPECT_NEAR(Last<ArcDimension2dFeature>()->GetMeasuredValue(), M_PI / 2 * u, 1e-9);
}

TEST_F(CircleDimensionTest, DiameterGeometryCases)
{
    const long circle = Add(Circle2dFeature(c, 2 * u));
    (void)circle;
    Add(Arc2dFeature(P(6, 0), 2 * u, 30.0, 150.0));  // the upper part of a circle about (6, 0)
    doc.ClearUndoRedoHistory();
    struct Case {
        const char* name;
        RuVaPnt2d pick, position;
        bool flag;
        double firstDeg;  // direction of the first end from the centre; NAN: refused
    };
    const RuVaPnt2d a = P(6, 0);
    auto at = [&](double r, double deg) {
        return RuVaPnt2d(a.X() + r * u * std::cos(deg * RuVa::DegToRad), a.Y() + r * u * std::sin(deg * RuVa::DegToRad));
    };
    const Case cases[] = {
        {"circle, upper right", Polar(2, 90), Polar(4, 40), false, 40.0},
        {"circle, on the centre: level", Polar(2, 90), c, false, 0.0},
        {"arc, on the centre: its middle", at(2, 90), a, false, 90.0},
        {"arc, beyond it", at(2, 90), at(4, 60), false, 60.0},
        {"arc, beyond the centre away from it", at(2, 90), at(4, 240), false, NAN},
        {"the same with the style's arc diameters", at(2, 90), at(4, 240), true, 60.0},
        {"arc, inside away from it", at(2, 90), at(1, 240), false, 60.0},
        {"arc, a line that misses it", at(2, 90), at(4, 0), true, NAN},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        DimensionSetting setting;
        setting.Copy(*doc.GetDimensionSetting());
        setting.SetArcDiameterFlag(k.flag ? 1 : 0);
        doc.SetDimensionSetting(setting);
        Start(kDiameterID);
        Click(k.pick);
        // While the position is asked for, the centre is the reference point.
        RuVaPnt2d reference;
        ASSERT_TRUE(Running()->GetReferencePoint(Row(DiameterDimension2dCommand::itemPosition), reference));
        const RuVaPnt2d centre = k.pick.Distance(c) < 2.5 * u ? c : a;
        kctest::ExpectNear(reference, centre, 1e-9);
        const long before = doc.GetFeatureCount();
        Give(DiameterDimension2dCommand::itemPosition, k.position);
        if (std::isnan(k.firstDeg)) {
            EXPECT_EQ(doc.GetFeatureCount(), before);
        } else {
            ASSERT_EQ(doc.GetFeatureCount(), before + 1);
            const auto* d = Last<DiameterDimension2dFeature>();
            const RuVaVec2d v = d->GetStartPoint() - centre;
            EXPECT_NEAR(RuVa::CorrectAngle(std::atan2(v.Y(), v.X()) * RuVa::RadToDeg), k.firstDeg, 1e-6);
            EXPECT_NEAR(d->GetMeasuredValue(), 4 * u, 1e-9);
        }
        manager.CancelAllCommands();
    }
}

TEST_F(CircleDimensionTest, RadiusGeometryCasesAndLeaderRows)
{
    Add(Circle2dFeature(c, 2 * u));
    const RuVaPnt2d a = P(6, 0);
    Add(Arc2dFeature(a, 2 * u, 0.0, 90.0));
    doc.ClearUndoRedoHistory();
    auto at = [&](double r, double deg) {
        return RuVaPnt2d(a.X() + r * u * std::cos(deg * RuVa::DegToRad), a.Y() + r * u * std::sin(deg * RuVa::DegToRad));
    };
    struct Case {
        const char* name;
        RuVaPnt2d pick, position, centre;
        double endDeg;
    };
    const Case cases[] = {
        {"circle, to the right", Polar(2, 90), Polar(4, 0), c, 0.0},
        {"circle, on the centre", Polar(2, 90), c, c, 0.0},
        {"arc, on the centre: its middle", at(2, 45), a, a, 45.0},
        {"arc, one crossing", at(2, 45), at(3, 225), a, 45.0},
        {"arc, no crossing: the nearer end", at(2, 45), at(3, 135), a, 90.0},
    };
    Start(kRadiusID);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Click(k.pick);
        const long before = doc.GetFeatureCount();
        Give(RadiusDimension2dCommand::itemPosition, k.position);
        ASSERT_EQ(doc.GetFeatureCount(), before + 1);
        const auto* d = Last<RadiusDimension2dFeature>();
        kctest::ExpectNear(d->GetStartPoint(), k.centre, 1e-9);
        const RuVaVec2d v = d->GetEndPoint() - k.centre;
        EXPECT_NEAR(RuVa::CorrectAngle(std::atan2(v.Y(), v.X()) * RuVa::RadToDeg), k.endDeg, 1e-6);
        EXPECT_NEAR(d->GetMeasuredValue(), 2 * u, 1e-9);
    }
    // Leader mode 1 appends the second point row; its point leads the text.
    SetList(RadiusDimension2dCommand::itemLeaderMode, 1);
    ASSERT_EQ(Row(RadiusDimension2dCommand::itemSecondPoint), Running()->GetParameterCount() - 1);
    ASSERT_TRUE(manager.SetCurrentParameter(Running(), 0));
    Click(Polar(2, 90));
    ASSERT_FALSE(Running()->IsParameterEmpty(0));
    const long before = doc.GetFeatureCount();
    Give(RadiusDimension2dCommand::itemPosition, Polar(3, 60));
    EXPECT_EQ(doc.GetFeatureCount(), before) << "the second point is still asked for";
    Give(RadiusDimension2dCommand::itemSecondPoint, Polar(4, 70));
    ASSERT_EQ(doc.GetFeatureCount(), before + 1);
    const auto* d = Last<RadiusDimension2dFeature>();
    EXPECT_EQ(d->GetLeaderMode(), 1);
    kctest::ExpectNear(d->GetSecondPoint(), Polar(4, 70), 1e-9);
    SetList(RadiusDimension2dCommand::itemLeaderMode, 0);
    EXPECT_LT(Row(RadiusDimension2dCommand::itemSecondPoint), 0);
}

TEST_F(CircleDimensionTest, TheTypedRowStartsAsTheMeasuredText)
{
    Add(Circle2dFeature(c, 2 * u));
    doc.ClearUndoRedoHistory();
    struct Case {
        UINT command;
        WORD textMode, text;
        double value;
    };
    const Case cases[] = {
        {kDiameterID, DiameterDimension2dCommand::itemTextMode, DiameterDimension2dCommand::itemText, 4 * u},
        {kRadiusID, RadiusDimension2dCommand::itemTextMode, RadiusDimension2dCommand::itemText, 2 * u},
    };
    long count = 1;
    for (const Case& k : cases) {
        Start(k.command);
        // The measured text of a dimension the same position makes.
        Click(Polar(2, 90));
        Give(7, Polar(4, 30));
        ASSERT_EQ(doc.GetFeatureCount(), ++count);
        const CString shown = Last<Dimension2dFeatureBase>()->GetValueText();
        EXPECT_NEAR(Last<Dimension2dFeatureBase>()->GetMeasuredValue(), k.value, 1e-9);
        Click(Polar(2, 90));
        SetList(k.textMode, 1);
        ASSERT_EQ(Row(k.text), Row(k.textMode) + 1);
        EXPECT_EQ(TypedRow(k.text), shown);
        EXPECT_EQ(doc.GetFeatureCount(), count);
        // The typed text is what the dimension shows.
        auto* pText = dynamic_cast<TextParameterItem*>(Running()->GetParameterItem(Row(k.text)));
        ASSERT_NE(pText, nullptr);
        pText->SetValue(CString(u"B"));
        manager.RunActiveCommand(Row(k.text), TRUE);
        Give(7, Polar(4, 30));
        ASSERT_EQ(doc.GetFeatureCount(), ++count);
        EXPECT_EQ(Last<Dimension2dFeatureBase>()->GetValueText(), CString(u"B"));
        SetList(k.textMode, 0);
        EXPECT_LT(Row(k.text), 0);
        manager.CancelAllCommands();
    }
}

TEST_F(CircleDimensionTest, ASelectedCircleIsTakenOverAndEnablesTheEntries)
{
    const long circle = Add(Circle2dFeature(c, 2 * u));
    const long line = Add(Line2dFeature(P(-4, 3), P(4, 3)));
    const long line2 = Add(Line2dFeature(P(-4, -3), P(4, 4)));
    const long arc = Add(Arc2dFeature(P(5, 0), u, 0.0, 90.0));
    doc.ClearUndoRedoHistory();
    SelectionManager* pSelection = doc.GetSelectionManager();
    auto enabled = [&](LPCTSTR id) { return CommandBase::IsCommandEnabled(id, &doc) != FALSE; };
    const LPCTSTR circleEntries[] = {_T("Korvan.Shape.ArcDimension"), _T("Korvan.Shape.DiameterDimension"),
                                     _T("Korvan.Shape.RadiusDimension")};
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line, -1)));
    for (LPCTSTR id : circleEntries)
        EXPECT_FALSE(enabled(id));
    EXPECT_FALSE(enabled(_T("Korvan.Shape.AngularDimension"))) << "one line";
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line2, -1)));
    EXPECT_TRUE(enabled(_T("Korvan.Shape.AngularDimension"))) << "two lines";
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(arc, -1)));
    EXPECT_TRUE(enabled(_T("Korvan.Shape.AngularDimension"))) << "an arc";
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(circle, -1)));
    for (LPCTSTR id : circleEntries)
        EXPECT_TRUE(enabled(id));
    EXPECT_FALSE(enabled(_T("Korvan.Shape.AngularDimension"))) << "a circle";

    for (UINT command : {kDiameterID, kRadiusID, kArcID}) {
        SCOPED_TRACE(command);
        if (pSelection->IsSelectionEmpty())
            ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(circle, -1)));
        Start(command);
        ASSERT_NE(Running(), nullptr);
        EXPECT_FALSE(Running()->IsParameterEmpty(0)) << "the circle is taken over";
        if (command == kArcID) {
            Give(ArcDimension2dCommand::itemStartPoint, Polar(2, 0));
            Give(ArcDimension2dCommand::itemEndPoint, Polar(2, 90));
        }
        const long before = doc.GetFeatureCount();
        Give(7, Polar(3, 45));
        EXPECT_EQ(doc.GetFeatureCount(), before + 1);
        EXPECT_EQ(Running(), nullptr) << "the command ends after the taken-over shape";
    }
    EXPECT_EQ(doc.GetUndoCount(), 3);
    // Two lines selected: the angular command adopts both and asks only for the position.
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line, -1)));
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line2, -1)));
    Start(kAngularID);
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetCurrentItemID(0), AngularDimension2dCommand::itemFirstLine);
    EXPECT_FALSE(Running()->IsParameterEmpty(1));
}

TEST_F(CircleDimensionTest, RememberedListsBringTheirRowsBackAfterARestart)
{
    Start(kRadiusID);
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    SetList(RadiusDimension2dCommand::itemTextMode, 1);
    SetList(RadiusDimension2dCommand::itemLeaderMode, 2);
    manager.CancelAllCommands();
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kRadiusID));
    CommandBase* pCommand = next.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->FindParameterIndex(RadiusDimension2dCommand::itemText),
              pCommand->FindParameterIndex(RadiusDimension2dCommand::itemTextMode) + 1);
    EXPECT_EQ(pCommand->FindParameterIndex(RadiusDimension2dCommand::itemSecondPoint), pCommand->GetParameterCount() - 1);
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();

    // A remembered leader mode outside its list comes back as the default, without its row; a remembered
    // alternative of the angle brings the rows of that alternative.
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.RadiusDimension\\Parameter"), _T("5"), 7);
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.AngularDimension\\Index"), _T("0"), 2);
    CommandManager third;
    third.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    third.SetActiveDraw2dView(&view);
    ASSERT_TRUE(third.ExecuteCommand(kRadiusID));
    pCommand = third.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    int leader = -1;
    const auto* pLeader = dynamic_cast<const ListParameterItem*>(pCommand->FindItem(RadiusDimension2dCommand::itemLeaderMode));
    ASSERT_NE(pLeader, nullptr);
    ASSERT_TRUE(pLeader->GetValue(leader));
    EXPECT_EQ(leader, 0);
    EXPECT_LT(pCommand->FindParameterIndex(RadiusDimension2dCommand::itemSecondPoint), 0);
    third.CancelAllCommands();
    ASSERT_TRUE(third.ExecuteCommand(kAngularID));
    pCommand = third.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(pCommand->GetCurrentItemID(0), AngularDimension2dCommand::itemVertex);
    EXPECT_EQ(pCommand->GetCurrentItemID(1), AngularDimension2dCommand::itemFirstPoint);
    EXPECT_EQ(pCommand->GetCurrentItemID(2), AngularDimension2dCommand::itemSecondPoint);
    third.CancelAllCommands();
    third.SetActiveDraw2dView(nullptr);
    third.Shutdown();
}

TEST_F(CircleDimensionTest, ThePreviewIsTheDimensionTheClickMakes)
{
    Add(Circle2dFeature(c, 2 * u));
    doc.ClearUndoRedoHistory();
    for (UINT command : {kDiameterID, kRadiusID}) {
        SCOPED_TRACE(command);
        Start(command);
        Click(Polar(2, 90));
        ExpectPreviewAwayFromPicks(Polar(3.5, 30), 20);
        manager.CancelAllCommands();
    }
    Start(kArcID);
    Click(Polar(2, 90));
    Give(ArcDimension2dCommand::itemStartPoint, Polar(2, 0));
    Give(ArcDimension2dCommand::itemEndPoint, Polar(2, 120));
    ExpectTangentPreviewIsTheClickedShape(Polar(3, 60));
    manager.CancelAllCommands();
    Start(kAngularID);
    Choose(0, 2);
    Give(AngularDimension2dCommand::itemVertex, P(-5, -3));
    Give(AngularDimension2dCommand::itemFirstPoint, P(-3, -3));
    Give(AngularDimension2dCommand::itemSecondPoint, P(-5, -1));
    ExpectPreviewIsTheClickedShape(P(-3.5, -1.5));
}
