// The hatch command over the real manager, document, view and region searcher: a click inside four lines,
// a click on a line (no area: the message, nothing added), a search stopped through the progress callback
// (nothing, no message), a point list ended with Enter and a figure eight refused, a hollow hatch with one
// island, the closing outline previewed in colour 3, and the self-crossing test by cases.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <vector>

#include "command/CommandParameter.h"
#include "command/PointArrayParameterItem.h"
#include "commands/shape/Hatch2dCommand.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyProgressInfo.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kHatchID = 33572;
constexpr UINT kHollowHatchID = 33573;

class HatchTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        boxes().clear();
    }
    // Message boxes shown from now on are answered with OK; their texts are kept.
    static std::vector<QString>& boxes()
    {
        static std::vector<QString> texts;
        return texts;
    }
    static void AnswerMessageBoxes()
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(5);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer]() {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes().push_back(pBox->text());
                pBox->accept();
            }
        });
        QObject::connect(qApp, &QObject::destroyed, pTimer, &QObject::deleteLater);
        pTimer->start();
        s_pTimer = pTimer;
    }
    void TearDown() override
    {
        delete s_pTimer;
        s_pTimer = nullptr;
        DrawingCommandFixture::TearDown();
    }
    // A square of four lines with corners (x0, y0) and (x1, y1), in raster units.
    void Square(double x0, double y0, double x1, double y1)
    {
        const RuVaPnt2d c[4] = {P(x0, y0), P(x1, y0), P(x1, y1), P(x0, y1)};
        for (int i = 0; i < 4; ++i) {
            Line2dFeature line;
            ASSERT_TRUE(line.SetPoint(c[i], c[(i + 1) % 4]));
            ASSERT_NE(doc.AddFeature(&line, doc.GetActiveDrawingFeature(), 1), -1);
        }
        doc.ClearUndoRedoHistory();
    }
    void ChoosePointList()
    {
        const int n = Running()->FindParameterIndex(Hatch2dCommand::itemInsidePoint);
        ASSERT_TRUE(manager.SetParameterAlternative(nullptr, n, 2));
    }
    static QString Box(UINT id) { return QString::fromStdU16String(std::u16string(LoadResourceString(id))); }

    static QTimer* s_pTimer;
};
QTimer* HatchTest::s_pTimer = nullptr;

}  // namespace

TEST_F(HatchTest, SelfCrossingOutlines)
{
    struct Case {
        const char* name;
        KcArrayOfGePnt2d points;
        BOOL crossing;
    };
    const Case cases[] = {
        {"triangle", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(2, 3)}, FALSE},
        {"square", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(0, 4)}, FALSE},
        {"figure eight", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 4), RuVaPnt2d(4, 0), RuVaPnt2d(0, 4)}, TRUE},
        {"last side back into the first point", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(2, 2)},
         FALSE},
        {"a side touching a far corner", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(2, 0), RuVaPnt2d(0, 4)},
         TRUE},
        {"two points", {RuVaPnt2d(0, 0), RuVaPnt2d(4, 0)}, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hatch2dCommand::IsSelfCrossing(c.points), c.crossing) << c.name;
}

TEST_F(HatchTest, AClickInsideFourLinesHatchesTheAreaAndAClickOnALineFindsNone)
{
    Square(0, 0, 4, 3);
    AnswerMessageBoxes();
    Start(kHatchID);
    ASSERT_NE(dynamic_cast<Hatch2dCommand*>(Running()), nullptr);
    // Not a user-defined pattern: the scale and angle rows are not asked.
    ASSERT_NE(doc.GetHatchSetting()->GetHatchType(), 2);
    EXPECT_FALSE(Running()->FindItem(Hatch2dCommand::itemScale)->m_bRequired);

    Click(P(1, 1));
    auto hatches = Shapes<Hatch2dFeature>();
    ASSERT_EQ(hatches.size(), 1u);
    EXPECT_EQ(hatches[0]->GetLayerID(), layer);
    const RuVaBndBox2d box = hatches[0]->GetBndBox();
    EXPECT_NEAR(box.XMin(), P(0, 0).X(), 1e-6);
    EXPECT_NEAR(box.XMax(), P(4, 0).X(), 1e-6);
    EXPECT_NEAR(box.YMax(), P(0, 3).Y(), 1e-6);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_TRUE(boxes().empty());

    // On a line: no area, the message, nothing added, the point emptied.
    Click(P(2, 0));
    EXPECT_EQ(Shapes<Hatch2dFeature>().size(), 1u);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0], Box(11025));
    EXPECT_TRUE(Running()->IsParameterEmpty(Running()->FindParameterIndex(Hatch2dCommand::itemInsidePoint)));
}

TEST_F(HatchTest, ASearchStoppedThroughTheProgressCallbackLeavesNothingAndSaysNothing)
{
    Square(0, 0, 4, 3);
    CommandManager::ShellServices shell = CommandManager::GetShellServices();
    static int s_calls = 0;
    s_calls = 0;
    shell.pfnOnProgress = [](NotifyProgressInfo*, void*) -> int {
        ++s_calls;
        return FALSE;  // Escape pressed
    };
    CommandManager::SetShellServices(shell);
    AnswerMessageBoxes();
    Start(kHatchID);
    Click(P(1, 1));
    EXPECT_GT(s_calls, 0);
    EXPECT_TRUE(Shapes<Hatch2dFeature>().empty());
    EXPECT_EQ(doc.GetUndoCount(), 0);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(HatchTest, APointListEndedWithEnterAndAFigureEightRefused)
{
    AnswerMessageBoxes();
    Start(kHatchID);
    ChoosePointList();
    Click(P(0, 0));
    Click(P(4, 0));
    // The outline closes through the cursor, in colour 3 whatever the current colour.
    const QImage before = Render();
    const QImage preview = PreviewAt(P(2, 3));
    EXPECT_NE(preview, before);
    Click(P(2, 3));
    EXPECT_TRUE(Shapes<Hatch2dFeature>().empty()) << "made before the list was ended";
    ASSERT_TRUE(manager.FinishListInput());
    ASSERT_EQ(Shapes<Hatch2dFeature>().size(), 1u);
    EXPECT_EQ(doc.GetUndoCount(), 1);

    for (const RuVaPnt2d& p : {P(0, 5), P(4, 9), P(4, 5), P(0, 9)})
        Click(p);
    manager.FinishListInput();
    EXPECT_EQ(Shapes<Hatch2dFeature>().size(), 1u);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0], Box(11023));

    // Two points ended make nothing and say nothing.
    Click(P(6, 0));
    Click(P(8, 0));
    manager.FinishListInput();
    EXPECT_EQ(Shapes<Hatch2dFeature>().size(), 1u);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(HatchTest, AHollowHatchTakesTheIslandsThatAreFound)
{
    Square(0, 0, 6, 6);
    Square(2, 2, 4, 4);
    AnswerMessageBoxes();
    Start(kHollowHatchID);
    ASSERT_EQ(Running()->GetParameterCount(), 4);
    Click(P(1, 1));
    EXPECT_TRUE(Shapes<Hatch2dFeature>().empty()) << "made before the islands were given";
    // One good inner point and one on a line.
    Click(P(3, 3));
    Click(P(2, 3));
    ASSERT_TRUE(manager.FinishListInput());
    const auto hatches = Shapes<Hatch2dFeature>();
    ASSERT_EQ(hatches.size(), 1u);
    EXPECT_EQ(hatches[0]->GetInnerRegionCount(), 1);
    EXPECT_EQ(doc.GetUndoCount(), 1);
    EXPECT_TRUE(boxes().empty());

    // Islands that are all on lines: no hatch, the message.
    Click(P(1, 1));
    Click(P(2, 3));
    manager.FinishListInput();
    EXPECT_EQ(Shapes<Hatch2dFeature>().size(), 1u);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0], Box(11025));
}
