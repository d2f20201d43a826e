// The common tangent of two picked curves over the real manager, document and view: the tangent the
// picks choose between an ellipse and a circle, one undo step, the same curve twice and nested curves
// refused with their reasons, a straight line not pickable, and the preview equal to the line a click makes.

#include <gtest/gtest.h>

#include "command/FeatureParameterItem.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "commands/shape/Tangent2Line2dCommand.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kTangent2ID = 33419;

class Tangent2Test : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        ellipse = Add(Ellipse2dFeature(P(-2.5, 0), 1.5 * u, 0.75 * u, 0.0));
        circle = Add(Circle2dFeature(P(2.5, 0), 0.75 * u));
        doc.ClearUndoRedoHistory();
    }
    const Line2dFeature* LastLine() const
    {
        const auto lines = Shapes<Line2dFeature>();
        return lines.empty() ? nullptr : lines.back();
    }
    long ellipse = -1;
    long circle = -1;
};

}  // namespace

TEST_F(Tangent2Test, ThePicksChooseTheTangentOfAnEllipseAndACircle)
{
    struct Case {
        const char* name;
        double first, second;  // which side each curve is picked on (+1 above, -1 below)
    };
    Start(kTangent2ID);
    ASSERT_NE(dynamic_cast<Tangent2Line2dCommand*>(Running()), nullptr);
    int made = 0;
    for (const Case& c : {Case{"outer above", 1, 1}, Case{"outer below", -1, -1}, Case{"crossing down", 1, -1},
                          Case{"crossing up", -1, 1}}) {
        SCOPED_TRACE(c.name);
        Click(P(-2.5, 0.75 * c.first));
        Click(P(2.5, 0.75 * c.second));
        ASSERT_EQ(doc.GetUndoCount(), ++made);
        const Line2dFeature* pLine = LastLine();
        ASSERT_NE(pLine, nullptr);
        const RuVaPnt2d o = P(0, 0);
        EXPECT_GT((pLine->GetStartPoint().Y() - o.Y()) * c.first, 0.0);
        EXPECT_GT((pLine->GetEndPoint().Y() - o.Y()) * c.second, 0.0);
        if (c.first == c.second) {
            // The outer tangents run level: both curves reach 0.75 above and below their centres.
            EXPECT_NEAR(pLine->GetStartPoint().Y(), pLine->GetEndPoint().Y(), 1e-6 * u);
        }
        ExpectCurrentAttributes(pLine);
        EXPECT_TRUE(Running()->IsParameterEmpty(0));
        EXPECT_TRUE(Running()->IsParameterEmpty(1));
    }
}

TEST_F(Tangent2Test, TheSameCurveTwiceOrNestedCurvesMakeNothingAndALineCannotBePicked)
{
    const long inner = Add(Circle2dFeature(P(-2.5, 0), 0.25 * u));
    Start(kTangent2ID);
    CommandBase* pCommand = Running();
    const auto* pFirst = static_cast<const FeatureParameterItem*>(pCommand->GetParameterItem(0));
    EXPECT_EQ(pFirst->m_dwAcceptedKinds, 0x01800078u);
    EXPECT_FALSE(pFirst->IsAcceptedFeature(2));
    struct Case {
        const char* name;
        long second;
        UINT message;
    };
    for (const Case& c : {Case{"the same ellipse twice", ellipse, kMsgSameCurve},
                          Case{"a circle inside the ellipse", inner, kMsgNoCommonTangent}}) {
        SCOPED_TRACE(c.name);
        static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0))->SetValue(FeatureLayout(ellipse, -1, -1), P(-2.5, 0.75));
        static_cast<FeatureParameterItem*>(pCommand->GetParameterItem(1))->SetValue(FeatureLayout(c.second, -1, -1), P(-2.5, -0.75));
        const int undo = doc.GetUndoCount();
        Messages().clear();
        EXPECT_EQ(pCommand->OnInput(-1), CommandBase::resultNothing);
        EXPECT_EQ(doc.GetUndoCount(), undo);
        EXPECT_EQ(LastLine(), nullptr);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], Text(c.message));
    }
}

TEST_F(Tangent2Test, PreviewIsTheLineAClickMakes)
{
    Start(kTangent2ID);
    // Both curves under the cursor in turn: the first picked, the second standing in from the cursor.
    Click(P(-2.5, 0.75));
    manager.OnMouseMove(0, C(P(2.5, -0.75)));
    const QImage before = Render();
    const QImage preview = PreviewAt(P(2.5, -0.75));
    EXPECT_NE(preview, before);
    Click(P(2.5, -0.75));
    const Line2dFeature* pLine = LastLine();
    ASSERT_NE(pLine, nullptr);
    // The picture with the line, drawn over the first curve still highlighted as it was while previewing.
    Line2dFeature copy(*pLine);
    ASSERT_TRUE(doc.Undo());
    Click(P(-2.5, 0.75));
    Add(copy);
    EXPECT_TRUE(Render() == preview);
}
