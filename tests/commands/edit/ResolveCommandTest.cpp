// Explode and Explode Polyline through the manager: components placed out into their definition's
// shapes, polylines into lines with the polyline's attributes, the message counting the shapes handed in,
// one step undone exactly, and the context-menu tests.

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "command/LoadResourceString.h"
#include "commands/edit/AroundCatcher2dCommand.h"
#include "commands/edit/Resolve2dCommand.h"
#include "commands/edit/ResolvePolyline2dCommand.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

using namespace QZ2Command;

namespace {

class ResolveTest : public kctest::EditFixture
{
protected:
    long Polyline(std::initializer_list<RuVaPnt2d> points)
    {
        KcArrayOfGePnt2d array;
        for (const RuVaPnt2d& p : points)
            array.Add(p);
        Polyline2dFeature polyline(array);
        polyline.SetColorNo(7);
        polyline.SetLineTypeNo(2);
        return Add(polyline);
    }
    const Line2dFeature* LineOf(long id) const { return dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)); }
};

}  // namespace

TEST_F(ResolveTest, PolylinesBecomeTheirSegmentsWithTheirAttributes)
{
    struct Case {
        const char* name;
        std::initializer_list<RuVaPnt2d> points;
        int lines;
    };
    const Case cases[] = {
        {"open", {RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)}, 2},
        {"repeating its first point", {RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 0)}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long polyline = Polyline(c.points);
        doc.ClearUndoRedoHistory();
        const auto before = Snapshot();
        const size_t count = LiveIDs().size();
        boxes.texts.clear();
        Preselect({polyline});
        Start(_T("Korvan.Edit.ResolvePolyline"));
        EXPECT_EQ(doc.GetFeature(polyline), nullptr);
        std::vector<long> ids = LiveIDs();
        ASSERT_EQ(ids.size(), count - 1 + c.lines);
        const Line2dFeature* pFirst = LineOf(ids[count - 1]);
        ASSERT_NE(pFirst, nullptr);
        kctest::ExpectNear(pFirst->GetStartPoint(), RuVaPnt2d(0, 0), 1e-12);
        kctest::ExpectNear(pFirst->GetEndPoint(), RuVaPnt2d(10, 0), 1e-12);
        EXPECT_EQ(pFirst->GetColorNo(), 7);
        EXPECT_EQ(pFirst->GetLineTypeNo(), 2);
        EXPECT_EQ(pFirst->GetLayerID(), baseLayer);
        ASSERT_EQ(boxes.texts.size(), 1u);
        CString expected;
        expected.Format(LoadResourceString(11129), 1);
        EXPECT_EQ(boxes.texts[0], expected);
        EXPECT_EQ(doc.GetUndoCount(), 1);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
    }
}

TEST_F(ResolveTest, AComponentIsPlacedOutIntoItsDefinitionsShapes)
{
    const long own = doc.AddLayer(_T("Inside"), -1);
    DrawComponent2dFeatureDefine def;
    def.SetComponentName(_T("Pin"));
    const long define = doc.AddDrawComponentDefine(def);
    ASSERT_NE(define, -1);
    Line2dFeature inside(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    inside.SetLayerID(own);
    doc.AddFeature(&inside, doc.GetComponentDefineTable()->GetComponentDefine(define), 0);

    struct Case {
        const char* name;
        long layer;  // of the component; 0: the shapes keep theirs
        long expected;
    };
    const Case cases[] = {{"on a layer", -2, -2}, {"on no layer", 0, own}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawComponent2dFeature placed;
        placed.SetComponentDefineID(define);
        ASSERT_TRUE(placed.SetOrigin(RuVaPnt2d(100, 50)));
        ASSERT_TRUE(placed.SetAngle(90));
        ASSERT_TRUE(placed.SetScale(2, 2));
        placed.SetLayerID(c.layer == -2 ? baseLayer : c.layer);
        const long component = Add(placed);
        doc.ClearUndoRedoHistory();
        const auto before = Snapshot();
        const size_t count = LiveIDs().size();
        Preselect({component});
        EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Resolve"), &doc));
        EXPECT_FALSE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.ResolvePolyline"), &doc));
        Start(_T("Korvan.Edit.Resolve"));
        EXPECT_EQ(doc.GetFeature(component), nullptr);
        const std::vector<long> ids = LiveIDs();
        ASSERT_EQ(ids.size(), count);
        const Line2dFeature* pLine = LineOf(ids.back());
        ASSERT_NE(pLine, nullptr);
        kctest::ExpectNear(pLine->GetStartPoint(), RuVaPnt2d(100, 50), 1e-9);
        kctest::ExpectNear(pLine->GetEndPoint(), RuVaPnt2d(100, 52), 1e-9);
        EXPECT_EQ(pLine->GetLayerID(), c.layer == -2 ? baseLayer : c.expected);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        doc.BeginUndoOperation(nullptr);
        doc.DeleteFeature(component, 0);
        doc.EndUndoOperation();
    }
}

TEST_F(ResolveTest, ContextMenuTestsLookAtEverySelectedShape)
{
    const long polyline = Polyline({RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)});
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)));
    struct Case {
        std::vector<long> selection;
        bool resolve, polylines;
    };
    const Case cases[] = {{{}, false, false}, {{polyline}, false, true}, {{polyline, line}, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection.size());
        Preselect(c.selection);
        EXPECT_EQ(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Resolve"), &doc) != FALSE, c.resolve);
        EXPECT_EQ(CommandBase::IsCommandEnabled(_T("Korvan.Edit.ResolvePolyline"), &doc) != FALSE, c.polylines);
    }
}

namespace {

class CornerCatcherTest : public kctest::EditFixture
{
};

}  // namespace

TEST_F(CornerCatcherTest, AWindowOverTwoEndsMakesACornerInOneStep)
{
    const long h = Add(Line2dFeature(P(-3, 0), P(-0.5, 0)));
    const long v = Add(Line2dFeature(P(0, -3), P(0, -0.5)));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pCatcher = Start(_T("Korvan.Edit.AroundCatcher"));
    ASSERT_TRUE(GivePoint(1, P(1, 1)));
    ASSERT_TRUE(GivePoint(0, P(-1, -1)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(h), nullptr);
    EXPECT_EQ(doc.GetFeature(v), nullptr);
    const std::vector<long> ids = LiveIDs();
    ASSERT_EQ(ids.size(), 2u);
    for (long id : ids)
        kctest::ExpectNear(dynamic_cast<const Line2dFeature*>(doc.GetFeature(id))->GetEndPoint(), P(0, 0), 1e-9);
    EXPECT_EQ(Running(), pCatcher);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));

    // Coincident corners do nothing; a window with nothing to catch is told. Both wait for a correction.
    const auto now = Snapshot();
    GivePoint(0, P(3, 3));
    EXPECT_FALSE(GivePoint(1, P(3, 3)));
    EXPECT_TRUE(statusTexts().empty());
    EXPECT_FALSE(GivePoint(1, P(4, 4)));
    ASSERT_EQ(statusTexts().size(), 1u);
    EXPECT_EQ(statusTexts().back(), LoadResourceString(11176));
    EXPECT_TRUE(SameAs(*now, "nothing caught"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_EQ(Running(), pCatcher);
    EXPECT_FALSE(pCatcher->IsParameterEmpty(0));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.AroundCatcher"), &doc) == FALSE);
}

TEST_F(CornerCatcherTest, ASelfCrossingOutlineIsRefusedWithItsMessage)
{
    Add(Line2dFeature(P(-3, 0), P(-0.5, 0)));
    Add(Line2dFeature(P(0, -3), P(0, -0.5)));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pCatcher = Start(_T("Korvan.Edit.AroundCatcher"));
    // A bow tie over both ends: its outline crosses itself.
    KcArrayOfGePnt2d bow;
    for (const RuVaPnt2d& p : {P(-1, -1), P(1, 1), P(1, -1), P(-1, 1), P(-1, -1)})
        bow.Add(p);
    EXPECT_FALSE(AroundCatcher2dCommand::ApplyAroundCatcher(&doc, &view, bow, pCatcher));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts.back(), LoadResourceString(10471));
    EXPECT_TRUE(SameAs(*before, "self-crossing outline"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_EQ(Running(), pCatcher);
}
