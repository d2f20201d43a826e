// Shapes picked through another part layout than the active one: the active layout shows the part
// turned 30 degrees at 2:1, a second layout shows the same part elsewhere at 1:1. A shape picked through
// the second layout is taken where that layout shows it and converted into the active layout's
// coordinates, in which the new shape is made: the angled and horizontal lines ending at it, the
// intersection marker of two such shapes, the elliptic arc ending on one, the parallel to one. Each new
// shape is stored in the part drawing.

#include <gtest/gtest.h>

#include <cmath>

#include "command/AngleParameterItem.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/AngledLine2dCommand.h"
#include "commands/shape/EllipseArc2dCommand.h"
#include "commands/shape/HorizontalVerticalLine2dCommand.h"
#include "commands/shape/IntersectionPointMarker2dCommand.h"
#include "commands/shape/ParallelLine2dCommand.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kAngledLineID = 33420;
constexpr UINT kHorizontalLineID = 33414;
constexpr UINT kIntersectionMarkerID = 33404;
constexpr UINT kEllipseArcID = 33492;
constexpr UINT kParallelID = 33416;

class PartLayoutPicksTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        const long paper = doc.GetActiveDrawingFeature()->GetDrawingID();
        part = doc.AddPartDrawingFeature(_T("Part"));
        active = doc.AddPartLayout(paper, part, _T("Turned"), -1, 0);
        other = doc.AddPartLayout(paper, part, _T("Plain"), -1, 0);
        ASSERT_GT(active, 0);
        ASSERT_GT(other, 0);
        ASSERT_TRUE(doc.SetPartLayoutOrigin(active, RuVaPnt2d(20, 10), 0));
        ASSERT_TRUE(doc.SetPartLayoutAngle(active, 30, 0));
        ASSERT_TRUE(doc.SetPartLayoutScale(active, 2, 1, FALSE, 2, 1, 0));
        ASSERT_TRUE(doc.SetPartLayoutOrigin(other, RuVaPnt2d(120, 80), 0));
        ASSERT_TRUE(doc.ActivateDrawingFeature(paper, active, FALSE));
        // The part's shapes, placed so that through the other layout they stand where the active layout
        // would show y = 4 (the wall) and x = 5 (the upright).
        wall = AddToPart(Seen(RuVaPnt2d(-10, 4)), Seen(RuVaPnt2d(10, 4)));
        upright = AddToPart(Seen(RuVaPnt2d(5, -10)), Seen(RuVaPnt2d(5, 10)));
        doc.ClearUndoRedoHistory();
    }
    // The part's point that the other layout shows where the active layout shows the point.
    RuVaPnt2d Seen(const RuVaPnt2d& activeLocal) const
    {
        RuVaPnt2d world;
        RuVaPnt2d part;
        doc.GetPartLayoutByID(active)->ConvertPointLocalToWorld(activeLocal, world);
        doc.GetPartLayoutByID(other)->ConvertPointWorldToLocal(world, part);
        return part;
    }
    // Where a point given in the active layout's coordinates lies on the paper.
    RuVaPnt2d World(const RuVaPnt2d& activeLocal) const
    {
        RuVaPnt2d world;
        doc.GetPartLayoutByID(active)->ConvertPointLocalToWorld(activeLocal, world);
        return world;
    }
    long AddToPart(const RuVaPnt2d& a, const RuVaPnt2d& b)
    {
        const Line2dFeature line(a, b);
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 1);
        doc.EndUndoOperation();
        EXPECT_GT(id, 0);
        return id;
    }
    // The shape picked through the other layout at the paper point showing the active-layout point.
    void Pick(WORD id, long record, const RuVaPnt2d& activeLocal)
    {
        auto* pItem = dynamic_cast<FeatureParameterItem*>(Running()->FindItem(id));
        ASSERT_NE(pItem, nullptr) << id;
        pItem->SetValue(FeatureLayout(record, other, -1), World(activeLocal));
    }
    void Point(WORD id, const RuVaPnt2d& activeLocal)
    {
        auto* pItem = dynamic_cast<PointParameterItem*>(Running()->FindItem(id));
        ASSERT_NE(pItem, nullptr) << id;
        pItem->SetValue(activeLocal);
    }
    void Number(WORD id, double value)
    {
        auto* pItem = dynamic_cast<DoubleParameterItem*>(Running()->FindItem(id));
        ASSERT_NE(pItem, nullptr) << id;
        pItem->SetValue(value);
    }
    // The alternative holding the item made current.
    void Choose(WORD id)
    {
        CommandBase* pCommand = Running();
        for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
            const CommandParameter* pParameter = pCommand->GetParameter(i);
            for (int k = 0; k < pParameter->GetItemCount(); ++k) {
                if (pParameter->GetItem(k)->GetId() != id)
                    continue;
                if (pParameter->GetCurrentIndex() != k) {
                    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, i, k));
                }
                return;
            }
        }
        FAIL() << "no item " << id;
    }
    template <class T>
    const T* Made()
    {
        EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultDone);
        const auto shapes = Shapes<T>();
        if (shapes.empty())
            return nullptr;
        return shapes.back();
    }
    long LastID() const
    {
        long last = -1;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id))
            last = id;
        return last;
    }

public:
    // The inputs of each command, the shape picked through the other layout (public: the table of the
    // commands names them).
    void AngledLineToTheWall()
    {
        Start(kAngledLineID);
        Number(AngledLine2dCommand::itemAngle, 90);
        Point(AngledLine2dCommand::itemStartPoint, RuVaPnt2d(0, 0));
        Choose(AngledLine2dCommand::itemShape);
        Pick(AngledLine2dCommand::itemShape, wall, RuVaPnt2d(1, 4));
    }
    void HorizontalLineToTheUpright()
    {
        Start(kHorizontalLineID);
        Point(HorizontalVerticalLine2dCommand::itemStartPoint, RuVaPnt2d(0, 0));
        Choose(HorizontalVerticalLine2dCommand::itemShape);
        Pick(HorizontalVerticalLine2dCommand::itemShape, upright, RuVaPnt2d(5, 1));
    }
    void MarkerWhereWallAndUprightMeet()
    {
        Start(kIntersectionMarkerID);
        Pick(IntersectionPointMarker2dCommand::itemFirst, wall, RuVaPnt2d(1, 4));
        Pick(IntersectionPointMarker2dCommand::itemSecond, upright, RuVaPnt2d(5, 1));
    }
    void EllipticArcToTheUpright()
    {
        Start(kEllipseArcID);
        // Centre, radii 6 and 3 along x, the start on the x axis; the end on the upright x = 5, upper side.
        Point(0, RuVaPnt2d(0, 0));
        Point(1, RuVaPnt2d(6, 0));
        Point(3, RuVaPnt2d(0, 3));
        Point(5, RuVaPnt2d(8, 0));
        Point(EllipseArc2dCommand::itemStartPoint, RuVaPnt2d(7, 0));
        Choose(EllipseArc2dCommand::itemEndShape);
        Pick(EllipseArc2dCommand::itemEndShape, upright, RuVaPnt2d(5, 1.5));
    }
    void ParallelToTheWall()
    {
        Start(kParallelID);
        Pick(ParallelLine2dCommand::itemBase, wall, RuVaPnt2d(1, 4));
        Choose(ParallelLine2dCommand::itemDistance);
        Number(ParallelLine2dCommand::itemDistance, 2);
        Point(ParallelLine2dCommand::itemSide, RuVaPnt2d(0, 0));
        Choose(ParallelLine2dCommand::itemStartPoint);
        Point(ParallelLine2dCommand::itemStartPoint, RuVaPnt2d(-3, 0));
        Choose(ParallelLine2dCommand::itemEndPoint);
        Point(ParallelLine2dCommand::itemEndPoint, RuVaPnt2d(3, 0));
    }

protected:
    long part = -1, active = -1, other = -1, wall = -1, upright = -1;
};

}  // namespace

TEST_F(PartLayoutPicksTest, AnAngledLineEndsAtAShapePickedThroughTheOtherLayout)
{
    AngledLineToTheWall();
    const Line2dFeature* pLine = Made<Line2dFeature>();
    ASSERT_NE(pLine, nullptr);
    ExpectNear(pLine->GetStartPoint(), RuVaPnt2d(0, 0), 1e-9);
    ExpectNear(pLine->GetEndPoint(), RuVaPnt2d(0, 4), 1e-9);
}

TEST_F(PartLayoutPicksTest, AHorizontalLineEndsAtAShapePickedThroughTheOtherLayout)
{
    HorizontalLineToTheUpright();
    const Line2dFeature* pLine = Made<Line2dFeature>();
    ASSERT_NE(pLine, nullptr);
    ExpectNear(pLine->GetStartPoint(), RuVaPnt2d(0, 0), 1e-9);
    ExpectNear(pLine->GetEndPoint(), RuVaPnt2d(5, 0), 1e-9);
}

TEST_F(PartLayoutPicksTest, TheIntersectionOfTwoShapesPickedThroughTheOtherLayout)
{
    MarkerWhereWallAndUprightMeet();
    const PointMarker2dFeature* pMarker = Made<PointMarker2dFeature>();
    ASSERT_NE(pMarker, nullptr);
    ExpectNear(pMarker->GetPoint(), RuVaPnt2d(5, 4), 1e-9);
}

TEST_F(PartLayoutPicksTest, AnEllipticArcEndsOnAShapePickedThroughTheOtherLayout)
{
    EllipticArcToTheUpright();
    const EllipseArc2dFeature* pArc = Made<EllipseArc2dFeature>();
    ASSERT_NE(pArc, nullptr);
    ExpectNear(pArc->GetEndPoint(), RuVaPnt2d(5, 3 * std::sqrt(1 - 25.0 / 36.0)), 1e-7);
}

TEST_F(PartLayoutPicksTest, AParallelToABasePickedThroughTheOtherLayout)
{
    ParallelToTheWall();
    const Line2dFeature* pLine = Made<Line2dFeature>();
    ASSERT_NE(pLine, nullptr);
    ExpectNear(pLine->GetStartPoint(), RuVaPnt2d(-3, 2), 1e-9);
    ExpectNear(pLine->GetEndPoint(), RuVaPnt2d(3, 2), 1e-9);
}

// The coordinates are the part drawing's, so the new shape is stored in the part drawing, where both
// layouts show it, and the paper keeps none; one undo step takes it away again.
TEST_F(PartLayoutPicksTest, TheNewShapeIsStoredInThePartDrawing)
{
    const struct {
        const char* name;
        void (PartLayoutPicksTest::*give)();
    } cases[] = {
        {"angled line", &PartLayoutPicksTest::AngledLineToTheWall},
        {"horizontal line", &PartLayoutPicksTest::HorizontalLineToTheUpright},
        {"intersection marker", &PartLayoutPicksTest::MarkerWhereWallAndUprightMeet},
        {"elliptic arc", &PartLayoutPicksTest::EllipticArcToTheUpright},
        {"parallel", &PartLayoutPicksTest::ParallelToTheWall},
    };
    const long paper = doc.GetActiveDrawingFeature()->GetDrawingID();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const long before = LastID();
        (this->*c.give)();
        EXPECT_EQ(Running()->OnInput(-1), CommandBase::resultDone);
        const long made = LastID();
        ASSERT_GT(made, before);
        EXPECT_EQ(doc.GetFeatureDrawingID(made), part);
        EXPECT_NE(doc.GetFeatureDrawingID(made), paper);
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.GetFeature(made), nullptr);
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}
