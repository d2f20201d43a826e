// The parallel line command over the real manager, document and view: the rows re-form with the offset
// kind and with the base's kind (also after a restart with remembered choices), parallels bounded by
// points, lengths, angles and shapes in one undo step each, refusals that keep the distance, the guide
// and the preview, and the edit menu's enable test with the take-over of a pre-selected base.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "commands/shape/ParallelLine2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kParallelID = 33416;
using Rows = std::vector<std::pair<int, int>>;

class ParallelTest : public kctest::DrawingCommandFixture
{
protected:
    void Choose(int index, int alternative)
    {
        if (Running()->GetParameter(index)->GetCurrentIndex() != alternative) {
            ASSERT_TRUE(manager.SetParameterAlternative(nullptr, index, alternative));
        }
    }
    static Rows RowIds(const CommandBase* pCommand)
    {
        Rows rows;
        for (int i = 0; i < pCommand->GetParameterCount(); ++i) {
            const CommandParameter* p = pCommand->GetParameter(i);
            for (int k = 0; k < p->GetItemCount(); ++k)
                rows.emplace_back(i, p->GetItem(k)->GetId());
        }
        return rows;
    }
    template <class T>
    const T* Last() const
    {
        const auto shapes = Shapes<T>();
        return shapes.empty() ? nullptr : shapes.back();
    }
    // The picture of the document holding the shapes as a click would make them (current attributes).
    QImage RenderWith(std::initializer_list<Feature2dBase*> shapes)
    {
        const int undo = doc.GetUndoCount();
        for (Feature2dBase* p : shapes) {
            ShapeCommandHelper::ApplyCurrentAttributes(p, &doc);
            Add(*p);
            delete p;
        }
        const QImage picture = Render();
        while (doc.GetUndoCount() > undo)
            EXPECT_TRUE(doc.Undo());
        return picture;
    }

    const Rows kStraightDistance{{0, 0}, {1, 1}, {1, 2}, {2, 3}, {3, 4}, {3, 6}, {4, 7}, {4, 9}, {4, 10}};
    const Rows kStraightThrough{{0, 0}, {1, 1}, {1, 2}, {2, 4}, {2, 6}, {3, 7}, {3, 9}, {3, 10}};
    const Rows kCircularDistance{{0, 0}, {1, 1}, {1, 2}, {2, 3}, {3, 4}, {3, 5}, {3, 6}, {4, 7}, {4, 8}, {4, 10}};
};

}  // namespace

TEST_F(ParallelTest, RowsFollowTheOffsetKindAndTheBaseKindAndComeBackAfterARestart)
{
    Add(Arc2dFeature(P(0, 0), 2 * u, 0.0, 180.0, 0));
    Add(Line2dFeature(P(-4, -3), P(4, -3)));
    Start(kParallelID);
    EXPECT_EQ(RowIds(Running()), kStraightDistance);
    Choose(4, 1);  // the end length
    Choose(1, 1);  // through a point: the side row goes
    EXPECT_EQ(RowIds(Running()), kStraightThrough);
    EXPECT_EQ(Running()->GetCurrentItemID(3), ParallelLine2dCommand::itemEndLength);
    Choose(1, 0);  // back: an empty side row
    EXPECT_EQ(RowIds(Running()), kStraightDistance);
    EXPECT_TRUE(Running()->IsParameterEmpty(2));

    // An arc as base: angles instead of the length, which falls back to the end point.
    Click(P(0, 2));
    EXPECT_FALSE(Running()->IsParameterEmpty(0));
    EXPECT_EQ(RowIds(Running()), kCircularDistance);
    EXPECT_EQ(Running()->GetCurrentItemID(4), ParallelLine2dCommand::itemEndPoint);
    // The next start keeps the circular rows until a straight base is picked.
    manager.CancelAllCommands();
    Start(kParallelID);
    EXPECT_EQ(RowIds(Running()), kCircularDistance);
    Click(P(2, -3));
    EXPECT_EQ(RowIds(Running()), kStraightDistance);

    // Remembered: through a point, ended by a shape.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    Choose(1, 1);
    Choose(3, 2);
    manager.CancelAllCommands();
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    next.SetActiveDraw2dView(&view);
    ASSERT_TRUE(next.ExecuteCommand(kParallelID));
    EXPECT_EQ(RowIds(next.GetActiveCommand()), kStraightThrough);
    EXPECT_EQ(next.GetActiveCommand()->GetCurrentItemID(3), ParallelLine2dCommand::itemEndShape);
    next.CancelAllCommands();
    next.SetActiveDraw2dView(nullptr);
    next.Shutdown();
}

TEST_F(ParallelTest, ParallelsBoundedByPointsLengthsAnglesAndShapesAreOneStepEachAndKeepTheDistance)
{
    Add(Line2dFeature(P(-4, 0), P(4, 0)));
    Add(Line2dFeature(P(-3, -3), P(-3, -1.5)));
    Add(Line2dFeature(P(3, -3), P(3, -1.5)));
    Add(Circle2dFeature(P(0, 0), 3 * u));
    doc.ClearUndoRedoHistory();
    Start(kParallelID);
    const double tol = 1.5 / view.GetScale();

    // Line base, typed distance, side point, end points.
    Click(P(1, 0));
    Type(1, u);
    Click(P(0, 1));
    Click(P(-2, 0));
    Click(P(2, 0));
    const Line2dFeature* pLine = Last<Line2dFeature>();
    ASSERT_EQ(doc.GetUndoCount(), 1);
    ExpectNear(pLine->GetStartPoint(), P(-2, 1), tol);
    ExpectNear(pLine->GetEndPoint(), P(2, 1), tol);
    ExpectCurrentAttributes(pLine);
    EXPECT_TRUE(Running()->IsParameterEmpty(0));
    EXPECT_FALSE(Running()->IsParameterEmpty(1)) << "the distance stays";

    // The same distance, ended by a length.
    Choose(4, 1);
    Click(P(1, 0));
    Click(P(0, -1));
    Click(P(-2, 0));
    Type(4, 3 * u);
    ASSERT_EQ(doc.GetUndoCount(), 2);
    pLine = Last<Line2dFeature>();
    ExpectNear(pLine->GetStartPoint(), P(-2, -1), tol);
    ExpectNear(pLine->GetEndPoint(), P(1, -1), tol);

    // Through a point, between two shapes.
    Choose(1, 1);
    Choose(2, 1);
    Choose(3, 2);
    Click(P(1, 0));
    Click(P(0, -2));
    Click(P(-3, -2.2));
    Click(P(3, -2.2));
    ASSERT_EQ(doc.GetUndoCount(), 3);
    pLine = Last<Line2dFeature>();
    ExpectNear(pLine->GetStartPoint(), P(-3, -2), tol);
    ExpectNear(pLine->GetEndPoint(), P(3, -2), tol);

    // A circle through a point, between two typed angles: a concentric arc.
    Choose(1, 0);
    Click(P(0, 3));  // the circle's top; the rows turn circular
    ASSERT_EQ(RowIds(Running()), kCircularDistance);
    Type(1, u);
    Click(P(0, 5));
    Choose(3, 1);
    Choose(4, 1);
    Type(3, 0.0);
    Type(4, 90.0);
    ASSERT_EQ(doc.GetUndoCount(), 4);
    const Arc2dFeature* pArc = Last<Arc2dFeature>();
    ASSERT_NE(pArc, nullptr);
    EXPECT_NEAR(pArc->GetRadius(), 4 * u, tol);
    ExpectNear(pArc->GetStartPoint(), P(4, 0), tol);
    ExpectNear(pArc->GetEndPoint(), P(0, 4), tol);
    ExpectCurrentAttributes(pArc);
}

TEST_F(ParallelTest, RefusedValuesKeepTheDistanceAndSayWhy)
{
    const long line = Add(Line2dFeature(P(-4, 0), P(4, 0)));
    const long circle = Add(Circle2dFeature(P(0, 0), 3 * u));
    Start(kParallelID);
    CommandBase* pCommand = Running();
    auto setBase = [&](long id, const RuVaPnt2d& pick) {
        FeatureParameterItem value;
        value.Copy(*pCommand->GetParameterItem(0));
        value.SetValue(FeatureLayout(id, -1, -1), pick);
        pCommand->ValidateParameterValue(0, value);
        static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0))->SetValue(FeatureLayout(id, -1, -1), pick);
    };
    auto set = [&](WORD id, const RuVaPnt2d& p) { static_cast<PointParameterItem*>(pCommand->FindItem(id))->SetValue(p); };
    auto setNumber = [&](WORD id, double v) { static_cast<DoubleParameterItem*>(pCommand->FindItem(id))->SetValue(v); };
    struct Case {
        const char* name;
        UINT message;
    };
    const int undo = doc.GetUndoCount();
    for (const Case& c : {Case{"a distance of 0", kMsgLengthNotPositive}, Case{"start and end on one point", kMsgPointsCoincide},
                          Case{"an end angle that cuts nothing", kMsgNoShape}, Case{"the base deleted", kMsgShapeGone}}) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name;
        const bool circular = name == "an end angle that cuts nothing";
        setBase(circular ? circle : line, circular ? P(0, 3) : P(1, 0));
        setNumber(ParallelLine2dCommand::itemDistance, name == "a distance of 0" ? 0.0 : u);
        set(ParallelLine2dCommand::itemSide, P(0, 1));
        if (circular) {
            // A start point on the centre has no direction to cut the arc at.
            Choose(4, 1);
            set(ParallelLine2dCommand::itemStartPoint, P(0, 0));
            setNumber(ParallelLine2dCommand::itemEndAngle, 90.0);
        } else {
            set(ParallelLine2dCommand::itemStartPoint, P(-1, 0));
            set(ParallelLine2dCommand::itemEndPoint, name == "start and end on one point" ? P(-1, 0) : P(1, 0));
        }
        if (name == "the base deleted") {
            doc.BeginUndoOperation(nullptr);
            ASSERT_TRUE(doc.DeleteFeature(line, 1));
            doc.EndUndoOperation();
        }
        const int before = doc.GetUndoCount();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetUndoCount(), before);
        EXPECT_EQ(doc.GetFeatureCount(), name == "the base deleted" ? 1 : 2);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
        EXPECT_FALSE(pCommand->FindItem(ParallelLine2dCommand::itemDistance)->IsEmpty());
    }
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetUndoCount(), undo);
}

TEST_F(ParallelTest, GuideAndPreviewAreWhatTheRendererDraws)
{
    Add(Line2dFeature(P(-4, 0), P(4, 0)));
    Add(SemiInfiniteLine2dFeature(P(0, 2), RuVaDir2d(1, 0)));
    Add(Circle2dFeature(Landed(P(0, -3)), 1.5 * u));
    struct Case {
        const char* name;
        RuVaPnt2d pick;     // the base
        double distance;    // typed; NaN: through the cursor
        RuVaPnt2d cursor;
        std::vector<Feature2dBase*> expected;  // the guide as shapes
    };
    const RuVaPnt2d origin = P(0, 0);
    const double none = std::numeric_limits<double>::quiet_NaN();
    auto rays = [&](const RuVaPnt2d& p) {
        return std::vector<Feature2dBase*>{new SemiInfiniteLine2dFeature(p, RuVaDir2d(1, 0)),
                                           new SemiInfiniteLine2dFeature(p, RuVaDir2d(-1, 0))};
    };
    Case cases[] = {
        {"a line base: its parallel, both ways", P(2, 0), u, P(1, 1), rays(P(-4, 1))},
        {"a distance of nothing: on the base", P(2, 0), 1e-8, P(1, 1), rays(P(-4, 0))},
        {"a ray base: both ways", P(2, 2), u, P(1, 4), rays(P(0, 3))},
        {"a circle through its centre: none", P(0, -1.5), none, P(0, -3), {}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager.CancelAllCommands();
        Start(kParallelID);
        Choose(1, std::isnan(c.distance) ? 1 : 0);
        Click(c.pick);
        if (!std::isnan(c.distance))
            Type(1, c.distance);
        const QImage before = Render();  // the picked base highlighted
        const QImage preview = PreviewAt(c.cursor);
        if (c.expected.empty()) {
            EXPECT_TRUE(preview == before);
            continue;
        }
        EXPECT_NE(preview, before);
        QImage expected;
        if (c.expected.size() == 2)
            expected = RenderWith({c.expected[0], c.expected[1]});
        EXPECT_TRUE(preview == expected);
    }
    // Once the start is given: the parallel a click makes (drawn over the picture that shows the picked
    // base highlighted, as the command keeps it while it runs).
    auto giveAllButTheEnd = [&] {
        manager.CancelAllCommands();
        Start(kParallelID);
        Choose(1, 0);
        Click(P(2, 0));
        Type(1, u);
        Click(P(0, -1));
        Click(P(-3, 0));
    };
    giveAllButTheEnd();
    Render();
    const QImage preview = PreviewAt(P(2, 2));
    Click(P(2, 2));
    const Line2dFeature* pMade = Last<Line2dFeature>();
    ASSERT_NE(pMade, nullptr);
    Line2dFeature* pCopy = new Line2dFeature(*pMade);
    ASSERT_TRUE(doc.Undo());
    giveAllButTheEnd();
    EXPECT_TRUE(preview == RenderWith({pCopy}));
}

TEST_F(ParallelTest, OnePickedBaseEnablesTheCommandWhichTakesItOverAndEndsAfterOneShape)
{
    const long circle = Add(Circle2dFeature(P(0, 0), 2 * u));
    const long line = Add(Line2dFeature(P(-4, -3), P(4, -3)));
    const long ellipse = Add(Ellipse2dFeature(P(3, 2), u, 0.5 * u, 0));
    SelectionManager* pSelection = doc.GetSelectionManager();
    auto enabled = [&] { return CommandBase::IsCommandEnabled(_T("Korvan.Shape.ParallelLine"), &doc); };
    EXPECT_FALSE(enabled()) << "nothing picked";
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(ellipse, -1)));
    EXPECT_FALSE(enabled()) << "an ellipse";
    manager.ExecuteCommand(kParallelID);
    EXPECT_TRUE(Running()->IsParameterEmpty(0)) << "an ellipse is not taken over";
    manager.CancelAllCommands();
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(line, -1)));
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(circle, -1)));
    EXPECT_FALSE(enabled()) << "two groups";
    pSelection->UnselectAll();
    ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(circle, -1)));
    EXPECT_TRUE(enabled());

    Start(kParallelID);
    ASSERT_NE(Running(), nullptr);
    EXPECT_FALSE(Running()->IsParameterEmpty(0));
    EXPECT_EQ(RowIds(Running()), kCircularDistance);
    Type(1, u);
    Click(P(0, 4));
    Click(P(3, 0));
    Click(P(0, 3));
    EXPECT_NE(Last<Arc2dFeature>(), nullptr);
    EXPECT_EQ(doc.GetUndoCount(), 4);
    EXPECT_EQ(Running(), nullptr) << "the command ends after the taken-over base";
}
