// Fillet and chamfer through the manager: picked lines rounded or bevelled with the shared attributes, a
// picked polyline replaced by its segments, whole polylines and corner points, each run one undo step that
// gives the document back exactly; values that fit no corner told in the status bar with the document
// untouched; the parameters that follow the chosen alternative and chamfer type; the preview under the
// cursor; and the two-pick pre-selection.

#include <gtest/gtest.h>

#include <QImage>

#include "EditFixture.h"
#include "command/CommandParameter.h"
#include "command/LoadResourceString.h"
#include "commands/edit/Chamfer2dCommand.h"
#include "commands/edit/Fillet2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/gdi/CDC.h"

using namespace QZ2Command;

namespace {

class FilletChamferTest : public kctest::EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        view.SetGridVisible(FALSE);
    }
    // A horizontal line and an upright one crossing at P(0, 0).
    void AddCross(short color1 = 6, short color2 = 6)
    {
        Line2dFeature h(P(-4, 0), P(2, 0));
        h.SetColorNo(color1);
        Line2dFeature v(P(0, -2), P(0, 4));
        v.SetColorNo(color2);
        horizontal = Add(h);
        upright = Add(v);
        doc.ClearUndoRedoHistory();
    }
    long AddPolyline(std::initializer_list<RuVaPnt2d> points)
    {
        KcArrayOfGePnt2d array;
        for (const RuVaPnt2d& p : points)
            array.Add(p);
        const long id = Add(Polyline2dFeature(array));
        doc.ClearUndoRedoHistory();
        return id;
    }
    // The line's ends, in either order, are a and b.
    void ExpectLine(long id, const RuVaPnt2d& a, const RuVaPnt2d& b, const char* what) const
    {
        SCOPED_TRACE(what);
        const auto* pLine = dynamic_cast<const Line2dFeature*>(doc.GetFeature(id));
        ASSERT_NE(pLine, nullptr);
        const bool forward = pLine->GetStartPoint().Distance(a) < 1e-6 && pLine->GetEndPoint().Distance(b) < 1e-6;
        const bool backward = pLine->GetStartPoint().Distance(b) < 1e-6 && pLine->GetEndPoint().Distance(a) < 1e-6;
        EXPECT_TRUE(forward || backward) << pLine->GetStartPoint().X() << "," << pLine->GetStartPoint().Y() << " "
                                         << pLine->GetEndPoint().X() << "," << pLine->GetEndPoint().Y();
    }
    int CountOf(int type) const
    {
        int n = 0;
        for (long id : LiveIDs())
            n += doc.GetFeatureType(id) == type ? 1 : 0;
        return n;
    }
    void SwitchFirstParameter(int alternative)
    {
        ASSERT_TRUE(manager.SetParameterAlternative(Running(), 0, alternative));
    }
    // The refusal leaves everything as it was and the command waiting.
    void ExpectRefused(const Draw2dDocument& before, CommandBase* pCommand, UINT message, const char* what)
    {
        SCOPED_TRACE(what);
        ASSERT_FALSE(statusTexts().empty());
        EXPECT_EQ(statusTexts().back(), LoadResourceString(message));
        EXPECT_EQ(doc.GetUndoCount(), 0);
        EXPECT_TRUE(SameAs(before, what));
        EXPECT_EQ(Running(), pCommand);
    }
    QImage Render()
    {
        view.UpdateView(0, 1);
        QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
        CDC dc;
        dc.CreateFromPaintDevice(&image);
        view.DrawView(dc.GetSafeHdc());
        dc.DeleteDC();
        return Frame();
    }
    QImage Frame() const
    {
        const QImage* pFrame = view.GetFrame();
        return pFrame != nullptr ? pFrame->copy() : QImage();
    }
    void MoveCursor(const RuVaPnt2d& world)
    {
        view.RestoreView();
        manager.SetCursorPoints(world, world);
        Running()->DrawPreview(view.ConvertPointWorldToClient(world), world, world, 0);
    }

    long horizontal = -1;
    long upright = -1;
};

}  // namespace

struct AttributeCase {
    const char* what;
    short color2;
    short expectedColor;
};

class FilletAttributeTest : public FilletChamferTest, public ::testing::WithParamInterface<AttributeCase>
{
};

TEST_P(FilletAttributeTest, FilletRoundsTwoPickedLinesWithTheAttributesTheyShare)
{
    const AttributeCase& c = GetParam();
    ASSERT_TRUE(doc.SetCurrentColorNo(3, 0));
    AddCross(6, c.color2);
    const auto before = Snapshot();
    CommandBase* pFillet = Start(_T("Korvan.Edit.Fillet"));
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, u));
    ASSERT_TRUE(GivePick(Fillet2dCommand::itemFirstShape, horizontal, P(-3, 0)));
    ASSERT_TRUE(GivePick(Fillet2dCommand::itemSecondShape, upright, P(0, 3)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ExpectLine(horizontal, P(-4, 0), P(-1, 0), "horizontal cut back to the arc");
    ExpectLine(upright, P(0, 1), P(0, 4), "upright cut back to the arc");
    const auto* pArc = dynamic_cast<const Arc2dFeature*>(doc.GetFeature(LiveIDs().back()));
    ASSERT_NE(pArc, nullptr);
    EXPECT_NEAR(pArc->GetRadius(), u, 1e-7);
    EXPECT_LT(pArc->GetCenterPoint().Distance(P(-1, 1)), 1e-6);
    EXPECT_EQ(pArc->GetColorNo(), c.expectedColor);
    EXPECT_EQ(pArc->GetLayerID(), baseLayer);
    // Ready for the next pair with the radius kept.
    EXPECT_EQ(Running(), pFillet);
    EXPECT_TRUE(pFillet->IsParameterEmpty(IndexOf(Fillet2dCommand::itemFirstShape)));
    EXPECT_FALSE(pFillet->IsParameterEmpty(IndexOf(Fillet2dCommand::itemRadius)));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

INSTANTIATE_TEST_SUITE_P(Colours, FilletAttributeTest,
                         ::testing::Values(AttributeCase{"same colour", 6, 6},
                                           AttributeCase{"different colours: the current one", 2, 3}));

TEST_F(FilletChamferTest, FilletOfALineAndAPolylineSegmentIsOneStep)
{
    const long line = Add(Line2dFeature(P(-4, 0), P(2, 0)));
    const long polyline = AddPolyline({P(0, -2), P(0, 4), P(3, 4)});
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.Fillet"));
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, u));
    ASSERT_TRUE(GivePick(Fillet2dCommand::itemFirstShape, line, P(-3, 0)));
    ASSERT_TRUE(GivePick(Fillet2dCommand::itemSecondShape, polyline, P(0, 3)));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(polyline), nullptr);
    EXPECT_EQ(CountOf(FeatureTypeLine), 3);
    EXPECT_EQ(CountOf(FeatureTypeArc), 1);
    ExpectLine(line, P(-4, 0), P(-1, 0), "line cut back");
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

TEST_F(FilletChamferTest, FilletPolylinesRoundsEveryCornerOfAClosedRectangle)
{
    const long rectangle = AddPolyline({P(0, 0), P(4, 0), P(4, 3), P(0, 3), P(0, 0)});
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.Fillet"));
    SwitchFirstParameter(1);
    EXPECT_EQ(IndexOf(Fillet2dCommand::itemSecondShape), -1);
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, u / 2));
    ASSERT_TRUE(GiveShapes(Fillet2dCommand::itemPolylines, {rectangle}));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(doc.GetFeature(rectangle), nullptr);
    EXPECT_EQ(CountOf(FeatureTypeLine), 4);
    EXPECT_EQ(CountOf(FeatureTypeArc), 4);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

struct CornerCase {
    const char* what;
    bool polyline;
    double x, y;
    bool made;
};

class FilletCornerTest : public FilletChamferTest, public ::testing::WithParamInterface<CornerCase>
{
};

TEST_P(FilletCornerTest, FilletAtACornerPoint)
{
    const CornerCase& c = GetParam();
    if (c.polyline) {
        AddPolyline({P(0, 0), P(4, 0), P(4, 3)});
    } else {
        Add(Line2dFeature(P(0, 0), P(4, 0)));
        Add(Line2dFeature(P(4, 0), P(4, 3)));
        doc.ClearUndoRedoHistory();
    }
    const auto before = Snapshot();
    CommandBase* pFillet = Start(_T("Korvan.Edit.Fillet"));
    SwitchFirstParameter(2);
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, u));
    const BOOL bRan = GivePoint(Fillet2dCommand::itemCornerPoint, P(c.x, c.y));
    if (c.made) {
        EXPECT_TRUE(bRan);
        EXPECT_EQ(doc.GetUndoCount(), 1);
        EXPECT_EQ(CountOf(FeatureTypeLine), 2);
        EXPECT_EQ(CountOf(FeatureTypeArc), 1);
        EXPECT_EQ(CountOf(FeatureTypePolyline), 0);
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(SameAs(*before, "after undo"));
    } else {
        ExpectRefused(*before, pFillet, 11178, c.what);
    }
}

INSTANTIATE_TEST_SUITE_P(Points, FilletCornerTest,
                         ::testing::Values(CornerCase{"polyline vertex", true, 4, 0, true},
                                           CornerCase{"polyline end point", true, 4, 3, false},
                                           CornerCase{"two lines meeting end to end", false, 4, 0, true},
                                           CornerCase{"a point where nothing ends", false, 2, 0, false}));

struct RefusalCase {
    const char* what;
    double radius;
    bool parallel;
    bool polylines;
};

class FilletRefusalTest : public FilletChamferTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(FilletRefusalTest, AFilletThatDoesNotFitIsToldAndChangesNothing)
{
    const RefusalCase& c = GetParam();
    long a = -1;
    long b = -1;
    long polyline = -1;
    if (c.polylines) {
        polyline = AddPolyline({P(0, 0), P(2, 0), P(2, 2)});
    } else if (c.parallel) {
        a = Add(Line2dFeature(P(0, 0), P(4, 0)));
        b = Add(Line2dFeature(P(0, 3), P(4, 3)));
    } else {
        a = Add(Line2dFeature(P(-2, 0), P(0, 0)));
        b = Add(Line2dFeature(P(0, 0), P(0, 2)));
    }
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pFillet = Start(_T("Korvan.Edit.Fillet"));
    if (c.polylines)
        SwitchFirstParameter(1);
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, c.radius * u));
    if (c.polylines) {
        GiveShapes(Fillet2dCommand::itemPolylines, {polyline});
    } else {
        ASSERT_TRUE(GivePick(Fillet2dCommand::itemFirstShape, a, P(-1, 0)));
        GivePick(Fillet2dCommand::itemSecondShape, b, c.parallel ? P(1, 3) : P(0, 1));
    }
    ExpectRefused(*before, pFillet, 11178, c.what);
    // The radius stays for another try.
    EXPECT_FALSE(pFillet->IsParameterEmpty(IndexOf(Fillet2dCommand::itemRadius)));
}

INSTANTIATE_TEST_SUITE_P(Values, FilletRefusalTest,
                         ::testing::Values(RefusalCase{"radius larger than the lines allow", 10, false, false},
                                           RefusalCase{"parallel lines never meet", 0.5, true, false},
                                           RefusalCase{"polyline whose corners all refuse the radius", 10, false, true}));

TEST_F(FilletChamferTest, TheSecondShapeIsAskedOnlyForPickedShapes)
{
    for (LPCTSTR identifier : {_T("Korvan.Edit.Fillet"), _T("Korvan.Edit.Chamfer")}) {
        SCOPED_TRACE(kctest::Narrow(identifier));
        Start(identifier);
        const int count = Running()->GetParameterCount();
        SwitchFirstParameter(1);
        EXPECT_EQ(Running()->GetParameterCount(), count - 1);
        SwitchFirstParameter(2);
        EXPECT_EQ(Running()->GetParameterCount(), count - 1) << "no second shape between the other forms";
        SwitchFirstParameter(0);
        ASSERT_EQ(Running()->GetParameterCount(), count);
        const auto* pSecond = dynamic_cast<const FeatureParameterItem*>(Running()->GetParameterItem(1));
        ASSERT_NE(pSecond, nullptr);
        EXPECT_EQ(pSecond->GetId(), 1);
        // The chamfer's second shape takes lines and polylines only; arcs never.
        EXPECT_EQ(pSecond->IsAcceptedFeature(FeatureTypeArc), identifier == CString(_T("Korvan.Edit.Fillet")));
        EXPECT_TRUE(pSecond->IsAcceptedFeature(FeatureTypeLine));
        manager.CancelAllCommands();
    }
}

struct ChamferCase {
    const char* what;
    int type;
    bool uprightFirst;
    double horizontalEndX;
    double uprightEndY;
};

class ChamferDistanceTest : public FilletChamferTest, public ::testing::WithParamInterface<ChamferCase>
{
};

TEST_P(ChamferDistanceTest, ChamferByOneAndByTwoDistances)
{
    const ChamferCase& c = GetParam();
    AddCross();
    const auto before = Snapshot();
    CommandBase* pChamfer = Start(_T("Korvan.Edit.Chamfer"));
    ASSERT_TRUE(GiveChoice(Chamfer2dCommand::itemType, c.type));
    ASSERT_TRUE(GiveDistance(Chamfer2dCommand::itemLength1, u));
    if (c.type == Chamfer2dCommand::typeTwoDistances)
        ASSERT_TRUE(GiveDistance(Chamfer2dCommand::itemLength2, 2 * u));
    if (c.uprightFirst) {
        ASSERT_TRUE(GivePick(Chamfer2dCommand::itemFirstShape, upright, P(0, 3)));
        ASSERT_TRUE(GivePick(Chamfer2dCommand::itemSecondShape, horizontal, P(-3, 0)));
    } else {
        ASSERT_TRUE(GivePick(Chamfer2dCommand::itemFirstShape, horizontal, P(-3, 0)));
        ASSERT_TRUE(GivePick(Chamfer2dCommand::itemSecondShape, upright, P(0, 3)));
    }
    EXPECT_EQ(doc.GetUndoCount(), 1);
    const RuVaPnt2d horizontalEnd = P(c.horizontalEndX, 0);
    const RuVaPnt2d uprightEnd = P(0, c.uprightEndY);
    ExpectLine(horizontal, P(-4, 0), horizontalEnd, "horizontal");
    ExpectLine(upright, uprightEnd, P(0, 4), "upright");
    ExpectLine(LiveIDs().back(), horizontalEnd, uprightEnd, "chamfer line");
    EXPECT_EQ(Running(), pChamfer);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(SameAs(*before, "after undo"));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ChamferDistanceTest,
    ::testing::Values(ChamferCase{"one distance on both", Chamfer2dCommand::typeDistance, false, -1, 1},
                      ChamferCase{"two distances, horizontal first", Chamfer2dCommand::typeTwoDistances, false, -1, 2},
                      ChamferCase{"two distances, upright first", Chamfer2dCommand::typeTwoDistances, true, -2, 1}));

TEST_F(FilletChamferTest, ChamferTypeDecidesTheLengthParameters)
{
    Start(_T("Korvan.Edit.Chamfer"));
    const int count = Running()->GetParameterCount();
    ASSERT_TRUE(GiveChoice(Chamfer2dCommand::itemType, Chamfer2dCommand::typeTwoDistances));
    EXPECT_EQ(Running()->GetParameterCount(), count + 1);
    EXPECT_EQ(Running()->FindItem(Chamfer2dCommand::itemLength1)->m_strCaption, LoadResourceString(10756));
    ASSERT_NE(Running()->FindItem(Chamfer2dCommand::itemLength2), nullptr);
    ASSERT_TRUE(GiveChoice(Chamfer2dCommand::itemType, Chamfer2dCommand::typeFace));
    EXPECT_EQ(Running()->GetParameterCount(), count);
    EXPECT_EQ(Running()->FindItem(Chamfer2dCommand::itemLength2), nullptr);
    EXPECT_EQ(Running()->FindItem(Chamfer2dCommand::itemLength1)->m_strCaption, LoadResourceString(10754));
}

TEST_F(FilletChamferTest, AChamferThatDoesNotFitIsToldAndChangesNothing)
{
    AddCross();
    const long arc = Add(Arc2dFeature(P(0, 0), 3 * u, 0, 90, 0));
    doc.ClearUndoRedoHistory();
    const auto before = Snapshot();
    CommandBase* pChamfer = Start(_T("Korvan.Edit.Chamfer"));
    ASSERT_TRUE(GiveChoice(Chamfer2dCommand::itemType, Chamfer2dCommand::typeDistance));
    // Past the far end of the horizontal line's kept part.
    ASSERT_TRUE(GiveDistance(Chamfer2dCommand::itemLength1, 5 * u));
    ASSERT_TRUE(GivePick(Chamfer2dCommand::itemFirstShape, horizontal, P(-3, 0)));
    EXPECT_FALSE(GivePick(Chamfer2dCommand::itemSecondShape, upright, P(0, 3)));
    ExpectRefused(*before, pChamfer, 11179, "too long");
    // An arc is no line to bevel.
    EXPECT_FALSE(GivePick(Chamfer2dCommand::itemSecondShape, arc, P(3, 0)) && doc.GetUndoCount() > 0);
    EXPECT_TRUE(SameAs(*before, "arc"));
}

TEST_F(FilletChamferTest, PreviewShowsTheFilletForTheShapeUnderTheCursor)
{
    AddCross();
    const auto before = Snapshot();
    Start(_T("Korvan.Edit.Fillet"));
    ASSERT_TRUE(GiveDistance(Fillet2dCommand::itemRadius, u));
    ASSERT_TRUE(GivePick(Fillet2dCommand::itemFirstShape, horizontal, P(-3, 0)));
    const QImage plain = Render();
    ASSERT_FALSE(plain.isNull());
    MoveCursor(P(3, 3));
    EXPECT_EQ(Frame(), plain) << "nothing under the cursor";
    MoveCursor(P(0, 3));
    const QImage shown = Frame();
    EXPECT_NE(shown, plain);
    if (const char* path = std::getenv("KC_FILLET_PREVIEW_PNG"))
        shown.save(QString::fromUtf8(path));
    EXPECT_TRUE(SameAs(*before, "while previewing"));
    EXPECT_EQ(doc.GetUndoCount(), 0);
}

TEST_F(FilletChamferTest, TwoSinglePicksSelectedRunAtOnceAndEnd)
{
    AddCross();
    const long circle = Add(Circle2dFeature(P(5, 5), u));
    doc.ClearUndoRedoHistory();
    auto select = [&](long first, const RuVaPnt2d& pick1, long second, const RuVaPnt2d& pick2) {
        doc.GetSelectionManager()->UnselectAll(FALSE);
        for (auto [id, pick] : {std::pair{first, pick1}, std::pair{second, pick2}}) {
            CArray<FeatureLayout> records;
            records.Add(FeatureLayout(id, -1, -1));
            KcArrayOfGePnt2d points;
            points.Add(pick);
            doc.GetSelectionManager()->SelectFeatures(records, 4, &points, FALSE);
        }
    };
    select(horizontal, P(-3, 0), circle, P(6, 5));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Fillet"), &doc));
    EXPECT_FALSE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Chamfer"), &doc)) << "a circle is no line";
    select(horizontal, P(-3, 0), upright, P(0, 3));
    EXPECT_TRUE(CommandBase::IsCommandEnabled(_T("Korvan.Edit.Chamfer"), &doc));
    ASSERT_TRUE(manager.StartCommand(CString(_T("Korvan.Edit.Chamfer"))));
    // The default face length of 0 fits no bevel: told, nothing changed.
    EXPECT_EQ(doc.GetUndoCount(), 0);
    manager.CancelAllCommands();
    // The fillet's radius starts at 0: the two lines are carried to a plain corner, and the command ends.
    select(horizontal, P(-3, 0), upright, P(0, 3));
    ASSERT_TRUE(manager.StartCommand(CString(_T("Korvan.Edit.Fillet"))));
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_EQ(CountOf(FeatureTypeArc), 0);
    ExpectLine(horizontal, P(-4, 0), P(0, 0), "horizontal to the corner");
    ExpectLine(upright, P(0, 0), P(0, 4), "upright from the corner");
    EXPECT_EQ(manager.GetActiveCommand(), nullptr);
}
