// The regular polygon command over the real manager, document and view: its rows re-forming with the
// method (and after a restart with the remembered method), the polygon of each method, refused counts and
// sizes with their reasons, and the preview: turning with the cursor until an angle is typed, and equal to
// the polygon a click makes.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/Polygon2dCommand.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/win/Registry.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kPolygonID = 33434;
using Row = std::vector<int>;  // the item ids of one parameter, current first

class PolygonTest : public kctest::DrawingCommandFixture
{
protected:
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        for (int i = 0; i < Running()->GetParameterCount(); ++i) {
            const CommandParameter* p = Running()->GetParameter(i);
            Row row;
            for (int k = 0; k < p->GetItemCount(); ++k)
                row.push_back(p->GetItem(k)->GetId());
            rows.push_back(row);
        }
        return rows;
    }
    // The method chosen in its list row, as the command bar hands it over.
    void ChooseMethod(int method)
    {
        auto* pList = dynamic_cast<ListParameterItem*>(Running()->FindItem(Polygon2dCommand::itemMethod));
        ASSERT_NE(pList, nullptr);
        pList->SetValue(method);
        manager.RunActiveCommand(Running()->FindParameterIndex(Polygon2dCommand::itemMethod), TRUE);
    }
    void TypeSides(int sides)
    {
        auto* pSides = dynamic_cast<IntegerParameterItem*>(Running()->FindItem(Polygon2dCommand::itemSides));
        ASSERT_NE(pSides, nullptr);
        pSides->SetValue(sides);
        manager.RunActiveCommand(0, TRUE);
    }
    void TypeValue(WORD id, double value) { Type(Running()->FindParameterIndex(id), value); }
    const Polyline2dFeature* Last() const
    {
        const auto all = Shapes<Polyline2dFeature>();
        return all.empty() ? nullptr : all.back();
    }
};

const std::vector<Row> kCircleRows = {{0}, {1}, {2}, {3, 4}, {6, 7}};
const std::vector<Row> kSideLengthRows = {{0}, {1}, {2}, {5}, {6, 7}};
const std::vector<Row> kOneSideRows = {{0}, {1}, {8}, {9}};

}  // namespace

TEST_F(PolygonTest, RowsReFormWithTheMethod)
{
    Start(kPolygonID);
    ASSERT_NE(dynamic_cast<Polygon2dCommand*>(Running()), nullptr);
    EXPECT_EQ(Rows(), kCircleRows);
    struct Step {
        int method;
        std::vector<Row> rows;
    };
    const Step steps[] = {
        {1, kCircleRows}, {3, kOneSideRows}, {0, kCircleRows}, {2, kSideLengthRows}, {1, kCircleRows}, {2, kSideLengthRows},
        {3, kOneSideRows}, {2, kSideLengthRows},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.method);
        ChooseMethod(s.method);
        EXPECT_EQ(Rows(), s.rows);
    }
    // Reference items: the angle point goes from the centre, the side's ends from each other.
    ChooseMethod(0);
    EXPECT_EQ(Running()->FindItem(Polygon2dCommand::itemAnglePoint)->m_wBaseItemId, Polygon2dCommand::itemCentre);
    ChooseMethod(3);
    EXPECT_EQ(Running()->FindItem(Polygon2dCommand::itemSideStart)->m_wBaseItemId, Polygon2dCommand::itemSideEnd);
    EXPECT_EQ(Running()->FindItem(Polygon2dCommand::itemSideEnd)->m_wBaseItemId, Polygon2dCommand::itemSideStart);
}

TEST_F(PolygonTest, RememberedMethodReFormsTheRowsAtTheNextStart)
{
    Start(kPolygonID);
    // From now on the settings carry a program version that may load what this run remembers.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    TypeSides(5);
    ChooseMethod(3);
    manager.CancelAllCommands();
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kPolygonID));
    CommandBase* pCommand = next.GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    ASSERT_EQ(pCommand->GetParameterCount(), 4);
    EXPECT_EQ(pCommand->GetParameterItem(2)->GetId(), Polygon2dCommand::itemSideStart);
    EXPECT_EQ(pCommand->GetParameterItem(3)->GetId(), Polygon2dCommand::itemSideEnd);
    EXPECT_TRUE(pCommand->IsParameterEmpty(0)) << "the count is given again at every start";
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();
}

TEST_F(PolygonTest, EachMethodMakesItsPolygonInOneStepAndKeepsItsValues)
{
    struct Case {
        const char* name;
        int method;
        int sides;
        double size;  // radius or side length in raster units; 0: a vertex point at (3, 0)
        double angle;
        double circumradius;  // expected distance of each vertex from the centre, raster units
    };
    const Case cases[] = {
        {"hexagon inscribed, typed radius", 0, 6, 3, 0, 3},
        {"square circumscribed", 1, 4, 2, 0, 2 * std::sqrt(2.0)},
        {"triangle by side length", 2, 3, 3, 90, std::sqrt(3.0)},
        {"pentagon inscribed through a vertex point", 0, 5, 0, 0, 3},
    };
    Start(kPolygonID);
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TypeSides(c.sides);
        ChooseMethod(c.method);
        const int sizeIndex = 3;
        if (c.method != 2 && Running()->GetParameter(sizeIndex)->GetCurrentIndex() != (c.size > 0 ? 1 : 0))
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, sizeIndex, c.size > 0 ? 1 : 0));
        if (Running()->GetParameter(4)->GetCurrentIndex() != 1)
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 4, 1));
        TypeValue(Polygon2dCommand::itemAngle, c.angle);
        if (c.size > 0)
            TypeValue(c.method == 2 ? Polygon2dCommand::itemSideLength : Polygon2dCommand::itemRadius, c.size * u);
        Click(P(0, 0));  // the centre
        if (c.size == 0)
            Click(P(3, 0));
        ASSERT_EQ(Shapes<Polyline2dFeature>().size(), static_cast<size_t>(++made));
        const Polyline2dFeature* pPolygon = Last();
        ExpectCurrentAttributes(pPolygon);
        EXPECT_TRUE(pPolygon->IsClosed());
        const RuVaPnt2d centre = Landed(P(0, 0));
        const double r = c.size == 0 ? centre.Distance(Landed(P(3, 0))) : c.circumradius * u;
        int vertices = pPolygon->GetPointSize();
        if (pPolygon->GetPoint(0).IsEqual(pPolygon->GetPoint(vertices - 1), 1e-9))
            --vertices;
        EXPECT_EQ(vertices, c.sides);
        for (int i = 0; i < vertices; ++i)
            EXPECT_NEAR(pPolygon->GetPoint(i).Distance(centre), r, 1e-6) << i;
        EXPECT_EQ(doc.GetUndoCount(), made);
        // The count, method, size and typed angle stay; the centre is asked for again.
        EXPECT_FALSE(Running()->IsParameterEmpty(0));
        EXPECT_TRUE(Running()->IsParameterEmpty(2));
    }
    // By one side.
    ChooseMethod(3);
    Click(P(0, 0));
    Click(P(2, 0));
    ASSERT_EQ(Shapes<Polyline2dFeature>().size(), static_cast<size_t>(++made));
    const Polyline2dFeature* pSquare = Last();
    ExpectNear(pSquare->GetPoint(0), Landed(P(0, 0)), 1e-9);
    ExpectNear(pSquare->GetPoint(1), Landed(P(2, 0)), 1e-9);
    // After the command ends only the method is still set.
    manager.CancelAllCommands();
    Start(kPolygonID);
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    int method = -1;
    ASSERT_TRUE(static_cast<ListParameterItem*>(Running()->FindItem(1))->GetValue(method));
    EXPECT_EQ(method, 3);
}

TEST_F(PolygonTest, RefusedCountsSizesAndPointsSayWhy)
{
    struct Case {
        const char* name;
        int sides;
        int method;
        double radius;      // NaN: a vertex point on the centre instead
        RuVaPnt2d second;   // the side's second end for method 3
        UINT message;
    };
    const double none = std::nan("");
    const Case cases[] = {
        {"two sides", 2, 0, 3, RuVaPnt2d(), kMsgSidesOutOfRange},
        {"1025 sides", 1025, 0, 3, RuVaPnt2d(), kMsgSidesOutOfRange},
        {"zero radius", 6, 0, 0, RuVaPnt2d(), kMsgLengthNotPositive},
        {"negative radius", 6, 1, -2, RuVaPnt2d(), kMsgLengthNotPositive},
        {"vertex on the centre", 6, 0, none, RuVaPnt2d(), kMsgPointsCoincide},
        {"side ends coincide", 6, 3, 0, RuVaPnt2d(1, 1), kMsgPointsCoincide},
    };
    Start(kPolygonID);
    auto* pCommand = Running();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChooseMethod(c.method);
        for (int i = 0; i < pCommand->GetParameterCount(); ++i)
            if (pCommand->GetParameterItem(i)->m_bClearable)
                pCommand->GetParameterItem(i)->Clear();
        static_cast<IntegerParameterItem*>(pCommand->FindItem(0))->SetValue(c.sides);
        if (c.method == 3) {
            static_cast<PointParameterItem*>(pCommand->FindItem(8))->SetValue(RuVaPnt2d(1, 1));
            static_cast<PointParameterItem*>(pCommand->FindItem(9))->SetValue(c.second);
        } else {
            static_cast<PointParameterItem*>(pCommand->FindItem(2))->SetValue(RuVaPnt2d(1, 1));
            if (std::isnan(c.radius)) {
                pCommand->GetParameter(3)->SetCurrentIndex(0);
                static_cast<PointParameterItem*>(pCommand->FindItem(3))->SetValue(RuVaPnt2d(1, 1));
            } else {
                pCommand->GetParameter(3)->SetCurrentIndex(1);
                static_cast<DoubleParameterItem*>(pCommand->FindItem(4))->SetValue(c.radius);
            }
            pCommand->GetParameter(4)->SetCurrentIndex(1);
            static_cast<DoubleParameterItem*>(pCommand->FindItem(7))->SetValue(0.0);
        }
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        EXPECT_EQ(doc.GetUndoCount(), 0);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }
}

TEST_F(PolygonTest, PreviewTurnsWithTheCursorUntilAnAngleIsTypedAndIsWhatAClickMakes)
{
    Start(kPolygonID);
    TypeSides(6);
    ChooseMethod(0);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 3, 1));
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 4, 1));
    TypeValue(Polygon2dCommand::itemRadius, 3 * u);
    // With the centre given and no angle typed, the hexagon turns with the cursor: a quarter turn of the
    // cursor about the centre (no multiple of a sixth) shows another hexagon.
    Click(P(0, 0));
    const QImage east = PreviewAt(P(2, 0));
    EXPECT_NE(east, Render());
    EXPECT_NE(PreviewAt(P(0, 2)), east);
    manager.CancelAllCommands();

    // The preview at the centre is the polygon the click there makes, for each method.
    struct Case {
        int method;
        int sides;
    };
    for (const Case& c : {Case{0, 6}, Case{2, 5}, Case{3, 7}}) {
        SCOPED_TRACE(c.method);
        manager.CancelAllCommands();
        Start(kPolygonID);
        TypeSides(c.sides);
        ChooseMethod(c.method);
        if (c.method == 3) {
            Click(P(-1, -1));
        } else {
            if (c.method == 0 && Running()->GetParameter(3)->GetCurrentIndex() != 1)
                ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 3, 1));
            if (Running()->GetParameter(4)->GetCurrentIndex() != 1)
                ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 4, 1));
            TypeValue(c.method == 2 ? Polygon2dCommand::itemSideLength : Polygon2dCommand::itemRadius, 2 * u);
            TypeValue(Polygon2dCommand::itemAngle, 15);
        }
        ExpectPreviewIsTheClickedShape(P(1, 0));
        ASSERT_TRUE(doc.Undo());
    }
}
