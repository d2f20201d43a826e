// The leader and balloon commands over the real manager, document and view: the texts made from picked
// points and shapes with their start points, the rows of every text kind and their return after a restart,
// typed, diameter and chamfer leaders placed by clicks, the text point, the two- and three-point lists, and
// balloons of one and two texts; each placement one undo step on the current layer.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/NumericFormat.h"
#include "command/PointArrayParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/Balloon2dCommand.h"
#include "commands/shape/Lead2dCommand.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureResolver.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;
using kctest::ExpectNear;

namespace {

constexpr UINT kLeadID = 33532;
constexpr UINT kChamferLeadID = 33533;
constexpr UINT kBalloonID = 33542;
using L = Lead2dCommand;

CString Number(double value, int flag = -1)
{
    CString text;
    NumericFormat::DoubleToString(value, text, -1, -1, flag);
    return text;
}

class LeaderTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        NumericFormat::ResetState();
    }
    void ChooseKind(int kind)
    {
        ListParameterItem value;
        value.Copy(*Running()->FindItem(L::itemKind));
        value.SetValue(kind);
        ASSERT_TRUE(manager.SetParameterValue(Running()->FindParameterIndex(L::itemKind), value, TRUE));
    }
    void ChooseTextPosition(int position)
    {
        ListParameterItem value;
        value.Copy(*Running()->FindItem(L::itemTextPosition));
        value.SetValue(position);
        ASSERT_TRUE(manager.SetParameterValue(Running()->FindParameterIndex(L::itemTextPosition), value, TRUE));
    }
    void ChoosePoints(WORD wId)
    {
        const int n = Running()->FindParameterIndex(L::itemTwoPoints);
        ASSERT_GE(n, 0);
        ASSERT_TRUE(manager.SetParameterAlternative(nullptr, n, wId - L::itemTwoPoints));
    }
    void TypeText(const CString& text)
    {
        TextParameterItem value;
        value.Copy(*Running()->FindItem(L::itemText));
        value.SetValue(text);
        ASSERT_TRUE(manager.SetParameterValue(Running()->FindParameterIndex(L::itemText), value, TRUE));
    }
    CString RowText() const
    {
        CString text;
        if (const auto* p = dynamic_cast<const TextParameterItem*>(Running()->FindItem(L::itemText)))
            p->GetValue(text);
        return text;
    }
    std::vector<WORD> Rows(const CommandBase* pCommand) const
    {
        std::vector<WORD> ids;
        for (int i = 0; i < pCommand->GetParameterCount(); ++i)
            ids.push_back(pCommand->GetCurrentItemID(i));
        return ids;
    }
    const Lead2dFeature* LastLead() const
    {
        const auto leads = Shapes<Lead2dFeature>();
        return leads.empty() ? nullptr : leads.back();
    }
    // The shape pieces the renderer draws for a shape.
    static std::vector<std::unique_ptr<Feature2dBase>> Pieces(const Feature2dBase* pShape)
    {
        std::vector<std::unique_ptr<Feature2dBase>> pieces;
        FeatureResolver::ResolveFeature(
            nullptr, pShape,
            [](const DrawingFeatureBase*, const Feature2dBase* p, void* u, void*, const Feature2dBase*) -> int {
                static_cast<std::vector<std::unique_ptr<Feature2dBase>>*>(u)->emplace_back(p->CopyObject());
                return 1;
            },
            &pieces, nullptr, nullptr);
        return pieces;
    }
};

}  // namespace

TEST_F(LeaderTest, CoordinateTextsLineTheirDigitsUp)
{
    struct Case {
        double x, y;
        const char16_t* xPad;
        const char16_t* yPad;
    };
    const Case cases[] = {{-5, 3, u"", u" "}, {5, -3, u" ", u""}, {-5, -3, u"", u""}, {5, 3, u"", u""}};
    for (const Case& c : cases) {
        CString text;
        ASSERT_TRUE(L::MakeCoordinateText(RuVaPnt2d(c.x, c.y), L::kindXY, -1, text));
        EXPECT_EQ(text, _T("X = ") + CString(c.xPad) + Number(c.x) + _T("\r\nY = ") + CString(c.yPad) + Number(c.y))
            << c.x << ", " << c.y;
    }
    CString text = _T("kept");
    ASSERT_TRUE(L::MakeCoordinateText(RuVaPnt2d(-5, 3), L::kindX, 1, text));
    EXPECT_EQ(text, _T("X = ") + Number(-5, 1));
    ASSERT_TRUE(L::MakeCoordinateText(RuVaPnt2d(-5, 3), L::kindY, 0, text));
    EXPECT_EQ(text, _T("Y = ") + Number(3, 0));
    text = _T("kept");
    EXPECT_FALSE(L::MakeCoordinateText(RuVaPnt2d(1, 2), L::kindLength, -1, text));
    EXPECT_EQ(text, _T("kept"));
}

TEST_F(LeaderTest, ShapeTextsAndStartPoints)
{
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 4.0, 0.0, 90.0);
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(5, 5));
    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    struct Case {
        const char* name;
        const Feature2dBase* shape;
        RuVaPnt2d pick;
        int kind;
        BOOL ok;
        CString text;
    };
    const Case cases[] = {
        {"diameter of a circle", &circle, RuVaPnt2d(5, 0), L::kindDiameter, TRUE, CString(u"\u03C6") + Number(10)},
        {"radius of an arc", &arc, RuVaPnt2d(0, 4), L::kindRadius, TRUE, _T("R") + Number(4)},
        {"diameter of a line", &line, RuVaPnt2d(1, 1), L::kindDiameter, FALSE, CString()},
        {"length of a line", &line, RuVaPnt2d(1, 1), L::kindLength, TRUE, Number(std::sqrt(50.0))},
        {"angle of the polyline side nearest the pick", &poly, RuVaPnt2d(10, 6), L::kindAngle, TRUE,
         Number(90) + _T("\u00B0")},
        {"angle of a circle", &circle, RuVaPnt2d(5, 0), L::kindAngle, FALSE, CString()},
        {"chamfer note of a line of 7.0710678", &line, RuVaPnt2d(1, 1), L::kindChamfer, TRUE,
         _T("C") + Number(5)},
        {"chamfer note of the nearest polyline side", &poly, RuVaPnt2d(3, 0.1), L::kindChamfer, TRUE,
         _T("C") + Number(10 / std::sqrt(2.0))},
        {"chamfer note of a circle", &circle, RuVaPnt2d(5, 0), L::kindChamfer, FALSE, CString()},
    };
    for (const Case& c : cases) {
        CString text;
        EXPECT_EQ(L::MakeShapeText(c.shape, c.pick, c.kind, -1, text), c.ok) << c.name;
        if (c.ok)
            EXPECT_EQ(text, c.text) << c.name;
    }
    ASSERT_NEAR(L::GetNearestSegmentLength(&poly, RuVaPnt2d(10, 6)), 10.0, 1e-9);
    EXPECT_EQ(L::GetNearestSegmentLength(&line, RuVaPnt2d(1, 1)), 0.0);

    RuVaPnt2d start;
    ASSERT_TRUE(L::GetStartPointOnShape(&circle, RuVaPnt2d(0, 8), start));
    ExpectNear(start, RuVaPnt2d(0, 5), 1e-9);  // the nearest point, not a middle
    ASSERT_TRUE(L::GetStartPointOnShape(&arc, RuVaPnt2d(4, 0), start));
    ExpectNear(start, RuVaPnt2d(4 * std::cos(M_PI / 4), 4 * std::sin(M_PI / 4)), 1e-9);
    ASSERT_TRUE(L::GetStartPointOnShape(&poly, RuVaPnt2d(9, 7), start));
    ExpectNear(start, RuVaPnt2d(10, 5), 1e-9);
    ASSERT_TRUE(L::GetStartPointOnShape(&line, RuVaPnt2d(0, 0), start));
    ExpectNear(start, RuVaPnt2d(2.5, 2.5), 1e-9);
}

TEST_F(LeaderTest, TheRowsFollowTheTextKindAndComeBackAfterARestart)
{
    const WORD P3 = L::itemTwoPoints;
    const std::vector<WORD> orders[] = {
        {L::itemKind, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemPoint, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemPoint, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemPoint, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemShape, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemShape, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemShape, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, L::itemShape, L::itemFormat, L::itemText, L::itemTextPosition, P3},
        {L::itemKind, P3},
    };
    Start(kLeadID);
    EXPECT_EQ(Rows(Running()), orders[0]);
    // Each kind from each kind: the rows are those of the new kind.
    for (int from : {8, 1, 6, 0}) {
        for (int kind = 0; kind <= 8; ++kind) {
            ChooseKind(from);
            ChooseKind(kind);
            EXPECT_EQ(Rows(Running()), orders[kind]) << "from " << from << " to " << kind;
        }
    }
    // The picked shape takes what the kind measures: circles for the radius, lines again for a length.
    ChooseKind(6);
    EXPECT_EQ(static_cast<FeatureParameterItem*>(Running()->FindItem(L::itemShape))->m_dwAcceptedKinds,
              L::kCircleKinds);
    ChooseKind(4);
    EXPECT_EQ(static_cast<FeatureParameterItem*>(Running()->FindItem(L::itemShape))->m_dwAcceptedKinds,
              L::kCurveKinds);

    // A text point of its own comes after the leader points; back at the end it goes.
    ChooseTextPosition(1);
    EXPECT_EQ(Rows(Running()).back(), L::itemTextPoint);
    ChooseTextPosition(0);
    EXPECT_EQ(Rows(Running()).back(), P3);

    // Kind 5 and a text point survive a restart.
    RegistryManager registry(HKEY_CURRENT_USER);
    registry.WriteProfileInt(_T("Version"), _T("Major"), 4);
    registry.WriteProfileInt(_T("Version"), _T("Minor"), 21);
    ChooseKind(5);
    ChooseTextPosition(1);
    manager.CancelAllCommands();
    manager.Shutdown();
    {
        CommandManager next;
        next.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
        next.SetActiveDraw2dView(&view);
        ASSERT_TRUE(next.ExecuteCommand(kLeadID));
        std::vector<WORD> expected = orders[5];
        expected.push_back(L::itemTextPoint);
        EXPECT_EQ(Rows(next.GetActiveCommand()), expected);
        next.CancelAllCommands();
        next.SetActiveDraw2dView(nullptr);
        next.Shutdown();
    }
    // A stored kind outside the list is restored as the default.
    registry.WriteProfileInt(_T("CommandParameter\\Korvan.Shape.Lead\\Parameter"), _T("0"), 42);
    CommandManager last;
    last.SetDocument(reinterpret_cast<CQZ2Doc*>(&slot), &doc);
    last.SetActiveDraw2dView(&view);
    ASSERT_TRUE(last.ExecuteCommand(kLeadID));
    EXPECT_EQ(Rows(last.GetActiveCommand()).size(), orders[0].size() + 1);
    last.CancelAllCommands();
    last.SetActiveDraw2dView(nullptr);
    last.Shutdown();
}

TEST_F(LeaderTest, TypedTextLeadersOfTwoThreeAndAnyPoints)
{
    Start(kLeadID);
    TypeText(_T("NOTE"));
    Click(P(0, 0));
    EXPECT_TRUE(Shapes<Lead2dFeature>().empty());
    const QImage preview = PreviewAt(P(2, 1));
    EXPECT_NE(preview, Render()) << "no preview through the cursor";
    Click(P(2, 1));
    const Lead2dFeature* pLead = LastLead();
    ASSERT_NE(pLead, nullptr);
    EXPECT_EQ(pLead->GetText(), _T("NOTE"));
    EXPECT_EQ(pLead->GetPointSize(), 2);
    EXPECT_EQ(pLead->GetLayerID(), layer);
    EXPECT_EQ(pLead->GetArrowType(), doc.GetLeadSetting()->GetType());
    EXPECT_EQ(doc.GetUndoCount(), 1);
    // The text is asked again; the command stays.
    EXPECT_TRUE(Running()->IsParameterEmpty(Running()->FindParameterIndex(L::itemText)));

    ChoosePoints(L::itemThreePoints);
    TypeText(_T("BEND"));
    Click(P(-3, 0));
    Click(P(-3, 2));
    EXPECT_EQ(Shapes<Lead2dFeature>().size(), 1u);
    Click(P(-1, 2));
    ASSERT_EQ(Shapes<Lead2dFeature>().size(), 2u);
    EXPECT_EQ(LastLead()->GetPointSize(), 3);

    // Any number of points, only once the list is ended; the text at a point of its own.
    ChoosePoints(L::itemPoints);
    ChooseTextPosition(1);
    TypeText(_T("FREE"));
    for (const RuVaPnt2d& p : {P(0, -3), P(1, -2), P(2, -2), P(3, -1)})
        Click(p);
    EXPECT_EQ(Shapes<Lead2dFeature>().size(), 2u);
    ASSERT_TRUE(manager.FinishListInput());
    EXPECT_EQ(Shapes<Lead2dFeature>().size(), 2u) << "placed before its text point";
    Click(P(4, 0));
    ASSERT_EQ(Shapes<Lead2dFeature>().size(), 3u);
    EXPECT_EQ(LastLead()->GetPointSize(), 4);
    EXPECT_TRUE(LastLead()->IsTextPointFree());
    ExpectNear(LastLead()->GetTextPoint(), Landed(P(4, 0)), 1e-6);
    EXPECT_EQ(doc.GetUndoCount(), 3);

    // Kind 8: no text rows, a leader without text.
    ChooseKind(8);
    ChoosePoints(L::itemTwoPoints);
    Click(P(-4, -3));
    Click(P(-2, -3));
    ASSERT_EQ(Shapes<Lead2dFeature>().size(), 4u);
    EXPECT_TRUE(LastLead()->GetText().IsEmpty());
}

TEST_F(LeaderTest, ADiameterLeaderStartsOnThePickedCircle)
{
    const RuVaPnt2d centre = P(0, 0);
    Add(Circle2dFeature(centre, 2 * u));
    doc.ClearUndoRedoHistory();
    Start(kLeadID);
    ChooseKind(L::kindDiameter);
    ASSERT_EQ(Running()->GetCurrentParameterIndex(), Running()->FindParameterIndex(L::itemShape));
    // A click off every circle picks nothing; the text stays empty.
    Click(P(4, 4));
    EXPECT_TRUE(RowText().IsEmpty());
    Click(P(2, 0));
    EXPECT_EQ(RowText(), CString(u"\u03C6") + Number(4 * u, 1));
    // The format row changed: the same pick, the text made again.
    ListParameterItem format;
    format.Copy(*Running()->FindItem(L::itemFormat));
    format.SetValue(1);
    ASSERT_TRUE(manager.SetParameterValue(Running()->FindParameterIndex(L::itemFormat), format, TRUE));
    EXPECT_EQ(RowText(), CString(u"\u03C6") + Number(4 * u, 0));

    // The leader's first point is already there: one more click places it.
    auto* pPoints = dynamic_cast<PointArrayParameterItem*>(Running()->FindItem(L::itemTwoPoints));
    ASSERT_NE(pPoints, nullptr);
    ASSERT_EQ(pPoints->GetCount(), 1);
    EXPECT_NEAR(pPoints->m_points[0].Distance(centre), 2 * u, 1e-6);
    Click(P(4, 2));
    const Lead2dFeature* pLead = LastLead();
    ASSERT_NE(pLead, nullptr);
    EXPECT_EQ(pLead->GetText(), CString(u"\u03C6") + Number(4 * u, 0));
    EXPECT_NEAR(pLead->GetPoint(0).Distance(centre), 2 * u, 1e-6);
    EXPECT_EQ(doc.GetUndoCount(), 1);
}

TEST_F(LeaderTest, AChamferLeaderStartsAtTheMiddleOfTheLine)
{
    const RuVaPnt2d a = P(0, 0), b = P(2, 2);
    Add(Line2dFeature(a, b));
    doc.ClearUndoRedoHistory();
    Start(kChamferLeadID);
    EXPECT_EQ(Rows(Running()),
              (std::vector<WORD>{L::itemShape, L::itemFormat, L::itemText, L::itemTextPosition, L::itemTwoPoints}));
    Click(P(1, 1));
    EXPECT_EQ(RowText(), _T("C") + Number(a.Distance(b) / std::sqrt(2.0)));
    Click(P(3, 1));
    const Lead2dFeature* pLead = LastLead();
    ASSERT_NE(pLead, nullptr);
    ExpectNear(pLead->GetPoint(0), a.CenterPoint(b), 1e-6);
    EXPECT_EQ(pLead->GetText(), _T("C") + Number(a.Distance(b) / std::sqrt(2.0)));
}

TEST_F(LeaderTest, ATwoLineLeaderTextDrawsNoStrayCharacter)
{
    // Large letters, leftwards: the text is right-aligned to the last point, where a drawn CR would shift
    // the first line.
    LeadSetting style;
    style.Copy(*doc.GetLeadSetting());
    ASSERT_TRUE(style.ScaleSize(u / style.GetTextFont().GetHeight()));
    KcArrayOfGePnt2d points{P(3, -2), P(-1, 1)};
    std::unique_ptr<Lead2dFeature> lead(
        FeatureCreator::CreateLeadFeature(nullptr, _T("X = 1\r\nY = 2"), points, 0, points[1], &style));
    ASSERT_NE(lead, nullptr);
    const long id = Add(*lead);
    const QImage crlf = Render();
    doc.BeginUndoOperation(nullptr);
    doc.DeleteFeature(id, 1);
    doc.EndUndoOperation();
    std::unique_ptr<Lead2dFeature> plain(
        FeatureCreator::CreateLeadFeature(nullptr, _T("X = 1\nY = 2"), points, 0, points[1], &style));
    Add(*plain);
    EXPECT_TRUE(Render() == crlf);
}

// --- balloons -----------------------------------------------------------------------------------

TEST_F(LeaderTest, BalloonsOfOneAndOfTwoTexts)
{
    Start(kBalloonID);
    auto typeInto = [this](WORD wId, const CString& text) {
        TextParameterItem value;
        value.Copy(*Running()->FindItem(wId));
        value.SetValue(text);
        ASSERT_TRUE(manager.SetParameterValue(Running()->FindParameterIndex(wId), value, TRUE));
    };
    typeInto(Balloon2dCommand::itemText, _T("12"));
    Click(P(0, 0));
    Click(P(2, 2));
    EXPECT_TRUE(Shapes<Balloon2dFeature>().empty()) << "placed before the list was ended";
    ASSERT_TRUE(manager.FinishListInput());
    auto balloons = Shapes<Balloon2dFeature>();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0]->GetText(), _T("12"));
    EXPECT_EQ(balloons[0]->GetLayerID(), layer);
    EXPECT_EQ(doc.GetUndoCount(), 1);

    // The upper text brings the lower text row right after it; the single text takes it away again.
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 1));
    ASSERT_EQ(Running()->GetParameterCount(), 3);
    EXPECT_EQ(Running()->GetCurrentItemID(1), Balloon2dCommand::itemLowerText);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 0));
    EXPECT_EQ(Running()->GetParameterCount(), 2);
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 0, 1));

    typeInto(Balloon2dCommand::itemUpperText, _T("A"));
    typeInto(Balloon2dCommand::itemLowerText, _T("B"));
    ASSERT_TRUE(manager.SetParameterAlternative(nullptr, 2, 1));  // at a single point
    EXPECT_NE(PreviewAt(P(-3, 0)), Render());
    Click(P(-3, 0));
    balloons = Shapes<Balloon2dFeature>();
    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_EQ(balloons[1]->GetText(), _T("A\\|B"));
    ExpectNear(balloons[1]->GetCenterPoint(), Landed(P(-3, 0)), 1e-6);
    EXPECT_EQ(doc.GetUndoCount(), 2);

    // Drawn divided: a line across the balloon, the two parts as texts of their own.
    int texts = 0;
    for (const auto& piece : Pieces(balloons[1])) {
        if (const auto* t = dynamic_cast<const Text2dFeature*>(piece.get())) {
            ++texts;
            EXPECT_EQ(t->GetText().Find(_T("\\|")), -1) << "the divider drawn as text";
        }
    }
    EXPECT_EQ(texts, 2);
    EXPECT_EQ(Balloon2dCommand::JoinParts(_T("A"), CString()), _T("A\\|"));
    EXPECT_TRUE(Balloon2dCommand::JoinParts(CString(), CString()).IsEmpty());
}

TEST_F(LeaderTest, ATwoPartBalloonIsDrawnDividedOnScreen)
{
    BalloonSetting style;
    style.Copy(*doc.GetBalloonSetting());
    ASSERT_TRUE(style.ScaleSize(3 * u / style.GetSize()));
    const RuVaPnt2d centre = P(0, 0);
    std::unique_ptr<Balloon2dFeature> balloon(
        FeatureCreator::CreateBalloonFeature(nullptr, _T("1\\|2"), KcArrayOfGePnt2d{P(-4, -3), centre}, &style));
    ASSERT_NE(balloon, nullptr);
    ASSERT_EQ(balloon->GetBalloonType(), 0) << "a round balloon is expected";
    Add(*balloon);
    const QImage picture = Render();
    // A line across the balloon through its centre: dark pixels along most of the centre row.
    const CPoint c = C(centre);
    int dark = 0, span = 0;
    for (int x = c.x - 50; x <= c.x + 50; ++x, ++span)
        if (qGray(picture.pixel(x, c.y)) < 160 || qGray(picture.pixel(x, c.y + 1)) < 160 ||
            qGray(picture.pixel(x, c.y - 1)) < 160)
            ++dark;
    EXPECT_GT(dark, span * 9 / 10);
}
