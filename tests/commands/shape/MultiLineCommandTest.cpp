// The multi-line command over the real manager, document and view: the rows re-form with the counts and
// the spacing mode, lines along entered points or a picked shape in one undo step, refused counts,
// spacings and points with their reasons, and the preview showing each side's outermost line.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "commands/shape/MultiLine2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kMultiLineID = 33435;
using Ids = std::vector<int>;

class MultiLineTest : public kctest::DrawingCommandFixture
{
protected:
    // The current item id of each row.
    Ids Rows() const
    {
        Ids ids;
        for (int i = 0; i < Running()->GetParameterCount(); ++i)
            ids.push_back(Running()->GetCurrentItemID(i));
        return ids;
    }
    int Index(WORD id) const { return Running()->FindParameterIndex(id); }
    void SetCount(WORD id, int value)
    {
        auto* pItem = dynamic_cast<IntegerParameterItem*>(Running()->FindItem(id));
        ASSERT_NE(pItem, nullptr);
        pItem->SetValue(value);
        manager.RunActiveCommand(Index(id), TRUE);
    }
    void SetMode(int mode)
    {
        auto* pItem = dynamic_cast<ListParameterItem*>(Running()->FindItem(MultiLine2dCommand::itemSpacingMode));
        ASSERT_NE(pItem, nullptr);
        pItem->SetValue(mode);
        manager.RunActiveCommand(Index(MultiLine2dCommand::itemSpacingMode), TRUE);
    }
};

}  // namespace

TEST_F(MultiLineTest, RowsFollowTheCountsAndTheSpacingMode)
{
    Start(kMultiLineID);
    ASSERT_NE(dynamic_cast<MultiLine2dCommand*>(Running()), nullptr);
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 3, 4, 7}));
    EXPECT_EQ(Running()->GetParameter(5)->GetItem(1)->GetId(), MultiLine2dCommand::itemShape);
    SetCount(MultiLine2dCommand::itemSecondCount, 0);  // one side: a common spacing only
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 4, 7}));
    SetCount(MultiLine2dCommand::itemSecondCount, 1);  // both sides again: the mode comes back, first choice
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 3, 4, 7}));
    int mode = -1;
    static_cast<ListParameterItem*>(Running()->FindItem(MultiLine2dCommand::itemSpacingMode))->GetValue(mode);
    EXPECT_EQ(mode, 0);
    SetMode(1);  // per side
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 3, 5, 6, 7}));
    SetMode(0);
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 3, 4, 7}));
    SetMode(1);
    SetCount(MultiLine2dCommand::itemFirstCount, 0);
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 4, 7}));
    EXPECT_EQ(doc.GetUndoCount(), 0);
}

TEST_F(MultiLineTest, RememberedPerSideSpacingAndPickedBaseComeBackWithTheirRowsAfterARestart)
{
    Start(kMultiLineID);
    SetMode(1);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, Index(MultiLine2dCommand::itemPoints), 1));
    EXPECT_EQ(Rows(), (Ids{0, 1, 2, 3, 5, 6, 8}));

    std::unique_ptr<CommandManager> next = Restarted();
    ASSERT_TRUE(next->ExecuteCommand(kMultiLineID));
    CommandBase* pCommand = next->GetActiveCommand();
    ASSERT_NE(pCommand, nullptr);
    Ids rows;
    for (int i = 0; i < pCommand->GetParameterCount(); ++i)
        rows.push_back(pCommand->GetCurrentItemID(i));
    EXPECT_EQ(rows, (Ids{0, 1, 2, 3, 5, 6, 8})) << "the per-side rows and the picked base at once";
    int mode = -1;
    ASSERT_TRUE(static_cast<ListParameterItem*>(pCommand->FindItem(MultiLine2dCommand::itemSpacingMode))->GetValue(mode));
    EXPECT_EQ(mode, 1);
    EndRestarted(*next);
}

TEST_F(MultiLineTest, LinesAlongEnteredPointsOrAPickedShapeAreOneStep)
{
    const long path = Add(Line2dFeature(P(-4, -3), P(4, -3)));
    ASSERT_GT(path, 0);
    doc.ClearUndoRedoHistory();
    const long before = doc.GetFeatureCount();
    Start(kMultiLineID);
    SetCount(MultiLine2dCommand::itemFirstCount, 3);
    SetCount(MultiLine2dCommand::itemSecondCount, 2);
    Type(Index(MultiLine2dCommand::itemSpacing), 0.25 * u);
    // Along three entered points: 3 + 2 parallels of the path.
    Click(P(-3, 0));
    Click(P(0, 1));
    Click(P(3, 0));
    EXPECT_EQ(doc.GetFeatureCount(), before);
    ASSERT_TRUE(manager.FinishListInput());
    EXPECT_EQ(doc.GetFeatureCount(), before + 5);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const auto polylines = Shapes<Polyline2dFeature>();
    ASSERT_GE(polylines.size(), 5u);
    ExpectCurrentAttributes(polylines.back());
    // The counts and spacing stay; the path is asked for again.
    EXPECT_TRUE(Running()->IsParameterEmpty(Index(MultiLine2dCommand::itemPoints)));
    EXPECT_FALSE(Running()->IsParameterEmpty(Index(MultiLine2dCommand::itemSpacing)));

    // Along a picked line, the base line drawn too.
    auto* pBaseLine = static_cast<ListParameterItem*>(Running()->FindItem(MultiLine2dCommand::itemBaseLine));
    pBaseLine->SetValue(0);
    manager.RunActiveCommand(0, TRUE);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, Index(MultiLine2dCommand::itemPoints), 1));
    Click(P(0, -3));
    EXPECT_EQ(doc.GetFeatureCount(), before + 5 + 6);
    EXPECT_EQ(doc.GetUndoCount(), 2);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.GetFeatureCount(), before);
}

TEST_F(MultiLineTest, RefusedCountsSpacingsAndPointsSayWhyAndChangeNothing)
{
    Start(kMultiLineID);
    CommandBase* pCommand = Running();
    struct Case {
        const char* name;
        int first, second;
        double spacing;
        UINT message;
    };
    for (const Case& c : {Case{"both counts 0", 0, 0, 1.0, kMsgCountNotPositive},
                          Case{"a count above 256", 257, 1, 1.0, kMsgCountOutOfRange},
                          Case{"a negative count", -1, 1, 1.0, kMsgCountOutOfRange},
                          Case{"a spacing of 0", 1, 1, 0.0, kMsgSpacingNotPositive}}) {
        SCOPED_TRACE(c.name);
        static_cast<IntegerParameterItem*>(pCommand->FindItem(MultiLine2dCommand::itemFirstCount))->SetValue(c.first);
        static_cast<IntegerParameterItem*>(pCommand->FindItem(MultiLine2dCommand::itemSecondCount))->SetValue(c.second);
        if (pCommand->FindItem(MultiLine2dCommand::itemSpacing) != nullptr)
            static_cast<DoubleParameterItem*>(pCommand->FindItem(MultiLine2dCommand::itemSpacing))->SetValue(c.spacing);
        auto* pPoints = static_cast<PointArrayParameterItem*>(pCommand->FindItem(MultiLine2dCommand::itemPoints));
        KcArrayOfGePnt2d points;
        points.Add(P(-2, 0));
        points.Add(P(2, 0));
        pPoints->SetPoints(points);
        pPoints->m_bFinished = TRUE;
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
        EXPECT_EQ(doc.GetUndoCount(), 0);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }

    // While the path is entered, a point on the last or one turning straight back is refused and left out.
    manager.CancelAllCommands();
    Start(kMultiLineID);
    SetCount(MultiLine2dCommand::itemFirstCount, 1);
    Type(Index(MultiLine2dCommand::itemSpacing), 0.25 * u);
    Click(P(-3, 0));
    Click(P(0, 0));
    Messages().clear();
    Click(P(-1, 0));  // straight back
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], Text(kMsgPointRefused));
    const auto* pPoints = static_cast<const PointArrayParameterItem*>(Running()->FindItem(MultiLine2dCommand::itemPoints));
    EXPECT_EQ(pPoints->GetCount(), 2);
    Click(P(1, 1));
    EXPECT_EQ(pPoints->GetCount(), 3);
    EXPECT_EQ(doc.GetFeatureCount(), 0);
}

TEST_F(MultiLineTest, PreviewShowsEachSidesOutermostLine)
{
    Start(kMultiLineID);
    SetCount(MultiLine2dCommand::itemFirstCount, 3);
    SetCount(MultiLine2dCommand::itemSecondCount, 2);
    Type(Index(MultiLine2dCommand::itemSpacing), 0.25 * u);
    Click(P(-3, 0));
    Click(P(0, 1));
    const QImage before = Render();
    const QImage preview = PreviewAt(P(3, 0));
    EXPECT_NE(preview, before);
    // What the preview shows: counts 1 and 1 at the outermost distances, 0.75 and 0.5.
    KcArrayOfGePnt2d points;
    points.Add(Landed(P(-3, 0)));
    points.Add(Landed(P(0, 1)));
    points.Add(Landed(P(3, 0)));
    Polyline2dFeature path;
    ASSERT_TRUE(path.SetPointArray(points));
    std::unique_ptr<Feature2dList> outermost(FeatureCreator::CreateMultiLineFeature(&path, 1, 1, 0.75 * u, 0.5 * u, 0));
    ASSERT_TRUE(outermost);
    ASSERT_EQ(outermost->GetFeatureSize(), 2);
    for (int i = 0; i < outermost->GetFeatureSize(); ++i) {
        ShapeCommandHelper::ApplyCurrentAttributes((*outermost)[i], &doc);
        Add(*(*outermost)[i]);
    }
    EXPECT_TRUE(Render() == preview);
}
