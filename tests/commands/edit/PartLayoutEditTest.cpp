// Fillet, stretch, mirror and extend on shapes picked through part layouts (one with unequal scales,
// one turned): the new corner shape goes into the part drawing (an elliptic arc where the scales differ) and
// meets both cut lines, a stretched end moves by the world displacement, a mirror image lies where the world
// axis puts it, an extended end reaches its boundary, a trimmed line keeps the piece short of the cutting shape;
// each run one undo step undone exactly.

#include <gtest/gtest.h>

#include <memory>

#include "PartLayoutFixture.h"
#include "commands/edit/Adjust2dCommand.h"
#include "commands/edit/Fillet2dCommand.h"
#include "commands/edit/MoveMirror2dCommand.h"
#include "commands/edit/Stretch2dCommand.h"
#include "commands/edit/Trim2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/zuruda/KcCurveParam.h"

using namespace QZ2Command;

namespace {

class PartLayoutEditTest : public PartLayoutFixture
{
protected:
    void SetUp() override
    {
        PartLayoutFixture::SetUp();
        Line2dFeature upright(RuVaPnt2d(3, -2), RuVaPnt2d(3, 2));
        upright.SetLayerID(doc.GetCurrentLayerID());
        doc.BeginUndoOperation(nullptr);
        uprightID = doc.AddFeature(&upright, doc.ChangeDrawingFeature(part), 1);
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
    }
    RuVaPnt2d World(long layout, const RuVaPnt2d& local) const
    {
        RuVaPnt2d world;
        doc.GetPartLayoutByID(layout)->ConvertPointLocalToWorld(local, world);
        return world;
    }
    const Line2dFeature* LineOf(long id) const { return dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)); }
    static bool IsEnd(const Line2dFeature* pLine, const RuVaPnt2d& p)
    {
        return pLine->GetStartPoint().Distance(p) < 1e-6 || pLine->GetEndPoint().Distance(p) < 1e-6;
    }
    long AddToPart(const Feature2dBase& shape)
    {
        doc.BeginUndoOperation(nullptr);
        const long id = doc.AddFeature(&shape, doc.ChangeDrawingFeature(part), 1);
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        return id;
    }
    void RemoveCopyB()
    {
        doc.DeleteFeature(lineB, 0);
        doc.ClearUndoRedoHistory();
    }
    long uprightID = -1;
};

}  // namespace

TEST_F(PartLayoutEditTest, FilletThroughEachLayoutStaysInThePartDrawing)
{
    for (long layout : {layoutA, layoutB}) {
        SCOPED_TRACE(layout);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Fillet"));
        ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, 0.2));
        ASSERT_TRUE(GivePick(Fillet2dCommand::itemFirstShape, lineA, World(layout, RuVaPnt2d(1, 0)), layout));
        ASSERT_TRUE(GivePick(Fillet2dCommand::itemSecondShape, uprightID, World(layout, RuVaPnt2d(3, 1.5)), layout));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        const long corner = LiveIDs().back();
        ASSERT_NE(corner, uprightID);
        EXPECT_EQ(doc.GetFeatureDrawingID(corner), part);
        // The corner shape's ends are the cut lines' new ends, in the part drawing's coordinates.
        std::unique_ptr<RuVaEntity2d> curve(ConvertFeatureToGeom2d::Convert(doc.GetFeature(corner)));
        ASSERT_TRUE(curve);
        RuVaPnt2d first, last;
        ASSERT_TRUE(KcCurveParam::GetFirstParamePoint(curve.get(), first));
        ASSERT_TRUE(KcCurveParam::GetLastParamePoint(curve.get(), last));
        EXPECT_TRUE((IsEnd(LineOf(lineA), first) && IsEnd(LineOf(uprightID), last)) ||
                    (IsEnd(LineOf(lineA), last) && IsEnd(LineOf(uprightID), first)));
        EXPECT_LT(LineOf(lineA)->GetStartPoint().Distance(RuVaPnt2d(0, 0)), 1e-9) << "the far end stays";
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(PartLayoutEditTest, StretchThroughEachLayoutMovesTheEndByTheWorldDisplacement)
{
    for (long layout : {layoutA, layoutB}) {
        SCOPED_TRACE(layout);
        const auto before = Snapshot();
        const RuVaPnt2d startWorld = World(layout, LineOf(lineA)->GetStartPoint());
        const RuVaPnt2d endWorld = World(layout, LineOf(lineA)->GetEndPoint());
        Start(_T("Korvan.Edit.Stretch"));
        const int index = IndexOf(Stretch2dCommand::itemShapes);
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        records.Add(FeatureLayout(lineA, layout, -1));
        // The fence around the line's end, drawn in the world as the layout shows it.
        KcArrayOfGePnt2d fence;
        for (const RuVaPnt2d& p : {RuVaPnt2d(3.5, -0.5), RuVaPnt2d(4.5, -0.5), RuVaPnt2d(4.5, 0.5), RuVaPnt2d(3.5, 0.5),
                                   RuVaPnt2d(3.5, -0.5)})
            fence.Add(World(layout, p));
        value.AddGroup(records, 2, &fence, 0);
        ASSERT_TRUE(manager.SetFeatureGroupParameter(index, value, TRUE, TRUE));
        ASSERT_TRUE(GivePoint(Stretch2dCommand::itemBase, RuVaPnt2d(0, 0)));
        ASSERT_TRUE(GivePoint(Stretch2dCommand::itemDestination, RuVaPnt2d(1, 2)));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        kctest::ExpectNear(World(layout, LineOf(lineA)->GetStartPoint()), startWorld, 1e-7);
        kctest::ExpectNear(World(layout, LineOf(lineA)->GetEndPoint()), RuVaPnt2d(endWorld.X() + 1, endWorld.Y() + 2),
                           1e-7);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(PartLayoutEditTest, MirrorThroughEachLayoutPutsTheImageWhereTheWorldAxisDoes)
{
    for (long layout : {layoutA, layoutB}) {
        SCOPED_TRACE(layout);
        const auto before = Snapshot();
        const RuVaPnt2d startWorld = World(layout, LineOf(lineA)->GetStartPoint());
        const RuVaPnt2d endWorld = World(layout, LineOf(lineA)->GetEndPoint());
        // The upright world axis x = x0 of the paper.
        const double x0 = startWorld.X() + 1.5;
        Start(_T("Korvan.Edit.MoveMirror"));
        ASSERT_TRUE(GiveShapes(MoveMirror2dCommand::itemShapes, {lineA}, layout));
        ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis1, RuVaPnt2d(x0, 0)));
        ASSERT_TRUE(GivePoint(MoveMirror2dCommand::itemAxis2, RuVaPnt2d(x0, 10)));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_EQ(doc.GetFeature(lineA), nullptr) << "the image replaces its source";
        const long image = LiveIDs().back();
        ASSERT_NE(LineOf(image), nullptr);
        EXPECT_EQ(doc.GetFeatureDrawingID(image), part);
        kctest::ExpectNear(World(layout, LineOf(image)->GetStartPoint()), RuVaPnt2d(2 * x0 - startWorld.X(), startWorld.Y()), 1e-7);
        kctest::ExpectNear(World(layout, LineOf(image)->GetEndPoint()), RuVaPnt2d(2 * x0 - endWorld.X(), endWorld.Y()), 1e-7);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(PartLayoutEditTest, ExtendThroughEachLayoutReachesTheBoundaryInThePartDrawing)
{
    RemoveCopyB();
    const long boundary = AddToPart(Line2dFeature(RuVaPnt2d(6, -2), RuVaPnt2d(6, 2)));
    for (long layout : {layoutA, layoutB}) {
        SCOPED_TRACE(layout);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Adjust"));
        ASSERT_TRUE(GiveChoice(Adjust2dCommand::itemMode, Adjust2dCommand::modeBoundary));
        const int index = IndexOf(Adjust2dCommand::itemShapes);
        ASSERT_GE(index, 0);
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        records.Add(FeatureLayout(lineA, layout, -1));
        // A fence line across the line near its far end, drawn in the world as the layout shows it.
        KcArrayOfGePnt2d fence;
        fence.Add(World(layout, RuVaPnt2d(3.8, -0.5)));
        fence.Add(World(layout, RuVaPnt2d(3.8, 0.5)));
        value.AddGroup(records, 8, &fence, 0);
        ASSERT_TRUE(manager.SetFeatureGroupParameter(index, value, TRUE, TRUE));
        ASSERT_TRUE(GivePick(Adjust2dCommand::itemBoundary, boundary, World(layout, RuVaPnt2d(6, 1)), layout));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        ASSERT_NE(LineOf(lineA), nullptr);
        EXPECT_TRUE(IsEnd(LineOf(lineA), RuVaPnt2d(0, 0))) << "the far end stays";
        EXPECT_TRUE(IsEnd(LineOf(lineA), RuVaPnt2d(6, 0))) << "the near end reaches the boundary";
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}

TEST_F(PartLayoutEditTest, TrimThroughEachLayoutCutsThePickedEndInThePartDrawing)
{
    RemoveCopyB();
    for (long layout : {layoutA, layoutB}) {
        SCOPED_TRACE(layout);
        const auto before = Snapshot();
        Start(_T("Korvan.Edit.Trim"));
        // The line's end beyond the upright, picked where the layout shows it.
        ASSERT_TRUE(GivePick(Trim2dCommand::itemShape, lineA, World(layout, RuVaPnt2d(3.5, 0)), layout));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_EQ(doc.GetFeature(lineA), nullptr) << "the piece replaces the line";
        const long piece = LiveIDs().back();
        ASSERT_NE(LineOf(piece), nullptr);
        EXPECT_EQ(doc.GetFeatureDrawingID(piece), part);
        EXPECT_TRUE(IsEnd(LineOf(piece), RuVaPnt2d(0, 0)));
        EXPECT_TRUE(IsEnd(LineOf(piece), RuVaPnt2d(3, 0)));
        ASSERT_NE(LineOf(uprightID), nullptr) << "the cutting shape stays";
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.ClearUndoRedoHistory();
        manager.CancelAllCommands();
    }
}
