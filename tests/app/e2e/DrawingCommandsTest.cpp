// The drawing commands end to end in the real program: one new drawing made with menu ids, clicks in the
// drawing view and values typed into the command bar — an angled line by typed angle and length, a
// horizontal line by length and direction point, a polyline ended with Enter, a hexagon by centre and
// typed radius, two rectangles by size, construction lines, a parallel bounded by picked sides, an
// ellipse and an elliptic arc, a tangent from a point, a multi-line along a picked polyline, a marker and a
// relative marker, five division parts, a B-spline through points, a tangent from a point to a circle —
// each run one undo step with the current
// attributes; a word typed for the radius changes nothing; everything undone back to the empty drawing,
// redone, saved, and opened again unchanged.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QWidget>

#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LoadResourceString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "platform/afx/CRect.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kAngledLineID = 33420;
constexpr UINT kHorizontalLineID = 33414;
constexpr UINT kPolylineID = 33432;
constexpr UINT kPolygonID = 33434;
constexpr UINT kRectangleID = 33433;
constexpr UINT kInfiniteLineID = 33522;
constexpr UINT kParallelID = 33416;
constexpr UINT kVerticalLineID = 33413;
constexpr UINT kTangentID = 33418;
constexpr UINT kEllipseID = 33482;
constexpr UINT kEllipseArcID = 33492;
constexpr UINT kMultiLineID = 33435;
constexpr UINT kPointMarkerID = 33402;
constexpr UINT kRelativeMarkerID = 33403;
constexpr UINT kDivisionMarkerID = 33405;
constexpr UINT kSplineThroughID = 33503;
constexpr UINT kCircleID = 33442;
constexpr UINT kUndoID = 57643;
constexpr UINT kRedoID = 57644;

// A shape as the document keeps it and a file must give it back.
struct ShapeRecord {
    int type;
    double x0, y0, x1, y1;  // its box
    int points;             // vertices of a polyline, else 0
    short color, lineType, lineWidth;
    long layer;
    bool operator==(const ShapeRecord& o) const
    {
        return type == o.type && x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1 && points == o.points &&
               color == o.color && lineType == o.lineType && lineWidth == o.lineWidth && layer == o.layer;
    }
};

std::ostream& operator<<(std::ostream& os, const ShapeRecord& r)
{
    return os << "type " << r.type << " box (" << r.x0 << ", " << r.y0 << ")-(" << r.x1 << ", " << r.y1 << ") points "
              << r.points << " colour " << r.color << " layer " << r.layer;
}

std::vector<ShapeRecord> ShapesOf(const Draw2dDocument* pModel)
{
    std::vector<ShapeRecord> shapes;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        const Feature2dBase* p = pModel->GetFeature(id);
        const RuVaBndBox2d box = p->GetBndBox();
        const auto* pPolyline = dynamic_cast<const Polyline2dFeature*>(p);
        shapes.push_back({p->GetFeatureType(), box.IsVoid() ? 0 : box.XMin(), box.IsVoid() ? 0 : box.YMin(),
                          box.IsVoid() ? 0 : box.XMax(), box.IsVoid() ? 0 : box.YMax(),
                          pPolyline != nullptr ? pPolyline->GetPointSize() : 0, p->GetColorNo(), p->GetLineTypeNo(),
                          p->GetLineWidthNo(), p->GetLayerID()});
    }
    return shapes;
}

class DrawingCommandsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_files.isValid());
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Clicks land where they are made: no snapping to shapes, points or angles.
        m_app->SetSnapAngularEnabled(FALSE);
        QZ2Command::CommandManager::SnapOptions options = m_manager->GetSnapOptions();
        options.bEnabled = FALSE;
        options.bGrid = FALSE;
        m_manager->SetSnapOptions(options);
        Pump();
    }
    void Key(CQZ2View* pView, UINT vk) { pView->SendMessage(WM_KEYDOWN, vk, 1); }

    QTemporaryDir m_files;
};

}  // namespace

TEST_F(DrawingCommandsTest, ShapesOfEveryCommandAreOneStepEachAndComeBackFromTheFile)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    const long layer = pModel->AddLayer(_T("Outline"), -1);
    ASSERT_TRUE(pModel->SetCurrentLayerID(layer, 1));
    ASSERT_TRUE(pModel->SetCurrentColorNo(3, 1));
    ASSERT_TRUE(pModel->SetCurrentLineTypeNo(2, 1));
    ASSERT_TRUE(pModel->SetCurrentLineWidthNo(4, 1));
    pModel->ClearUndoRedoHistory();

    CRect client;
    pView->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    ASSERT_GT(w, 200);
    auto at = [&](double fx, double fy) { return CPoint((int)(w * fx), (int)(h * fy)); };
    auto world = [&](const CPoint& p) { return pDraw->ConvertPointClientToWorld(p, TRUE); };
    int steps = 0;
    std::vector<int> counts;  // shapes after each step
    auto expectOneMoreStep = [&](const char* what, int shapes) {
        ++steps;
        counts.push_back(shapes);
        EXPECT_EQ(pModel->GetUndoCount(), steps) << what;
        EXPECT_EQ(pModel->GetFeatureCount(), shapes) << what;
    };
    auto lastID = [&] {
        long last = -1;
        for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
            last = id;
        return last;
    };

    // Angled line: the angle typed, a start clicked, the length alternative chosen and a length typed.
    Command(kAngledLineID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    TypeAndReturn(_T("30"));
    Click(pView, at(0.1, 0.2));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 2, 1));
    TypeAndReturn(_T("25"));
    expectOneMoreStep("angled line", 1);
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(pModel->GetNextFeatureRecordID(-1)));
        ASSERT_NE(pLine, nullptr);
        EXPECT_NEAR(pLine->GetLength(), 25.0, 1e-9);
        const RuVaPnt2d s = pLine->GetStartPoint(), e = pLine->GetEndPoint();
        EXPECT_NEAR(std::atan2(e.Y() - s.Y(), e.X() - s.X()) * 180 / M_PI, 30.0, 1e-9);
        EXPECT_EQ(pLine->GetColorNo(), 3);
        EXPECT_EQ(pLine->GetLineTypeNo(), 2);
        EXPECT_EQ(pLine->GetLineWidthNo(), 4);
        EXPECT_EQ(pLine->GetLayerID(), layer);
    }

    // Horizontal line: the length alternative adds the direction-point row; the line runs to its side.
    Command(kHorizontalLineID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 1, 1));
    ASSERT_EQ(m_manager->GetActiveCommand()->GetParameterCount(), 3);
    Click(pView, at(0.5, 0.2));
    TypeAndReturn(_T("40"));
    Click(pView, at(0.2, 0.25));  // to the left
    expectOneMoreStep("horizontal line", 2);

    // A four-point polyline ended with Enter in the view.
    Command(kPolylineID);
    Click(pView, at(0.1, 0.4));
    Click(pView, at(0.3, 0.4));
    Click(pView, at(0.3, 0.6));
    Click(pView, at(0.1, 0.6));
    EXPECT_EQ(pModel->GetFeatureCount(), 2);
    Key(pView, VK_RETURN);
    expectOneMoreStep("polyline", 3);

    // A hexagon by centre and typed radius; a word typed for the radius first changes nothing.
    Command(kPolygonID);
    QZ2Command::CommandBase* pPolygon = m_manager->GetActiveCommand();
    ASSERT_NE(pPolygon, nullptr);
    TypeAndReturn(_T("6"));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 3, 1));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 4, 1));
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, 3));
    TypeAndReturn(_T("radius"));
    EXPECT_TRUE(pPolygon->IsParameterEmpty(3));
    EXPECT_EQ(m_frame->GetPendingInformation(), LoadResourceString(12980)) << "the status bar says what the row takes";
    EXPECT_EQ(pModel->GetFeatureCount(), 3);
    EXPECT_EQ(pModel->GetUndoCount(), steps);
    TypeAndReturn(_T("12"));
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, 4));
    TypeAndReturn(_T("0"));
    Click(pView, at(0.6, 0.5));
    expectOneMoreStep("hexagon", 4);
    {
        const auto* pHexagon = dynamic_cast<const Polyline2dFeature*>(pModel->GetFeature(pModel->GetNextFeatureRecordID(-1) + 3));
        ASSERT_NE(pHexagon, nullptr);
        const RuVaPnt2d centre = world(at(0.6, 0.5));
        for (int i = 0; i < pHexagon->GetPointSize(); ++i)
            EXPECT_NEAR(pHexagon->GetPoint(i).Distance(centre), 12.0, 1e-9);
    }

    // Two rectangles in size mode: width and height typed once, two placements.
    Command(kRectangleID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 0, 1));
    TypeAndReturn(_T("20"));
    TypeAndReturn(_T("10"));
    Click(pView, at(0.8, 0.3));
    expectOneMoreStep("first rectangle", 5);
    Click(pView, at(0.8, 0.7));
    expectOneMoreStep("second rectangle", 6);

    // A construction line through two points.
    Command(kInfiniteLineID);
    Click(pView, at(0.2, 0.9));
    Click(pView, at(0.4, 0.85));
    expectOneMoreStep("infinite line", 7);

    // Two vertical lines across the polyline's top side, then a parallel to that side at a typed
    // distance, bounded by the two lines picked.
    Command(kVerticalLineID);
    Click(pView, at(0.15, 0.3));
    Click(pView, at(0.15, 0.55));
    expectOneMoreStep("first vertical line", 8);
    Click(pView, at(0.25, 0.3));
    Click(pView, at(0.25, 0.55));
    expectOneMoreStep("second vertical line", 9);
    Command(kParallelID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 3, 1));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 4, 2));
    Click(pView, at(0.2, 0.4));
    TypeAndReturn(_T("5"));
    Click(pView, at(0.2, 0.5));
    Click(pView, at(0.15, 0.5));
    Click(pView, at(0.25, 0.5));
    expectOneMoreStep("parallel", 10);
    long last = -1;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        last = id;
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(last));
        ASSERT_NE(pLine, nullptr);
        EXPECT_NEAR(std::fabs(pLine->GetStartPoint().Y() - world(at(0.2, 0.4)).Y()), 5.0, 1e-9);
        EXPECT_NEAR(std::fabs(pLine->GetStartPoint().X() - pLine->GetEndPoint().X()),
                    std::fabs(world(at(0.25, 0.4)).X() - world(at(0.15, 0.4)).X()), 1e-9);
        EXPECT_EQ(pLine->GetLayerID(), layer);
    }

    // An ellipse by clicks; an elliptic arc by typed radii, axis and end angles.
    Command(kEllipseID);
    Click(pView, at(0.5, 0.75));
    Click(pView, at(0.6, 0.75));
    Click(pView, at(0.5, 0.8));
    Click(pView, at(0.6, 0.75));
    expectOneMoreStep("ellipse", 11);
    Command(kEllipseArcID);
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, i, 1));
    Click(pView, at(0.9, 0.5));
    for (const TCHAR* value : {_T("8"), _T("4"), _T("0"), _T("0"), _T("180")})
        TypeAndReturn(value);
    expectOneMoreStep("elliptic arc", 12);
    {
        const auto* pArc = dynamic_cast<const EllipseArc2dFeature*>(pModel->GetFeature(last + 2));
        ASSERT_NE(pArc, nullptr);
        EXPECT_NEAR(pArc->GetMajorRadius(), 8.0, 1e-9);
        EXPECT_NEAR(pArc->GetMinorRadius(), 4.0, 1e-9);
        EXPECT_NEAR(pArc->GetSweepAngle(), 180.0, 1e-9);
    }

    // A tangent from a point to the ellipse, picked at the end of its minor axis.
    Command(kTangentID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 0, 1));
    Click(pView, at(0.75, 0.95));
    Click(pView, at(0.5, 0.8));
    expectOneMoreStep("tangent", 13);
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(last + 3));
        const auto* pEllipse = dynamic_cast<const Ellipse2dFeature*>(pModel->GetFeature(last + 1));
        ASSERT_NE(pLine, nullptr);
        ASSERT_NE(pEllipse, nullptr);
        const RuVaPnt2d t = pLine->GetEndPoint(), c = pEllipse->GetCenterPoint();
        const double a = pEllipse->GetAngle() * M_PI / 180;
        const double x = ((t.X() - c.X()) * std::cos(a) + (t.Y() - c.Y()) * std::sin(a)) / pEllipse->GetMajorRadius();
        const double y = (-(t.X() - c.X()) * std::sin(a) + (t.Y() - c.Y()) * std::cos(a)) / pEllipse->GetMinorRadius();
        EXPECT_NEAR(x * x + y * y, 1.0, 1e-9) << "the line ends on the ellipse";
    }

    // A multi-line of one line on each side along the picked polyline.
    Command(kMultiLineID);
    TypeAndReturn(_T("2"));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 5, 1));
    Click(pView, at(0.2, 0.6));
    expectOneMoreStep("multi-line", 15);
    m_manager->CancelAllCommands();

    // A marker where clicked, and one 10 right and 5 down from a clicked base, in the marker style on the layer.
    Command(kPointMarkerID);
    Click(pView, at(0.05, 0.05));
    expectOneMoreStep("marker", 16);
    {
        const auto* pMarker = dynamic_cast<const PointMarker2dFeature*>(pModel->GetFeature(lastID()));
        ASSERT_NE(pMarker, nullptr);
        EXPECT_LT(pMarker->GetPoint().Distance(world(at(0.05, 0.05))), 1e-9);
        EXPECT_EQ(pMarker->GetLayerID(), layer);
    }
    Command(kRelativeMarkerID);
    Click(pView, at(0.1, 0.05));
    TypeAndReturn(_T("10"));
    TypeAndReturn(_T("-5"));
    expectOneMoreStep("relative marker", 17);
    {
        const auto* pMarker = dynamic_cast<const PointMarker2dFeature*>(pModel->GetFeature(lastID()));
        ASSERT_NE(pMarker, nullptr);
        const RuVaPnt2d base = world(at(0.1, 0.05));
        EXPECT_LT(pMarker->GetPoint().Distance(RuVaPnt2d(base.X() + 10, base.Y() - 5)), 1e-9);
        EXPECT_EQ(pMarker->GetLayerID(), layer);
    }

    // Five division parts between two clicked points: four markers in one step.
    Command(kDivisionMarkerID);
    Click(pView, at(0.2, 0.05));
    Click(pView, at(0.45, 0.05));
    TypeAndReturn(_T("5"));
    expectOneMoreStep("division markers", 21);
    {
        const RuVaPnt2d a = world(at(0.2, 0.05)), b = world(at(0.45, 0.05));
        const auto* pMarker = dynamic_cast<const PointMarker2dFeature*>(pModel->GetFeature(lastID()));
        ASSERT_NE(pMarker, nullptr);
        EXPECT_NEAR(pMarker->GetPoint().Distance(a) / a.Distance(b), 0.8, 1e-9);
    }

    // A B-spline through four clicked points, ended with Enter.
    Command(kSplineThroughID);
    for (const CPoint& p : {at(0.5, 0.1), at(0.55, 0.04), at(0.6, 0.1), at(0.65, 0.04)})
        Click(pView, p);
    Key(pView, VK_RETURN);
    expectOneMoreStep("B-spline", 22);
    {
        const auto* pSpline = dynamic_cast<const BSplineCurve2dFeature*>(pModel->GetFeature(lastID()));
        ASSERT_NE(pSpline, nullptr);
        EXPECT_EQ(pSpline->GetKind(), BSplineCurve2dFeature::InterpolatePoints);
        EXPECT_EQ(pSpline->GetPointSize(), 4);
        EXPECT_EQ(pSpline->GetColorNo(), 3);
    }
    m_manager->CancelAllCommands();

    // A circle by centre and a point, then a tangent to it from a clicked point.
    Command(kCircleID);
    Click(pView, at(0.85, 0.1));
    Click(pView, at(0.88, 0.1));
    expectOneMoreStep("circle", 23);
    const long circle = lastID();
    Command(kTangentID);
    if (m_manager->GetActiveCommand()->GetParameter(0)->GetCurrentIndex() != 1) {
        ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 0, 1));
    }
    Click(pView, at(0.7, 0.15));
    Click(pView, at(0.88, 0.1));
    expectOneMoreStep("tangent to the circle", 24);
    {
        const auto* pLine = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(lastID()));
        const auto* pCircle = dynamic_cast<const Circle2dFeature*>(pModel->GetFeature(circle));
        ASSERT_NE(pLine, nullptr);
        ASSERT_NE(pCircle, nullptr);
        const RuVaPnt2d c = pCircle->GetCenterPoint(), s = pLine->GetStartPoint(), e = pLine->GetEndPoint();
        const RuVaPnt2d t = std::fabs(e.Distance(c) - pCircle->GetRadius()) < std::fabs(s.Distance(c) - pCircle->GetRadius()) ? e : s;
        const RuVaPnt2d o = t == e ? s : e;
        EXPECT_NEAR(t.Distance(c), pCircle->GetRadius(), 1e-9) << "the line ends on the circle";
        EXPECT_NEAR(((t.X() - c.X()) * (o.X() - t.X()) + (t.Y() - c.Y()) * (o.Y() - t.Y())) / (t.Distance(c) * o.Distance(t)),
                    0.0, 1e-9) << "square to the radius there";
        EXPECT_LT(o.Distance(world(at(0.7, 0.15))), 1e-9);
    }
    m_manager->CancelAllCommands();

    // The picture for the documentation, when asked for.
    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
        Pump();
        m_frame->GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/drawing-commands.png"));
    }

    // Everything undone back to the empty drawing, one run at a time, and redone.
    const std::vector<ShapeRecord> drawn = ShapesOf(pModel);
    for (int i = steps; i > 0; --i) {
        Command(kUndoID);
        EXPECT_EQ(pModel->GetFeatureCount(), i > 1 ? counts[static_cast<size_t>(i - 2)] : 0) << "undo of step " << i;
    }
    EXPECT_EQ(pModel->GetFeatureCount(), 0);
    for (int i = 0; i < steps; ++i)
        Command(kRedoID);
    EXPECT_EQ(ShapesOf(pModel), drawn);

    // Saved and opened again: the same shapes.
    const QString path = m_files.path() + QStringLiteral("/shapes.kvcd");
    AnswerFileDialogWith(path);
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(QFileInfo::exists(path));
    pDoc->OnCloseDocument();
    Pump();
    auto* pAgain = dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(path)));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(ShapesOf(pAgain->GetDraw2dDocument()), drawn);
}
