// The line command run by the real command manager over a real document: started by id and by
// identifier, fed with clicks and typed values as the view and the command bar hand them over, making
// lines with the current attributes in one undo step each, staying for the next line, cancelled, and
// previewing the line that a click would make.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <QImage>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Line2dCommand.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/gdi/CDC.h"

using namespace QZ2Command;

namespace {

const CString kLine(_T("Korvan.Shape.Line"));
constexpr UINT kLineID = 33412;

// The manager only needs a distinct address for the application's document.
CQZ2Doc* FakeDocument(int& slot)
{
    return reinterpret_cast<CQZ2Doc*>(&slot);
}

class LineCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.InitDocument();
        layer = doc.AddLayer(_T("Outline"), -1);
        ASSERT_NE(layer, -1);
        ASSERT_TRUE(doc.SetCurrentLayerID(layer, 0));
        ASSERT_TRUE(doc.SetCurrentColorNo(5, 0));
        ASSERT_TRUE(doc.SetCurrentLineTypeNo(3, 0));
        ASSERT_TRUE(doc.SetCurrentLineWidthNo(2, 0));
        doc.ClearUndoRedoHistory();
        manager.SetDocument(FakeDocument(docSlot), &doc);
    }
    void TearDown() override
    {
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }

    Line2dCommand* Start()
    {
        EXPECT_TRUE(manager.ExecuteCommand(kLineID));
        return dynamic_cast<Line2dCommand*>(manager.GetActiveCommand());
    }

    CommandBase* Running() const { return manager.GetActiveCommand(); }

    // A click in the view: the point goes to the item that takes clicks, then the command runs.
    void Click(double x, double y)
    {
        CommandBase* pCommand = Running();
        ASSERT_NE(pCommand, nullptr);
        const int index = pCommand->GetPickParameterIndex();
        auto* pItem = dynamic_cast<PointParameterItem*>(pCommand->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr) << "parameter " << index << " takes no point";
        pItem->SetValue(RuVaPnt2d(x, y));
        manager.RunActiveCommand(index, TRUE);
    }

    // A value typed into the row of a parameter, then the command runs.
    void Type(int index, double value)
    {
        CommandBase* pCommand = Running();
        ASSERT_NE(pCommand, nullptr);
        auto* pItem = dynamic_cast<DoubleParameterItem*>(pCommand->GetParameterItem(index));
        ASSERT_NE(pItem, nullptr);
        pItem->SetValue(value);
        manager.RunActiveCommand(index, TRUE);
    }

    std::vector<const Line2dFeature*> Lines() const
    {
        std::vector<const Line2dFeature*> lines;
        for (long id = doc.GetNextFeatureRecordID(-1); id != -1; id = doc.GetNextFeatureRecordID(id)) {
            if (const auto* p = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id)))
                lines.push_back(p);
        }
        return lines;
    }

    BOOL AllItemsEmpty() const
    {
        for (int i = 0; i < Running()->GetParameterCount(); ++i) {
            if (!Running()->IsParameterEmpty(i))
                return FALSE;
        }
        return TRUE;
    }

    int docSlot = 0;
    long layer = -1;
    Draw2dDocument doc;
    CommandManager manager;
};

void ExpectPoint(const RuVaPnt2d& actual, double x, double y)
{
    EXPECT_NEAR(actual.X(), x, 1e-9);
    EXPECT_NEAR(actual.Y(), y, 1e-9);
}

}  // namespace

TEST_F(LineCommandTest, StartsByIdAndByIdentifierAsOneObjectWithItsFourInputs)
{
    Line2dCommand* pLine = Start();
    ASSERT_NE(pLine, nullptr);
    EXPECT_TRUE(pLine->IsKindOf(RUNTIME_CLASS(Line2dCommand)));
    EXPECT_EQ(pLine->GetIdentifier(), kLine);
    EXPECT_EQ(pLine->GetDisplayName(), CommandManager::GetCommandDisplayName(kLineID));
    ASSERT_EQ(manager.GetCommandHistory().GetCount(), 1);
    EXPECT_EQ(manager.GetCommandHistory().GetAt(0), kLineID);
    EXPECT_EQ(pLine->GetParameterVersion(), 0x0003000Au);

    manager.CancelAllCommands();
    ASSERT_TRUE(manager.StartCommand(kLine));
    EXPECT_EQ(Running(), pLine);
    EXPECT_EQ(manager.GetCachedCommandCount(), 1);

    struct Expected {
        WORD id;
        int type;
        BOOL optional;
        WORD base;
        BOOL history;
    };
    const Expected rows[] = {
        {0, ParameterItemBase::typePoint, FALSE, 1, FALSE},
        {1, ParameterItemBase::typePoint, FALSE, 0, FALSE},
        {2, ParameterItemBase::typeLength, TRUE, ParameterItemBase::kNoBaseItem, TRUE},
        {3, ParameterItemBase::typeAngle, TRUE, ParameterItemBase::kNoBaseItem, TRUE},
    };
    ASSERT_EQ(pLine->GetParameterCount(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const CommandParameter* pParameter = pLine->GetParameter(i);
        ASSERT_EQ(pParameter->GetItemCount(), 1);
        const ParameterItemBase* pItem = pParameter->GetCurrentItem();
        ASSERT_NE(pItem, nullptr);
        EXPECT_EQ(pItem->GetId(), rows[i].id);
        EXPECT_EQ(pItem->GetTypeCode(), rows[i].type);
        EXPECT_EQ(pItem->m_bOptional, rows[i].optional);
        EXPECT_EQ(pItem->m_wBaseItemId, rows[i].base);
        EXPECT_EQ(pItem->m_bHistory, rows[i].history);
        EXPECT_TRUE(pItem->m_bRequired);
        EXPECT_EQ(pItem->m_nRetentionMode, 0);
        EXPECT_TRUE(pItem->m_bNoDefault);
        EXPECT_TRUE(pItem->IsEmpty());
    }
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 0);
}

TEST_F(LineCommandTest, TwoClicksMakeOneLineInOneUndoStepAndTheCommandStays)
{
    Start();
    Click(0, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(Running()->GetCurrentParameterIndex(), 1);
    EXPECT_EQ(Running()->GetPickParameterIndex(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 0);

    Click(30, 40);
    std::vector<const Line2dFeature*> lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectPoint(lines[0]->GetStartPoint(), 0, 0);
    ExpectPoint(lines[0]->GetEndPoint(), 30, 40);
    EXPECT_EQ(lines[0]->GetColorNo(), 5);
    EXPECT_EQ(lines[0]->GetLineTypeNo(), 3);
    EXPECT_EQ(lines[0]->GetLineWidthNo(), 2);
    EXPECT_EQ(lines[0]->GetLayerID(), layer);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_FALSE(doc.IsInUndoOperation());

    // Still running, every item cleared, waiting for the next start point.
    ASSERT_NE(Running(), nullptr);
    EXPECT_EQ(Running()->GetIdentifier(), kLine);
    EXPECT_TRUE(AllItemsEmpty());
    EXPECT_EQ(Running()->GetCurrentParameterIndex(), 0);

    Click(30, 40);
    Click(60, 0);
    lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(doc.GetUndoCount(), 2);

    // Undo takes exactly the last line away; redo brings it back.
    ASSERT_TRUE(doc.Undo());
    lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectPoint(lines[0]->GetEndPoint(), 30, 40);
    ASSERT_TRUE(doc.Redo());
    lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    ExpectPoint(lines[1]->GetStartPoint(), 30, 40);
    ExpectPoint(lines[1]->GetEndPoint(), 60, 0);
}

TEST_F(LineCommandTest, TypedLengthAndAngleChooseHowTheLineIsPlaced)
{
    struct Case {
        const char* name;
        double length;  // NaN: not typed
        double angle;
        RuVaPnt2d end;
        RuVaPnt2d expected;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"two points", none, none, RuVaPnt2d(3, 4), RuVaPnt2d(3, 4)},
        {"length towards the end point", 10, none, RuVaPnt2d(3, 4), RuVaPnt2d(6, 8)},
        {"angle to the foot of the end point", none, 0, RuVaPnt2d(3, 4), RuVaPnt2d(3, 0)},
        {"length and angle on the end point's side", 2, 90, RuVaPnt2d(1, -5), RuVaPnt2d(0, -2)},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = Lines().size();
        Click(0, 0);
        if (!std::isnan(c.length))
            Type(2, c.length);
        if (!std::isnan(c.angle))
            Type(3, c.angle);
        // Typed values alone make nothing: the end point is still to be picked.
        EXPECT_EQ(Lines().size(), before);
        EXPECT_EQ(Running()->GetPickParameterIndex(), 1);
        Click(c.end.X(), c.end.Y());
        const std::vector<const Line2dFeature*> lines = Lines();
        ASSERT_EQ(lines.size(), before + 1);
        ExpectPoint(lines.back()->GetStartPoint(), 0, 0);
        ExpectPoint(lines.back()->GetEndPoint(), c.expected.X(), c.expected.Y());
        // Nothing typed carries over to the next line.
        EXPECT_TRUE(AllItemsEmpty());
    }
    EXPECT_EQ(doc.GetUndoCount(), 4);
}

TEST_F(LineCommandTest, ResultCodesOfEachInputState)
{
    struct Case {
        const char* name;
        bool start;
        bool end;
        double length;  // NaN: not given
        RuVaPnt2d endPoint;
        int result;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"nothing given", false, false, none, RuVaPnt2d(5, 5), CommandBase::resultMissing},
        {"only the start", true, false, none, RuVaPnt2d(5, 5), CommandBase::resultMissing},
        {"only the end", false, true, none, RuVaPnt2d(5, 5), CommandBase::resultMissing},
        {"only the start and a length", true, false, 3, RuVaPnt2d(5, 5), CommandBase::resultMissing},
        {"end on the start", true, true, none, RuVaPnt2d(1, 1), CommandBase::resultNothing},
        {"zero length", true, true, 0, RuVaPnt2d(5, 5), CommandBase::resultNothing},
        {"length with the end on the start", true, true, 3, RuVaPnt2d(1, 1), CommandBase::resultNothing},
        {"a line", true, true, none, RuVaPnt2d(5, 5), CommandBase::resultDone},
    };
    Line2dCommand* pLine = Start();
    ASSERT_NE(pLine, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < pLine->GetParameterCount(); ++i)
            pLine->GetParameterItem(i)->Clear();
        if (c.start)
            static_cast<PointParameterItem*>(pLine->FindItem(0))->SetValue(RuVaPnt2d(1, 1));
        if (c.end)
            static_cast<PointParameterItem*>(pLine->FindItem(1))->SetValue(c.endPoint);
        if (!std::isnan(c.length))
            static_cast<LengthParameterItem*>(pLine->FindItem(2))->SetValue(c.length);
        const long count = doc.GetFeatureCount();
        const int undo = doc.GetUndoCount();
        EXPECT_EQ(pLine->OnInput(-1), c.result);
        EXPECT_EQ(doc.GetFeatureCount(), count + (c.result == CommandBase::resultDone ? 1 : 0));
        EXPECT_EQ(doc.GetUndoCount(), undo + (c.result == CommandBase::resultDone ? 1 : 0));
    }
}

TEST_F(LineCommandTest, PointsThatMakeNoLineStayForCorrection)
{
    Start();
    Click(7, 7);
    Click(7, 7);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(doc.GetUndoCount(), 0);
    ASSERT_NE(Running(), nullptr);
    RuVaPnt2d start;
    RuVaPnt2d end;
    ASSERT_TRUE(static_cast<PointParameterItem*>(Running()->FindItem(0))->GetValue(start));
    ASSERT_TRUE(static_cast<PointParameterItem*>(Running()->FindItem(1))->GetValue(end));
    ExpectPoint(start, 7, 7);
    ExpectPoint(end, 7, 7);

    // A corrected end point makes the line from the kept start.
    ASSERT_TRUE(manager.SetCurrentParameter(nullptr, 1));
    Click(9, 7);
    const std::vector<const Line2dFeature*> lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectPoint(lines[0]->GetStartPoint(), 7, 7);
    ExpectPoint(lines[0]->GetEndPoint(), 9, 7);
}

TEST_F(LineCommandTest, CancelDropsTheHalfGivenLineAndARestartBeginsEmpty)
{
    Line2dCommand* pLine = Start();
    Click(1, 2);
    Type(2, 25);
    manager.CancelAllCommands();
    EXPECT_FALSE(manager.HasActiveCommand());
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_FALSE(doc.IsInUndoOperation());

    ASSERT_EQ(Start(), pLine);
    EXPECT_TRUE(AllItemsEmpty());
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 0);

    // Nothing of the line's input outlives the program either.
    Type(2, 25);
    manager.Shutdown();
    CommandManager next;
    next.SetDocument(FakeDocument(docSlot), &doc);
    ASSERT_TRUE(next.ExecuteCommand(kLineID));
    CommandBase* pAgain = next.GetActiveCommand();
    ASSERT_NE(pAgain, nullptr);
    for (int i = 0; i < pAgain->GetParameterCount(); ++i)
        EXPECT_TRUE(pAgain->IsParameterEmpty(i)) << i;
    next.Shutdown();
}

TEST_F(LineCommandTest, StartsOnlyWithADocument)
{
    manager.SetDocument(nullptr, nullptr);
    EXPECT_FALSE(manager.ExecuteCommand(kLineID));
    EXPECT_FALSE(manager.HasActiveCommand());
}

namespace {

class LinePreviewTest : public LineCommandTest
{
protected:
    void SetUp() override
    {
        LineCommandTest::SetUp();
        view = std::make_unique<Draw2dView>(&doc);
        view->SetDrawingID(doc.GetActiveDrawingID());
        view->SetGridVisible(FALSE);
        view->ResizeView(200, 100);
        view->SetScale(1.0);
        view->SetCenterPoint(RuVaPnt2d(100, 50));
        manager.SetActiveDraw2dView(view.get());
        Render();
    }
    void TearDown() override
    {
        manager.SetActiveDraw2dView(nullptr);
        LineCommandTest::TearDown();
        view.reset();
    }

    // A fresh picture of the document, without overlays.
    QImage Render()
    {
        view->UpdateView(0, 1);
        QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        view->DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
        return Frame();
    }
    QImage Frame() const
    {
        const QImage* pFrame = view->GetFrame();
        return pFrame != nullptr ? pFrame->copy() : QImage();
    }
    // The cursor over the view at a point of the active drawing, as the manager tracks it.
    void MoveCursor(const RuVaPnt2d& local)
    {
        RuVaPnt2d world;
        view->ConvertPointLocalToWorld(view->GetActiveDrawingFeature(), nullptr, local, world);
        manager.SetCursorPoints(world, local);
        Running()->DrawPreview(view->ConvertPointWorldToClient(world), world, local, 0);
    }

    std::unique_ptr<Draw2dView> view;
};

}  // namespace

TEST_F(LinePreviewTest, RubberBandIsTheLineThatAClickWouldMake)
{
    const QImage empty = Render();
    ASSERT_FALSE(empty.isNull());
    Line2dCommand* pLine = Start();
    ASSERT_NE(pLine, nullptr);

    // Before the start point, start and end are both the cursor: no line to show.
    MoveCursor(RuVaPnt2d(40.5, 30.5));
    EXPECT_EQ(Frame(), empty);

    // Each way of placing the line, so that the preview cannot take another form than the click.
    struct Case {
        const char* name;
        double length;  // 0: not typed
        double angle;   // NaN: not typed
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"two points", 0, none}, {"typed length", 50, none}, {"typed angle", 0, 30}, {"typed length and angle", 50, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(40.5, 30.5);
        if (c.length > 0)
            Type(2, c.length);
        if (!std::isnan(c.angle))
            Type(3, c.angle);
        // The window repaints after the input, before the next mouse move.
        EXPECT_EQ(Render(), empty);
        const RuVaPnt2d cursor(170.5, 80.5);
        MoveCursor(cursor);
        const QImage preview = Frame();
        ASSERT_FALSE(preview.isNull());
        EXPECT_NE(preview, empty);
        view->RestoreView();

        // The click at the cursor point makes the line; the same line drawn as the rubber band over the
        // picture without it gives the same pixels as the preview.
        Click(cursor.X(), cursor.Y());
        const std::vector<const Line2dFeature*> lines = Lines();
        ASSERT_EQ(lines.size(), 1u);
        std::unique_ptr<Feature2dBase> made(lines[0]->CopyObject());
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Render(), empty);
        ASSERT_TRUE(pLine->DrawRubberbandFeature(made.get()));
        EXPECT_EQ(Frame(), preview);
        view->RestoreView();
    }
}

TEST_F(LineCommandTest, EachResultLeavesTheItemsAsTheFrameworkActsOnIt)
{
    // The start point is (1, 1). Items not given stay empty; result 3 keeps everything given, result 1
    // clears every item and makes the start point current again.
    struct Case {
        const char* name;
        bool start;
        bool end;
        RuVaPnt2d endPoint;
        double length;  // NaN: not given
        double angle;
        int result;
        int current;  // the current parameter afterwards: for result 2 the next empty one after it
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"nothing given", false, false, RuVaPnt2d(5, 5), none, none, CommandBase::resultMissing, 1},
        {"only the start", true, false, RuVaPnt2d(5, 5), none, none, CommandBase::resultMissing, 1},
        {"the start and a typed angle", true, false, RuVaPnt2d(5, 5), none, 30, CommandBase::resultMissing, 1},
        {"the end alone with a typed length", false, true, RuVaPnt2d(5, 5), 4, none, CommandBase::resultMissing, 3},
        {"end on the start", true, true, RuVaPnt2d(1, 1), none, none, CommandBase::resultNothing, 1},
        {"end square to the typed angle", true, true, RuVaPnt2d(1, 5), none, 0, CommandBase::resultNothing, 1},
        {"typed length of zero with an angle", true, true, RuVaPnt2d(5, 5), 0, 45, CommandBase::resultNothing, 1},
        {"two points", true, true, RuVaPnt2d(5, 5), none, none, CommandBase::resultDone, 0},
        {"typed length", true, true, RuVaPnt2d(5, 5), 3, none, CommandBase::resultDone, 0},
        {"typed angle", true, true, RuVaPnt2d(5, 5), none, 90, CommandBase::resultDone, 0},
        {"typed length and angle", true, true, RuVaPnt2d(5, 5), 3, 45, CommandBase::resultDone, 0},
    };
    Line2dCommand* pLine = Start();
    ASSERT_NE(pLine, nullptr);
    auto fill = [&](const Case& c) {
        for (int i = 0; i < pLine->GetParameterCount(); ++i)
            pLine->GetParameterItem(i)->Clear();
        if (c.start)
            static_cast<PointParameterItem*>(pLine->FindItem(0))->SetValue(RuVaPnt2d(1, 1));
        if (c.end)
            static_cast<PointParameterItem*>(pLine->FindItem(1))->SetValue(c.endPoint);
        if (!std::isnan(c.length))
            static_cast<LengthParameterItem*>(pLine->FindItem(2))->SetValue(c.length);
        if (!std::isnan(c.angle))
            static_cast<AngleParameterItem*>(pLine->FindItem(3))->SetValue(c.angle);
        pLine->SetCurrentParameterIndex(c.end ? 1 : 0);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The command's own answer...
        fill(c);
        const long count = doc.GetFeatureCount();
        ASSERT_EQ(pLine->OnInput(-1), c.result);
        if (c.result == CommandBase::resultDone) {
            ASSERT_EQ(doc.GetFeatureCount(), count + 1);
            ASSERT_TRUE(doc.Undo());
        }
        ASSERT_EQ(doc.GetFeatureCount(), count);

        // ...and what the running command is left with once the manager has acted on it.
        fill(c);
        manager.RunActiveCommand(-1, TRUE);
        ASSERT_EQ(Running(), pLine);
        const bool done = c.result == CommandBase::resultDone;
        EXPECT_EQ(doc.GetFeatureCount(), count + (done ? 1 : 0));
        EXPECT_FALSE(doc.IsInUndoOperation());
        const bool given[] = {c.start, c.end, !std::isnan(c.length), !std::isnan(c.angle)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pLine->IsParameterEmpty(i) != FALSE, done || !given[i]) << "item " << i;
        EXPECT_EQ(pLine->GetCurrentParameterIndex(), c.current);
    }
}

TEST_F(LineCommandTest, LinesTakeTheDocumentsCurrentAttributesAtTheirLimits)
{
    // The highest and lowest numbers a document keeps as current; numbers beyond them are refused by the
    // document already, so a line never sees them and keeps the last ones taken.
    struct Case {
        short color, lineType, lineWidth;
        bool taken;
    };
    const Case cases[] = {
        {256, 32766, 15, true}, {0, 0, 0, true}, {-1, 1, -1, true}, {300, 32767, 16, false}, {257, -1, 17, false},
    };
    Start();
    short color = 256, lineType = 32766, lineWidth = 15;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.color << "/" << c.lineType << "/" << c.lineWidth);
        EXPECT_EQ(doc.SetCurrentColorNo(c.color, 0) != FALSE, c.taken);
        EXPECT_EQ(doc.SetCurrentLineTypeNo(c.lineType, 0) != FALSE, c.taken);
        EXPECT_EQ(doc.SetCurrentLineWidthNo(c.lineWidth, 0) != FALSE, c.taken);
        if (c.taken)
            color = c.color, lineType = c.lineType, lineWidth = c.lineWidth;
        Click(0, 0);
        Click(10, 0);
        const std::vector<const Line2dFeature*> lines = Lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back()->GetColorNo(), color);
        EXPECT_EQ(lines.back()->GetLineTypeNo(), lineType);
        EXPECT_EQ(lines.back()->GetLineWidthNo(), lineWidth);
        EXPECT_EQ(lines.back()->GetLayerID(), layer);
    }
    EXPECT_EQ(Lines().size(), std::size(cases));
}
