// The snap options as the command manager follows them while the line command waits for its points: each
// bit of the snap-type mask lets exactly its kind of point through, the pick box limits the snap, the
// division count cuts shapes, the tracking kinds work from the shapes snapped just before, and angular snap
// holds the cursor on rays from the start point, also with shape snapping off.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cmath>

#include "command/CommandManager.h"
#include "command/SnapInfo.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Snap.h"
#include "platform/win/WinConstants.h"
#include "tests/support/command/ManagerFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kLineID = 33412;

class SnapOptionsTest : public kctest::ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        // A line across the middle, a line crossing it upright, a small circle above the left end.
        Add(Line2dFeature(P(-2, 0), P(2, 0)));
        Add(Line2dFeature(P(1, -1), P(1, 3)));
        Add(Circle2dFeature(P(-2, 3), u / 4));
        Use(Options(0xFFFF));
        ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    }
    // The program's default options with this mask, without grid and angular snap unless a test turns
    // them on.
    static CommandManager::SnapOptions Options(DWORD dwType)
    {
        CommandManager::SnapOptions options;
        options.dwType = dwType;
        options.nDivisionCount = 4;
        options.nBoxSize = 7;
        options.nMarkerSize = 5;
        options.markerColor = RGB(255, 0, 255);
        options.bGrid = FALSE;
        options.bAngularEnabled = FALSE;
        options.dAngle = 45.0;
        options.nAngularMode = 0;
        return options;
    }
    void Use(const CommandManager::SnapOptions& options) { manager.SetSnapOptions(options); }
    CPoint Near(const RuVaPnt2d& w, int dx, int dy) const
    {
        const CPoint c = C(w);
        return CPoint(c.x + dx, c.y + dy);
    }
    // The start point of the line, clicked with nothing to snap to; returns where it went.
    RuVaPnt2d ClickStart(const CPoint& at)
    {
        Click(at);
        return view.ConvertPointClientToWorld(at, TRUE);
    }
    double Pixel() const { return 1.0 / view.GetScale(); }
};

using kctest::ExpectNear;

}  // namespace

TEST_F(SnapOptionsTest, EachBitOfTheMaskLetsOnlyItsKindThrough)
{
    struct Case {
        const char* what;
        DWORD bit;
        RuVaPnt2d target;
        CPoint offset;  // pixels from the target
    };
    const double q = 0.25;  // the circle's radius in units
    const Case cases[] = {
        {"nearest point on the line", 0x0001, P(0.5, 0), CPoint(0, -4)},
        {"end", 0x0002, P(-2, 0), CPoint(3, -2)},
        {"middle", 0x0004, P(0, 0), CPoint(-3, 3)},
        {"centre", 0x0008, P(-2, 3), CPoint(2, 2)},
        {"intersection", 0x0010, P(1, 0), CPoint(-2, 3)},
        {"quadrant", 0x0020, P(-2 + q, 3), CPoint(2, -2)},
        {"division (four parts)", 0x0080, P(-1, 0), CPoint(2, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Use(Options(c.bit));
        manager.OnMouseMove(0, Near(c.target, c.offset.x, c.offset.y));
        ASSERT_TRUE(manager.IsSnapped());
        EXPECT_EQ(manager.GetSnapKind(), c.bit);
        ExpectNear(manager.GetSnapWorldPoint(), c.target, 1e-6 * u);
        ExpectNear(manager.GetCursorWorldPoint(), c.target, 1e-6 * u);

        // Every kind but this one: the point is not reported as this kind.
        Use(Options(0xFFFF & ~c.bit));
        manager.OnMouseMove(0, Near(c.target, c.offset.x, c.offset.y));
        EXPECT_NE(manager.GetSnapKind(), c.bit);
        // No kind at all: the raw cursor.
        Use(Options(0));
        manager.OnMouseMove(0, Near(c.target, c.offset.x, c.offset.y));
        EXPECT_FALSE(manager.IsSnapped());
    }
}

TEST_F(SnapOptionsTest, AtOnePlaceTheMoreTellingKindWins)
{
    // The crossing is also a division point of the line in four parts, and the middle is one too.
    Use(Options(0xFFFF));
    manager.OnMouseMove(0, Near(P(1, 0), -2, 3));
    EXPECT_EQ(manager.GetSnapKind(), (DWORD)Snap::kIntersection);
    manager.OnMouseMove(0, Near(P(0, 0), 2, 2));
    EXPECT_EQ(manager.GetSnapKind(), (DWORD)Snap::kMiddle);
}

TEST_F(SnapOptionsTest, ThePickBoxAndTheDivisionCountComeFromTheOptions)
{
    CommandManager::SnapOptions options = Options(Snap::kEnd);
    const struct {
        int box;
        int offset;
        BOOL snaps;
    } boxes[] = {{7, 6, TRUE}, {5, 6, FALSE}, {12, 10, TRUE}, {0, 1, FALSE}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box);
        options.nBoxSize = b.box;
        Use(options);
        manager.OnMouseMove(0, Near(P(2, 0), b.offset, 0));
        EXPECT_EQ(manager.IsSnapped(), b.snaps);
    }

    options = Options(Snap::kDivision);
    options.nDivisionCount = 3;
    Use(options);
    // Thirds of the line from -2 to 2.
    manager.OnMouseMove(0, Near(P(-2 + 4.0 / 3, 0), 2, -1));
    ASSERT_TRUE(manager.IsSnapped());
    ExpectNear(manager.GetSnapWorldPoint(), P(-2 + 4.0 / 3, 0), 1e-6 * u);
    manager.OnMouseMove(0, Near(P(-1, 0), 1, 1));  // a quarter is no division point now
    EXPECT_FALSE(manager.IsSnapped());
}

TEST_F(SnapOptionsTest, PerpendicularAndTangentPointsRunFromTheStartPoint)
{
    // Without a start point neither kind exists.
    Use(Options(Snap::kPerpendicular | Snap::kTangent));
    manager.OnMouseMove(0, Near(P(0.5, 0), 1, 1));
    EXPECT_FALSE(manager.IsSnapped());

    const RuVaPnt2d start = ClickStart(C(P(0.5, 2)));
    // The foot of the perpendicular from the start onto the line across.
    manager.OnMouseMove(0, Near(RuVaPnt2d(start.X(), o.Y()), 3, 2));
    ASSERT_TRUE(manager.IsSnapped());
    EXPECT_EQ(manager.GetSnapKind(), (DWORD)Snap::kPerpendicular);
    ExpectNear(manager.GetSnapWorldPoint(), RuVaPnt2d(start.X(), o.Y()), 1e-6 * u);

    // The tangent point on the circle seen from the start, on its left side.
    const RuVaPnt2d centre = P(-2, 3);
    const double r = u / 4, d = start.Distance(centre);
    const double toStart = std::atan2(start.Y() - centre.Y(), start.X() - centre.X());
    double best = 0.0;
    RuVaPnt2d tangent;
    for (double a : {toStart + std::acos(r / d), toStart - std::acos(r / d)}) {
        const RuVaPnt2d t(centre.X() + r * std::cos(a), centre.Y() + r * std::sin(a));
        if (best == 0.0 || t.X() < tangent.X())
            tangent = t, best = 1.0;
    }
    Use(Options(Snap::kTangent));
    manager.OnMouseMove(0, Near(tangent, -1, 1));
    ASSERT_TRUE(manager.IsSnapped());
    EXPECT_EQ(manager.GetSnapKind(), (DWORD)Snap::kTangent);
    ExpectNear(manager.GetSnapWorldPoint(), tangent, 1e-6 * u);
    // The tangent really touches: radius and sight line meet at a right angle.
    const RuVaPnt2d t = manager.GetSnapWorldPoint();
    EXPECT_NEAR((t.X() - centre.X()) * (t.X() - start.X()) + (t.Y() - centre.Y()) * (t.Y() - start.Y()), 0.0,
                1e-6 * u * u);
}

TEST_F(SnapOptionsTest, TrackingKindsWorkFromTheShapesSnappedJustBefore)
{
    struct Case {
        const char* what;
        DWORD bit;
        RuVaPnt2d cursor;   // away from every shape point
        RuVaPnt2d target;   // where the tracking line puts it
    };
    const Case cases[] = {
        // Level with the top end of the upright line, well right of it.
        {"horizontal/vertical", 0x0400, P(3, 3.03), P(3, 3)},
        {"extension", 0x0800, P(3, 0.03), P(3, 0)},
        {"perpendicular through an end", 0x1000, P(2.03, -2), P(2, -2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        manager.CancelAllCommands();
        ASSERT_TRUE(manager.ExecuteCommand(kLineID));
        // Horizontal/vertical follows the upright line's top end; the others the right end of the line across.
        const RuVaPnt2d end = c.bit == 0x0400 ? P(1, 3) : P(2, 0);
        Use(Options(Snap::kEnd | c.bit));
        manager.OnMouseMove(0, Near(end, 1, 1));
        ASSERT_EQ(manager.GetSnapKind(), (DWORD)Snap::kEnd);
        EXPECT_GT(manager.GetSnapInfo().GetHistoryCount(), 0);

        manager.OnMouseMove(0, C(c.cursor));
        ASSERT_TRUE(manager.IsSnapped());
        EXPECT_EQ(manager.GetSnapKind(), c.bit);
        ExpectNear(manager.GetSnapWorldPoint(), c.target, 1.5 * Pixel());
        EXPECT_FALSE(manager.GetSnapInfo().m_virtualCurves.IsEmpty());

        // Without the bit the same move does not track.
        Use(Options(Snap::kEnd));
        manager.OnMouseMove(0, C(c.cursor));
        EXPECT_FALSE(manager.IsSnapped());
    }
}

TEST_F(SnapOptionsTest, AngularSnapHoldsTheCursorOnRaysFromTheStartPoint)
{
    CommandManager::SnapOptions options = Options(0xFFFF);
    options.bAngularEnabled = TRUE;
    options.dAngle = 45.0;
    options.nAngularMode = 0;
    Use(options);
    const RuVaPnt2d start = ClickStart(C(P(-3, -2)));
    auto along = [&](double degrees, double length) {
        const double a = degrees * M_PI / 180.0;
        return RuVaPnt2d(start.X() + length * std::cos(a), start.Y() + length * std::sin(a));
    };
    // 30 degrees, away from shapes: held on the 45-degree ray (no snap mark, the angular flag set).
    manager.OnMouseMove(0, C(along(30.0, 1.2 * u)));
    ASSERT_TRUE(manager.IsSnapped());
    EXPECT_EQ(manager.GetSnapKind(), 0u);
    EXPECT_NE(manager.GetSnapInfo().m_nAngular, 0);
    EXPECT_NEAR(manager.GetSnapInfo().m_dAngle, 45.0, 1e-9);
    const RuVaPnt2d held = manager.GetCursorWorldPoint();
    EXPECT_NEAR(std::atan2(held.Y() - start.Y(), held.X() - start.X()) * 180.0 / M_PI, 45.0, 1e-6);

    // Mode 1 holds only near a ray.
    options.nAngularMode = 1;
    Use(options);
    manager.OnMouseMove(0, C(along(30.0, 1.2 * u)));
    EXPECT_FALSE(manager.IsSnapped());
    manager.OnMouseMove(0, C(along(43.0, 1.2 * u)));
    EXPECT_TRUE(manager.IsSnapped());
    EXPECT_NE(manager.GetSnapInfo().m_nAngular, 0);

    // A 30-degree step takes the cursor at 30 degrees as it is on its ray.
    options.nAngularMode = 0;
    options.dAngle = 30.0;
    Use(options);
    manager.OnMouseMove(0, C(along(33.0, 1.2 * u)));
    ASSERT_TRUE(manager.IsSnapped());
    EXPECT_NEAR(manager.GetSnapInfo().m_dAngle, 30.0, 1e-9);

    // With shape snapping off the rays still hold; with angular snap off too the cursor is raw.
    options.bEnabled = FALSE;
    Use(options);
    manager.OnMouseMove(0, C(along(33.0, 1.2 * u)));
    EXPECT_TRUE(manager.IsSnapped());
    EXPECT_NE(manager.GetSnapInfo().m_nAngular, 0);
    options.bAngularEnabled = FALSE;
    Use(options);
    manager.OnMouseMove(0, C(along(33.0, 1.2 * u)));
    EXPECT_FALSE(manager.IsSnapped());

    // A shape point near the cursor wins over the ray.
    options = Options(0xFFFF);
    options.bAngularEnabled = TRUE;
    Use(options);
    manager.OnMouseMove(0, Near(P(-2, 0), 2, 2));
    EXPECT_EQ(manager.GetSnapKind(), (DWORD)Snap::kEnd);
    EXPECT_EQ(manager.GetSnapInfo().m_nAngular, 0);
}

TEST_F(SnapOptionsTest, ThePointInputsOwnSwitchAndTheSnapMarksFollowTheOptions)
{
    ASSERT_EQ(view.DrawView(nullptr), 1);
    const QImage before = *view.GetPicture();
    CommandManager::SnapOptions options = Options(Snap::kEnd);
    options.bBoxVisible = FALSE;
    options.markerColor = RGB(255, 0, 255);
    options.nMarkerSize = 5;
    Use(options);
    const RuVaPnt2d end = P(2, 0);
    manager.OnMouseMove(0, Near(end, 4, 4));
    ASSERT_TRUE(manager.IsSnapped());
    // The mark sits on the snapped point (in its colour), not under the cursor.
    const CPoint at = C(end);
    auto magentaNear = [&](const CPoint& p) {
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const QPoint q(p.x + dx, p.y + dy);
                if (view.GetFrame()->rect().contains(q) && view.GetFrame()->pixelColor(q) == QColor(255, 0, 255))
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(magentaNear(at));
    // Marks hidden: nothing in the mark's colour.
    options.bMarkerVisible = FALSE;
    Use(options);
    manager.OnMouseMove(0, Near(end, 4, 4));
    EXPECT_TRUE(manager.IsSnapped());
    EXPECT_FALSE(magentaNear(at));
    manager.GetActiveView()->RestoreView();
    EXPECT_EQ(*view.GetFrame(), before);
}

TEST(SnapInfoTest, AHistoryKeepsTheFiveLatestDistinctShapes)
{
    SnapInfo info;
    const RuVaLineSeg2d first(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    EXPECT_TRUE(info.PushRecentExtension(&first));
    EXPECT_FALSE(info.PushRecentExtension(&first)) << "the same shape again";
    EXPECT_FALSE(info.PushRecentExtension(nullptr));
    for (int i = 1; i <= 5; ++i) {
        const RuVaLineSeg2d next(RuVaPnt2d(0, i), RuVaPnt2d(10, i));
        EXPECT_TRUE(info.PushRecentExtension(&next));
    }
    ASSERT_EQ(info.m_extension.GetSize(), SnapInfo::kHistorySize);
    // The first one went; the oldest kept is the second.
    EXPECT_FALSE(info.m_extension.GetAt(0)->IsEqual(first));
    EXPECT_TRUE(info.m_extension.GetAt(0)->IsEqual(RuVaLineSeg2d(RuVaPnt2d(0, 1), RuVaPnt2d(10, 1))));
    EXPECT_TRUE(info.m_horzVert.IsEmpty()) << "each history is its own";

    // A reset forgets the result, not the histories; clearing them empties all three.
    info.m_dwKind = Snap::kEnd;
    info.m_virtualCurves.Add(first.Clone());
    info.Reset();
    EXPECT_EQ(info.m_dwKind, 0u);
    EXPECT_TRUE(info.m_virtualCurves.IsEmpty());
    EXPECT_EQ(info.GetHistoryCount(), 5);
    info.ClearHistories();
    EXPECT_EQ(info.GetHistoryCount(), 0);
}

TEST_F(SnapOptionsTest, HistoriesSurviveMovesAndEmptyWhenACommandStarts)
{
    Use(Options(Snap::kEnd | Snap::kExtension));
    manager.OnMouseMove(0, Near(P(2, 0), 1, 1));
    ASSERT_EQ(manager.GetSnapKind(), (DWORD)Snap::kEnd);
    const int n = manager.GetSnapInfo().GetHistoryCount();
    EXPECT_GT(n, 0);
    // The same end again, and moves that snap to nothing: the history neither grows nor empties.
    manager.OnMouseMove(0, Near(P(2, 0), -1, 1));
    manager.OnMouseMove(0, Near(P(0.5, 2), 0, 0));
    EXPECT_EQ(manager.GetSnapInfo().GetHistoryCount(), n);
    manager.CancelAllCommands();
    ASSERT_TRUE(manager.ExecuteCommand(kLineID));
    EXPECT_EQ(manager.GetSnapInfo().GetHistoryCount(), 0);
}

TEST_F(SnapOptionsTest, AGripUnderTheCursorIsMarked)
{
    manager.CancelAllCommands();
    SelectionManager* pSelection = doc.GetSelectionManager();
    ASSERT_NE(pSelection, nullptr);
    view.SetFeatureTracker(pSelection->GetFeatureTracker());
    // A click on the line across selects it; its grips are drawn with the picture.
    const CPoint on = C(P(-1.5, 0));
    manager.OnMouseMove(0, on);
    manager.OnLButtonDown(MK_LBUTTON, on);
    manager.OnLButtonUp(0, on);
    ASSERT_EQ(pSelection->GetSelectedFeatureCount(), 1);
    ASSERT_EQ(view.DrawView(nullptr), 1);
    CommandManager::SnapOptions options = Options(0xFFFF);
    options.markerColor = RGB(255, 0, 255);
    Use(options);
    auto markedAt = [&](const CPoint& p) {
        int n = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                n += view.GetFrame()->pixelColor(p.x + dx, p.y + dy) == QColor(255, 0, 255) ? 1 : 0;
        return n;
    };
    const CPoint grip = C(P(2, 0));
    manager.OnMouseMove(0, CPoint(grip.x + 2, grip.y - 1));
    EXPECT_GT(markedAt(grip), 40);
    manager.OnMouseMove(0, C(P(0.5, 2)));
    EXPECT_EQ(markedAt(grip), 0);
}
