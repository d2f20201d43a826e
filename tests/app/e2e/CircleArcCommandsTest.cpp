// Circles and arcs end to end in the real program: a circle of typed diameter, a circle tangent to two
// lines with a typed radius chosen by a click, an arc by centre with a typed radius and start angle and its
// end on a picked line; one undo step each, undone and redone, saved and opened again unchanged.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

#include <cmath>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/CRect.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kCircleID = 33442;
constexpr UINT kCircleOf2TangentID = 33446;
constexpr UINT kArcID = 33462;
constexpr UINT kUndoID = 57643;
constexpr UINT kRedoID = 57644;

// Centre, radius and ends of every circle and arc, as a file must give them back.
std::vector<std::vector<double>> CurvesOf(const Draw2dDocument* pModel)
{
    std::vector<std::vector<double>> curves;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        const Feature2dBase* p = pModel->GetFeature(id);
        if (const auto* pArc = dynamic_cast<const Arc2dFeature*>(p)) {
            curves.push_back({5, pArc->GetCenterPoint().X(), pArc->GetCenterPoint().Y(), pArc->GetRadius(),
                              pArc->GetStartAngle(), pArc->GetEndAngle(), double(pArc->GetColorNo())});
        } else if (const auto* pCircle = dynamic_cast<const Circle2dFeature*>(p)) {
            curves.push_back({4, pCircle->GetCenterPoint().X(), pCircle->GetCenterPoint().Y(), pCircle->GetRadius(),
                              double(pCircle->GetColorNo())});
        } else {
            curves.push_back({double(p->GetFeatureType())});
        }
    }
    return curves;
}

class CircleArcCommandsTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_files.isValid());
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_app->SetSnapAngularEnabled(FALSE);
        QZ2Command::CommandManager::SnapOptions options = m_manager->GetSnapOptions();
        options.bEnabled = FALSE;
        options.bGrid = FALSE;
        m_manager->SetSnapOptions(options);
        Pump();
    }

    QTemporaryDir m_files;
};

}  // namespace

TEST_F(CircleArcCommandsTest, CirclesAndArcsAreOneStepEachAndComeBackFromTheFile)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    ASSERT_TRUE(pModel->SetCurrentColorNo(3, 1));

    CRect client;
    pView->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    ASSERT_GT(w, 200);
    auto at = [&](double fx, double fy) { return CPoint((int)(w * fx), (int)(h * fy)); };
    auto world = [&](const CPoint& p) { return pDraw->ConvertPointClientToWorld(p, TRUE); };
    auto client_ = [&](double x, double y) { return pDraw->ConvertPointWorldToClient(RuVaPnt2d(x, y)); };

    // Two lines to touch, across most of the view.
    const RuVaPnt2d corner = world(at(0.3, 0.7));
    const double vx = corner.X(), hy = corner.Y();
    const RuVaPnt2d far = world(at(0.95, 0.1));
    const Line2dFeature horizontal(RuVaPnt2d(world(at(0.05, 0.7)).X(), hy), RuVaPnt2d(far.X(), hy));
    const Line2dFeature vertical(RuVaPnt2d(vx, world(at(0.3, 0.95)).Y()), RuVaPnt2d(vx, far.Y()));
    pModel->BeginUndoOperation(nullptr);
    ASSERT_GT(pModel->AddFeature(&horizontal, pModel->GetActiveDrawingFeature(), 1), 0);
    ASSERT_GT(pModel->AddFeature(&vertical, pModel->GetActiveDrawingFeature(), 1), 0);
    pModel->EndUndoOperation();
    pModel->ClearUndoRedoHistory();
    int steps = 0;

    // A circle of typed diameter.
    Command(kCircleID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 1, 1));
    Click(pView, at(0.7, 0.3));
    TypeAndReturn(_T("30"));
    EXPECT_EQ(pModel->GetUndoCount(), ++steps);
    {
        const auto curves = CurvesOf(pModel);
        ASSERT_EQ(curves.size(), 3u);
        EXPECT_EQ(curves[2][0], 4);
        EXPECT_NEAR(curves[2][3], 15.0, 1e-9);
    }

    // A circle of radius 10 touching both lines, the one in the corner above and right of them.
    Command(kCircleOf2TangentID);
    Click(pView, client_(vx + 40, hy));
    Click(pView, client_(vx, hy + 40));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 2, 1));
    TypeAndReturn(_T("10"));
    EXPECT_EQ(pModel->GetFeatureCount(), 3) << "four circles fit: one more click chooses";
    Click(pView, client_(vx + 3, hy + 3));
    EXPECT_EQ(pModel->GetUndoCount(), ++steps);
    {
        const auto curves = CurvesOf(pModel);
        ASSERT_EQ(curves.size(), 4u);
        EXPECT_NEAR(curves[3][1], vx + 10, 1e-9);
        EXPECT_NEAR(curves[3][2], hy + 10, 1e-9);
        EXPECT_NEAR(curves[3][3], 10, 1e-9);
        EXPECT_EQ(curves[3][4], 3);
    }

    // An arc by centre: radius 30, start at 90 degrees, its end where the circle meets the picked line.
    Command(kArcID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 1, 1));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 2, 1));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 3, 2));
    const RuVaPnt2d centre = world(client_(vx + 60, hy + 20));
    Click(pView, client_(vx + 60, hy + 20));
    TypeAndReturn(_T("30"));
    TypeAndReturn(_T("90"));
    const double reach = std::sqrt(30.0 * 30.0 - std::pow(centre.Y() - hy, 2));
    Click(pView, client_(centre.X() + reach, hy));
    EXPECT_EQ(pModel->GetUndoCount(), ++steps);
    {
        const auto curves = CurvesOf(pModel);
        ASSERT_EQ(curves.size(), 5u);
        ASSERT_EQ(curves[4][0], 5);
        EXPECT_NEAR(curves[4][3], 30, 1e-9);
        EXPECT_NEAR(curves[4][4], 90, 1e-9);
        const auto* pArc = dynamic_cast<const Arc2dFeature*>(pModel->GetFeature(pModel->GetNextFeatureRecordID(-1) + 4));
        ASSERT_NE(pArc, nullptr);
        EXPECT_NEAR(pArc->GetEndPoint().Y(), hy, 1e-9);
        EXPECT_NEAR(pArc->GetEndPoint().X(), centre.X() + reach, 1e-9);
    }

    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
        Pump();
        m_frame->GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/circles-arcs.png"));
    }

    // Undone back to the two lines, one run at a time, and redone.
    const auto drawn = CurvesOf(pModel);
    for (int i = steps; i > 0; --i) {
        Command(kUndoID);
        EXPECT_EQ(pModel->GetFeatureCount(), 2 + i - 1);
    }
    for (int i = 0; i < steps; ++i)
        Command(kRedoID);
    EXPECT_EQ(CurvesOf(pModel), drawn);

    const QString path = m_files.path() + QStringLiteral("/circles.kvcd");
    AnswerFileDialogWith(path);
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(QFileInfo::exists(path));
    pDoc->OnCloseDocument();
    Pump();
    auto* pAgain = dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(path)));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(CurvesOf(pAgain->GetDraw2dDocument()), drawn);
}
