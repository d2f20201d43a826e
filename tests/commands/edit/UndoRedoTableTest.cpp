// Every edit command that changes the document, run once on one small drawing: the run changes the
// document in exactly one undo step; Undo gives back the document as it was, record for record; Redo makes
// the same records under the same ids again, and a second Undo returns to the start once more.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <QtCore/QByteArray>

#include "EditFixture.h"
#include "command/IntegerParameterItem.h"
#include "command/ListParameterItem.h"
#include "commands/edit/Adjust2dCommand.h"
#include "commands/edit/Chamfer2dCommand.h"
#include "commands/edit/Divide2dCommand.h"
#include "commands/edit/DrawGroup2dCommand.h"
#include "commands/edit/Fillet2dCommand.h"
#include "commands/edit/Move2dCommand.h"
#include "commands/edit/MoveCut2dCommand.h"
#include "commands/edit/MoveMirror2dCommand.h"
#include "commands/edit/Offset2dCommand.h"
#include "commands/edit/RectangleArrangeCopy2dCommand.h"
#include "commands/edit/RotateArrangeCopy2dCommand.h"
#include "commands/edit/Stretch2dCommand.h"
#include "commands/edit/Trim2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

using namespace QZ2Command;

namespace {

class UndoRedoTableTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        // A cross of a long line and two uprights, an open polyline, a circle and two loose ends near a corner.
        h = Add(Line2dFeature(P(-3, 0), P(3, 0)));
        v1 = Add(Line2dFeature(P(-1, -2), P(-1, 2)));
        v2 = Add(Line2dFeature(P(1, -2), P(1, 2)));
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : {P(3.5, -3), P(4.5, -3), P(4.5, -1)})
            points.Add(p);
        poly = Add(Polyline2dFeature(points));
        circle = Add(Circle2dFeature(P(-4, 2.5), u / 2));
        Add(Line2dFeature(P(-4.5, -3.5), P(-3.2, -3.5)));
        Add(Line2dFeature(P(-2.5, -3.3), P(-2.5, -2)));
        doc.ClearUndoRedoHistory();
    }
    // The document as stored, to see whether a run changed anything.
    QByteArray Bytes() const
    {
        CMemFile file;
        DrawViewInfo views;
        {
            CArchive ar(&file, CArchive::store);
            doc.SaveToArchive(ar, views, 0);
        }
        const ULONGLONG size = file.GetLength();
        file.SeekToBegin();
        QByteArray bytes(static_cast<qsizetype>(size), '\0');
        file.Read(bytes.data(), static_cast<UINT>(size));
        return bytes;
    }
    BOOL GiveCount(WORD id, int value)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        IntegerParameterItem item;
        item.Copy(*Running()->GetParameterItem(index));
        item.SetValue(value);
        return manager.SetIntegerParameter(index, item, TRUE);
    }
    BOOL GiveFenceGroup(WORD id, const std::vector<long>& ids, int mode, std::initializer_list<RuVaPnt2d> fence)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        FeatureGroupParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        CArray<FeatureLayout> records;
        for (long rec : ids)
            records.Add(FeatureLayout(rec, -1, -1));
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : fence)
            points.Add(p);
        value.AddGroup(records, mode, &points, 0);
        return manager.SetFeatureGroupParameter(index, value, TRUE, TRUE);
    }

    long h = -1, v1 = -1, v2 = -1, poly = -1, circle = -1;
};

}  // namespace

TEST_F(UndoRedoTableTest, EachRunIsOneStepUndoneExactlyAndRedoneUnderTheSameIds)
{
    using T = std::remove_reference_t<decltype(*this)>;
    struct Run {
        std::string name;
        std::function<void(T&)> prepare;  // a step of its own, before the document is taken
        std::function<void(T&)> run;
    };
    auto none = [](T&) {};
    const std::vector<Run> runs = {
        {"Move", none, [](T& t) {
             t.Preselect({t.h});
             t.Start(_T("Korvan.Edit.Move"));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemBase, t.P(0, 0)));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemDestination, t.P(0, 1)));
         }},
        {"Copy", none, [](T& t) {
             t.Preselect({t.h, t.circle});
             t.Start(_T("Korvan.Edit.Copy"));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemBase, t.P(0, 0)));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemDestination, t.P(0.5, 1)));
         }},
        {"Rotate", none, [](T& t) {
             t.Preselect({t.v2});
             t.Start(_T("Korvan.Edit.Rotate"));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemBase, t.P(1, 0)));
             ASSERT_TRUE(t.GiveAngle(Move2dCommand::itemAngle, 30));
         }},
        {"Scale, unequal", none, [](T& t) {
             t.Preselect({t.circle});
             t.Start(_T("Korvan.Edit.Scale"));
             ASSERT_TRUE(t.GivePoint(Move2dCommand::itemBase, t.P(-4, 2.5)));
             ASSERT_TRUE(t.GiveScale(Move2dCommand::itemScale, 2, 1));
         }},
        {"MoveMirror", none, [](T& t) {
             t.Preselect({t.poly});
             t.Start(_T("Korvan.Edit.MoveMirror"));
             ASSERT_TRUE(t.GivePoint(MoveMirror2dCommand::itemAxis1, t.P(2, -3)));
             ASSERT_TRUE(t.GivePoint(MoveMirror2dCommand::itemAxis2, t.P(2, 3)));
         }},
        {"CopyMirror", none, [](T& t) {
             t.Preselect({t.poly, t.v2});
             t.Start(_T("Korvan.Edit.CopyMirror"));
             ASSERT_TRUE(t.GivePoint(MoveMirror2dCommand::itemAxis1, t.P(2, -3)));
             ASSERT_TRUE(t.GivePoint(MoveMirror2dCommand::itemAxis2, t.P(2, 3)));
         }},
        {"MoveCut", none, [](T& t) {
             t.Start(_T("Korvan.Edit.MoveCut"));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemCorner1, t.P(-2, -1)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemCorner2, t.P(0, 1)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemBase, t.P(0, 0)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemDestination, t.P(0, -1)));
         }},
        {"CopyCut", none, [](T& t) {
             t.Start(_T("Korvan.Edit.CopyCut"));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemCorner1, t.P(-2, -1)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemCorner2, t.P(0, 1)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemBase, t.P(0, 0)));
             ASSERT_TRUE(t.GivePoint(MoveCut2dCommand::itemDestination, t.P(0, -1)));
         }},
        {"CopyRectangleArrange", none, [](T& t) {
             using Grid = RectangleArrangeCopy2dCommand;
             t.Start(_T("Korvan.Edit.CopyRectangleArrange"));
             ASSERT_TRUE(t.GiveShapes(Grid::itemShapes, {t.v2}));
             ASSERT_TRUE(t.GiveCount(Grid::itemColumns, 2));
             ASSERT_TRUE(t.GiveCount(Grid::itemRows, 2));
             ASSERT_TRUE(t.GiveDistance(Grid::itemColumnSpacing, 0.2 * t.u));
             ASSERT_TRUE(t.GiveDistance(Grid::itemRowSpacing, 0.3 * t.u));
         }},
        {"CopyRotateArrange", none, [](T& t) {
             using Polar = RotateArrangeCopy2dCommand;
             t.Start(_T("Korvan.Edit.CopyRotateArrange"));
             ASSERT_TRUE(t.GiveShapes(Polar::itemShapes, {t.v2}));
             ASSERT_TRUE(t.GivePoint(Polar::itemCentre, t.P(0, 0)));
             ASSERT_TRUE(t.GiveAngle(Polar::itemTotalAngle, 360));
             ASSERT_TRUE(t.GiveCount(Polar::itemNumber, 4));
         }},
        {"Offset", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Offset"));
             ASSERT_TRUE(t.GiveDistance(Offset2dCommand::itemDistance, t.u / 2));
             ASSERT_TRUE(t.GivePick(Offset2dCommand::itemShape, t.h, t.P(2, 0)));
             ASSERT_TRUE(t.GivePoint(Offset2dCommand::itemSide, t.P(2, 1)));
         }},
        {"Trim", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Trim"));
             ASSERT_TRUE(t.GivePick(Trim2dCommand::itemShape, t.h, t.P(0, 0)));
         }},
        {"TrimRect", none, [](T& t) {
             t.Start(_T("Korvan.Edit.TrimRect"));
             ASSERT_TRUE(t.GivePoint(Trim2dCommand::itemCorner1, t.P(0.5, 0.5)));
             ASSERT_TRUE(t.GivePoint(Trim2dCommand::itemCorner2, t.P(-0.5, -0.5)));
         }},
        {"Fillet", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Fillet"));
             ASSERT_TRUE(t.GiveDistance(Fillet2dCommand::itemRadius, t.u / 2));
             ASSERT_TRUE(t.GivePick(Fillet2dCommand::itemFirstShape, t.h, t.P(-2, 0)));
             ASSERT_TRUE(t.GivePick(Fillet2dCommand::itemSecondShape, t.v1, t.P(-1, 1)));
         }},
        {"Fillet, polylines", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Fillet"));
             ASSERT_TRUE(t.manager.SetParameterAlternative(t.Running(), 0, 1));
             ASSERT_TRUE(t.GiveDistance(Fillet2dCommand::itemRadius, t.u / 4));
             ASSERT_TRUE(t.GiveShapes(Fillet2dCommand::itemPolylines, {t.poly}));
         }},
        {"Chamfer", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Chamfer"));
             ASSERT_TRUE(t.GiveChoice(Chamfer2dCommand::itemType, Chamfer2dCommand::typeDistance));
             ASSERT_TRUE(t.GiveDistance(Chamfer2dCommand::itemLength1, t.u / 2));
             ASSERT_TRUE(t.GivePick(Chamfer2dCommand::itemFirstShape, t.h, t.P(-2, 0)));
             ASSERT_TRUE(t.GivePick(Chamfer2dCommand::itemSecondShape, t.v1, t.P(-1, 1)));
         }},
        {"Divide", none, [](T& t) {
             CommandBase* pDivide = t.Start(_T("Korvan.Edit.Divide"));
             ASSERT_TRUE(t.GivePick(Divide2dCommand::itemShape, t.h, t.P(2, 0)));
             const int method = t.IndexOf(Divide2dCommand::itemPoints);
             ASSERT_GE(method, 0);
             const CommandParameter* pMethod = pDivide->GetParameter(method);
             for (int k = 0; k < pMethod->GetItemCount(); ++k)
                 if (pMethod->GetItem(k)->GetId() == Divide2dCommand::itemCount && pMethod->GetCurrentIndex() != k) {
                     ASSERT_TRUE(t.manager.SetParameterAlternative(pDivide, method, k));
                 }
             ASSERT_TRUE(t.GiveCount(Divide2dCommand::itemCount, 3));
         }},
        {"ResolvePolyline", none, [](T& t) {
             t.Preselect({t.poly});
             t.Start(_T("Korvan.Edit.ResolvePolyline"));
         }},
        {"Adjust by a length", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Adjust"));
             ASSERT_TRUE(t.GiveChoice(Adjust2dCommand::itemMode, Adjust2dCommand::modeAddLength));
             ASSERT_TRUE(t.GiveFenceGroup(Adjust2dCommand::itemShapes, {t.h}, 4, {t.P(2.5, 0)}));
             ASSERT_TRUE(t.GiveDistance(Adjust2dCommand::itemLength, t.u / 2));
         }},
        {"Stretch", none, [](T& t) {
             t.Start(_T("Korvan.Edit.Stretch"));
             ASSERT_TRUE(t.GiveFenceGroup(Stretch2dCommand::itemShapes, {t.h}, 1, {t.P(2, -0.5), t.P(3.5, 0.5)}));
             ASSERT_TRUE(t.GivePoint(Stretch2dCommand::itemBase, t.P(0, 0)));
             ASSERT_TRUE(t.GivePoint(Stretch2dCommand::itemDestination, t.P(0.5, 0)));
         }},
        {"AroundCatcher", none, [](T& t) {
             t.Start(_T("Korvan.Edit.AroundCatcher"));
             ASSERT_TRUE(t.GivePoint(0, t.P(-3.4, -3.6)));
             ASSERT_TRUE(t.GivePoint(1, t.P(-2.3, -3.1)));
         }},
        {"Delete", none, [](T& t) {
             t.Preselect({t.circle, t.poly});
             t.Start(_T("Korvan.Edit.Delete"));
         }},
        {"Group", none, [](T& t) {
             t.Preselect({t.v1, t.v2});
             t.Start(_T("Korvan.Edit.Group"));
         }},
        {"UnGroup",
         [](T& t) {
             t.Preselect({t.v1, t.v2});
             t.Start(_T("Korvan.Edit.Group"));
         },
         [](T& t) {
             t.Preselect({t.LiveIDs().back()});
             t.Start(_T("Korvan.Edit.UnGroup"));
         }},
    };
    const auto start = Snapshot();
    for (const Run& r : runs) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(SameAs(*start, "each run starts from the same drawing"));
        r.prepare(*this);
        manager.CancelAllCommands();
        const int steps = doc.GetUndoCount();
        const auto before = Snapshot();
        const QByteArray beforeBytes = Bytes();
        const std::vector<long> idsBefore = LiveIDs();

        r.run(*this);
        if (HasFatalFailure())
            return;
        manager.CancelAllCommands();
        EXPECT_EQ(doc.GetUndoCount(), steps + 1) << "one step";
        EXPECT_NE(Bytes(), beforeBytes) << "the run changed the document";
        const auto after = Snapshot();
        const std::vector<long> idsAfter = LiveIDs();

        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        EXPECT_EQ(LiveIDs(), idsBefore);
        ASSERT_TRUE(doc.Redo());
        EXPECT_TRUE(SameAs(*after, "after redo"));
        EXPECT_EQ(LiveIDs(), idsAfter) << "redo makes the same ids";
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after the second undo"));
        while (doc.GetUndoCount() > 0)
            ASSERT_TRUE(doc.Undo());
        doc.ClearUndoRedoHistory();
        doc.GetSelectionManager()->UnselectAll(FALSE);
    }
}
