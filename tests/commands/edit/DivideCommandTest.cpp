// Divide through the manager: a line cut by pitch with the short piece away from the pick, by count, and
// refused counts and pitches with their messages and the document untouched; a circle cut into quarters
// from a start angle; the start asked only for closed shapes; points on a circle; pieces that keep the
// shape's attributes, all in one undo step.

#include <gtest/gtest.h>

#include <algorithm>

#include "EditFixture.h"
#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointArrayParameterItem.h"
#include "commands/edit/Divide2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

class DivideTest : public kctest::EditFixture
{
protected:
    long AddLine()
    {
        Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
        l.SetColorNo(6);
        FeatureAttribute attribute;
        attribute.AddAttribute(_T("Part"), _T("A-1"));
        l.SetAttribute(attribute);
        const long id = Add(l);
        doc.ClearUndoRedoHistory();
        return id;
    }
    BOOL ChooseMethod(WORD id)
    {
        const int index = IndexOf(Divide2dCommand::itemPoints);
        const CommandParameter* pMethod = index >= 0 ? Running()->GetParameter(index) : nullptr;
        for (int k = 0; pMethod != nullptr && k < pMethod->GetItemCount(); ++k) {
            // The chosen method stays from one run to the next.
            if (pMethod->GetItem(k)->GetId() == id)
                return pMethod->GetCurrentIndex() == k || manager.SetParameterAlternative(Running(), index, k);
        }
        return FALSE;
    }
    BOOL GiveCount(int count)
    {
        const int index = IndexOf(Divide2dCommand::itemCount);
        if (index < 0)
            return FALSE;
        IntegerParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(count);
        return manager.SetIntegerParameter(index, value, TRUE);
    }
    BOOL GivePoints(std::initializer_list<RuVaPnt2d> points)
    {
        const int index = IndexOf(Divide2dCommand::itemPoints);
        if (index < 0)
            return FALSE;
        PointArrayParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        KcArrayOfGePnt2d array;
        for (const RuVaPnt2d& p : points)
            array.Add(p);
        value.SetPoints(array);
        value.m_bFinished = TRUE;
        return manager.SetPointArrayParameter(index, value, TRUE);
    }
    // The lengths of the line pieces from left to right.
    std::vector<double> LinePieces() const
    {
        std::vector<std::pair<double, double>> pieces;
        for (long id : LiveIDs()) {
            const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
            if (pLine == nullptr)
                continue;
            pieces.emplace_back(std::min(pLine->GetStartPoint().X(), pLine->GetEndPoint().X()), pLine->GetLength());
            EXPECT_EQ(pLine->GetColorNo(), 6);
            EXPECT_EQ(pLine->GetLayerID(), baseLayer);
            EXPECT_NE(pLine->GetAttribute(), nullptr);
        }
        std::sort(pieces.begin(), pieces.end());
        std::vector<double> lengths;
        for (const auto& piece : pieces)
            lengths.push_back(std::round(piece.second * 1e6) / 1e6);
        return lengths;
    }
};

}  // namespace

TEST_F(DivideTest, PitchLaysWholePiecesFromTheEndNearerThePick)
{
    struct Case {
        double pickX;
        std::vector<double> lengths;
    } cases[] = {{5, {30, 30, 30, 10}}, {95, {10, 30, 30, 30}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pickX);
        for (long id : LiveIDs())
            doc.DeleteFeature(id, 0);
        const long line = AddLine();
        const auto before = Snapshot();
        CommandBase* pDivide = Start(_T("Korvan.Edit.Divide"));
        ASSERT_TRUE(GivePick(Divide2dCommand::itemShape, line, RuVaPnt2d(c.pickX, 0)));
        ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemPitch));
        EXPECT_EQ(IndexOf(Divide2dCommand::itemStartPoint), -1) << "an open line needs no start";
        ASSERT_TRUE(GiveDistance(Divide2dCommand::itemPitch, 30));
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_EQ(doc.GetFeature(line), nullptr);
        EXPECT_EQ(LinePieces(), c.lengths);
        EXPECT_EQ(Running(), pDivide);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
        manager.CancelAllCommands();
        doc.ClearUndoRedoHistory();
    }
}

TEST_F(DivideTest, CountGivesEqualPiecesAndRefusesCountsOutOfRange)
{
    const long line = AddLine();
    const auto before = Snapshot();
    CommandBase* pDivide = Start(_T("Korvan.Edit.Divide"));
    ASSERT_TRUE(GivePick(Divide2dCommand::itemShape, line, RuVaPnt2d(5, 0)));
    ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemCount));
    for (int count : {1, 1001}) {
        SCOPED_TRACE(count);
        GiveCount(count);
        ASSERT_FALSE(boxes.texts.empty());
        EXPECT_EQ(boxes.texts.back(), LoadResourceString(10694));
        EXPECT_EQ(doc.GetUndoCount(), 0);
        EXPECT_TRUE(SameAs(*before, "refused count"));
        EXPECT_EQ(Running(), pDivide);
    }
    ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemPitch));
    GiveDistance(Divide2dCommand::itemPitch, 0.05);
    EXPECT_EQ(boxes.texts.back(), LoadResourceString(10695));
    EXPECT_TRUE(SameAs(*before, "2000 pieces"));
    ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemCount));
    ASSERT_TRUE(GiveCount(3));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const std::vector<double> third(3, std::round(100.0 / 3 * 1e6) / 1e6);
    EXPECT_EQ(LinePieces(), third);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(DivideTest, CircleIntoQuartersFromAStartAngle)
{
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 10));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.Divide"));
    ASSERT_TRUE(GivePick(Divide2dCommand::itemShape, circle, RuVaPnt2d(10, 0)));
    ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemCount));
    ASSERT_GE(IndexOf(Divide2dCommand::itemStartAngle), 0) << "a circle asks where to start";
    ASSERT_TRUE(GiveCount(4));
    EXPECT_EQ(doc.GetUndoCount(), 0) << "waits for the start";
    ASSERT_TRUE(GiveAngle(Divide2dCommand::itemStartAngle, 45));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    std::vector<double> starts;
    for (long id : LiveIDs()) {
        const auto* pArc = dynamic_cast<const Arc2dFeature*>(doc.GetFeature(id));
        ASSERT_NE(pArc, nullptr);
        EXPECT_NEAR(pArc->GetSweepAngle(), 90.0, 1e-6);
        const RuVaPnt2d s = pArc->GetStartPoint();
        starts.push_back(std::round(std::atan2(s.Y(), s.X()) * 180.0 / M_PI + 360.0) - 360.0 * (s.Y() >= 0 ? 1 : 0));
    }
    ASSERT_EQ(starts.size(), 4u);
    std::sort(starts.begin(), starts.end());
    EXPECT_EQ(starts, (std::vector<double>{45, 135, 225, 315}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(DivideTest, TheStartIsAskedOnlyForClosedShapes)
{
    struct Case {
        const char* what;
        bool closed;
        bool startAngle;
        bool startPoint;
    } cases[] = {{"closed spline", true, false, true}, {"open spline", false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const long spline = Add(BSplineCurve2dFeature(
            KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 10), RuVaPnt2d(20, 0), RuVaPnt2d(10, -10)}, 0, 3,
            c.closed ? TRUE : FALSE));
        Start(_T("Korvan.Edit.Divide"));
        ASSERT_TRUE(GivePick(Divide2dCommand::itemShape, spline, RuVaPnt2d(0, 0)));
        ASSERT_TRUE(ChooseMethod(Divide2dCommand::itemCount));
        EXPECT_EQ(IndexOf(Divide2dCommand::itemStartAngle) >= 0, c.startAngle);
        EXPECT_EQ(IndexOf(Divide2dCommand::itemStartPoint) >= 0, c.startPoint);
        // No angle method for a spline.
        EXPECT_EQ(Running()->FindItem(Divide2dCommand::itemAngle), nullptr);
        manager.CancelAllCommands();
    }
}

TEST_F(DivideTest, PointsOnACircle)
{
    const long circle = Add(Circle2dFeature(RuVaPnt2d(0, 0), 10));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pDivide = Start(_T("Korvan.Edit.Divide"));
    ASSERT_TRUE(GivePick(Divide2dCommand::itemShape, circle, RuVaPnt2d(10, 0)));
    GivePoints({RuVaPnt2d(0, 10)});
    EXPECT_TRUE(SameAs(*before, "one point is not enough on a circle"));
    EXPECT_EQ(Running(), pDivide);
    ASSERT_TRUE(GivePoints({RuVaPnt2d(0, 10), RuVaPnt2d(0, -10)}));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_EQ(LiveIDs().size(), 2u);
    for (long id : LiveIDs())
        EXPECT_EQ(doc.GetFeatureType(id), FeatureTypeArc);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}
