// Dimensions end to end in the real program, with values typed into the command bar: a linear dimension
// from "0,0" to "100,0" whose typed-text switch offers the measured text before "A" is typed and placed; a
// baseline row ended with Enter; the angle of two picked lines; the diameter and the radius of a selected
// circle taken over at the start (their right-click entries enabled). One undo step each; saved, opened
// again and compared; the drawing printed through the renderer onto a PDF page shows arrows and texts.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>

#include <cmath>
#include <tuple>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/ListParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/afx/CRect.h"
#include "platform/win/WinConstants.h"
#include "tests/support/print/PdfPage.h"

namespace {

constexpr UINT kLinearID = 33552;
constexpr UINT kRadiusID = 33556;
constexpr UINT kDiameterID = 33557;
constexpr UINT kAngularID = 33558;
constexpr UINT kBaselineID = 33566;
constexpr UINT kUndoID = 57643;
constexpr UINT kRedoID = 57644;

// Kind, value text and box of every dimension, as a file must give them back.
using Dim = std::tuple<int, CString, double, double, double, double>;
std::vector<Dim> DimensionsOf(const Draw2dDocument* pModel)
{
    std::vector<Dim> dims;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        const auto* p = dynamic_cast<const Dimension2dFeatureBase*>(pModel->GetFeature(id));
        if (p == nullptr)
            continue;
        const RuVaBndBox2d box = p->GetBndBox();
        auto round = [](double v) { return std::round(v * 1e6) / 1e6; };
        dims.emplace_back(p->GetFeatureType(), p->GetValueText(), round(box.XMin()), round(box.YMin()),
                          round(box.XMax()), round(box.YMax()));
    }
    return dims;
}

class DimensionCommandsTest : public ProgramFixture
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
    QZ2Command::CommandBase* Running() const { return m_manager->GetActiveCommand(); }
    // A list chosen in the command bar's row of the item.
    void ChooseList(WORD id, int value)
    {
        QZ2Command::CommandBase* pCommand = Running();
        ASSERT_NE(pCommand, nullptr);
        const int index = pCommand->FindParameterIndex(id);
        ASSERT_GE(index, 0);
        auto* pList = dynamic_cast<QZ2Command::ListParameterItem*>(pCommand->GetParameterItem(index));
        ASSERT_NE(pList, nullptr);
        ASSERT_TRUE(pList->SetValue(value));
        m_manager->RunActiveCommand(index, TRUE);
        Pump();
    }
    void Key(CQZ2View* pView, UINT vk) { pView->SendMessage(WM_KEYDOWN, vk, 1); }

    QTemporaryDir m_files;
};

}  // namespace

TEST_F(DimensionCommandsTest, DimensionsTypedPickedAndTakenOverComeBackFromTheFileAndPrint)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    auto client = [&](double x, double y) { return pDraw->ConvertPointWorldToClient(RuVaPnt2d(x, y)); };

    // Two lines meeting at (150, 0) and a circle, to be dimensioned.
    const Line2dFeature first(RuVaPnt2d(150, 0), RuVaPnt2d(250, 0));
    const Line2dFeature second(RuVaPnt2d(150, 0), RuVaPnt2d(230, 60));
    const Circle2dFeature circle(RuVaPnt2d(60, 120), 25);
    pModel->BeginUndoOperation(nullptr);
    ASSERT_GT(pModel->AddFeature(&first, pModel->GetActiveDrawingFeature(), 1), 0);
    ASSERT_GT(pModel->AddFeature(&second, pModel->GetActiveDrawingFeature(), 1), 0);
    const long circleID = pModel->AddFeature(&circle, pModel->GetActiveDrawingFeature(), 1);
    ASSERT_GT(circleID, 0);
    pModel->EndUndoOperation();
    pModel->ClearUndoRedoHistory();
    int steps = 0;
    auto expectOneMoreStep = [&](const char* what, long shapes) {
        EXPECT_EQ(pModel->GetUndoCount(), ++steps) << what;
        EXPECT_EQ(pModel->GetFeatureCount(), shapes) << what;
    };

    // Linear: 0,0 to 100,0; the typed text starts as the measured one, then "A" is typed and placed.
    Command(kLinearID);
    ASSERT_NE(Running(), nullptr);
    TypeAndReturn(_T("0,0"));
    TypeAndReturn(_T("100,0"));
    ChooseList(3, 1);
    const int textRow = Running()->FindParameterIndex(4);
    ASSERT_GE(textRow, 0);
    CString measured;
    ASSERT_TRUE(static_cast<QZ2Command::TextParameterItem*>(Running()->GetParameterItem(textRow))->GetValue(measured));
    EXPECT_EQ(measured, CString(_T("100")));
    ASSERT_TRUE(m_manager->SetCurrentParameter(Running(), textRow));
    TypeAndReturn(_T("A"));
    EXPECT_EQ(pModel->GetFeatureCount(), 3);
    TypeAndReturn(_T("50,20"));
    expectOneMoreStep("linear", 4);
    ChooseList(3, 0);  // back to measured values for the next ones
    m_manager->CancelAllCommands();

    // A baseline row: 0,60 to 40,60, the position below, two further points, Enter.
    Command(kBaselineID);
    ASSERT_NE(Running(), nullptr);
    TypeAndReturn(_T("0,60"));
    TypeAndReturn(_T("40,60"));
    TypeAndReturn(_T("20,45"));
    TypeAndReturn(_T("70,60"));
    TypeAndReturn(_T("110,60"));
    EXPECT_EQ(pModel->GetFeatureCount(), 4) << "nothing before Enter";
    Key(pView, VK_RETURN);
    Pump();
    expectOneMoreStep("baseline row", 7);
    m_manager->CancelAllCommands();

    // The angle between the two lines, picked in the view, placed between them.
    Command(kAngularID);
    Click(pView, client(220, 0));
    Click(pView, client(190, 30));
    Click(pView, client(200, 15));
    expectOneMoreStep("angular", 8);
    m_manager->CancelAllCommands();

    // The selected circle enables the circle entries and is taken over by the diameter and the radius.
    SelectionManager* pSelection = pModel->GetSelectionManager();
    for (UINT command : {kDiameterID, kRadiusID}) {
        pSelection->UnselectAll();
        ASSERT_TRUE(pSelection->SelectFeature(FeatureRecord(circleID, -1)));
        for (LPCTSTR id : {_T("Korvan.Shape.DiameterDimension"), _T("Korvan.Shape.RadiusDimension"),
                           _T("Korvan.Shape.ArcDimension")})
            EXPECT_TRUE(QZ2Command::CommandBase::IsCommandEnabled(id, pModel));
        Command(command);
        ASSERT_NE(Running(), nullptr);
        EXPECT_FALSE(Running()->IsParameterEmpty(0));
        TypeAndReturn(command == kDiameterID ? _T("100,140") : _T("30,90"));
        expectOneMoreStep(command == kDiameterID ? "diameter" : "radius", command == kDiameterID ? 9 : 10);
        EXPECT_EQ(Running(), nullptr) << "the command ends after the taken-over circle";
    }
    const std::vector<Dim> drawn = DimensionsOf(pModel);
    ASSERT_EQ(drawn.size(), 7u);
    EXPECT_EQ(std::get<1>(drawn[0]), CString(_T("A")));
    EXPECT_EQ(std::get<1>(drawn[1]), CString(_T("40")));
    EXPECT_EQ(std::get<1>(drawn[2]), CString(_T("70")));
    EXPECT_EQ(std::get<1>(drawn[3]), CString(_T("110")));

    // Undone one run at a time and redone.
    for (int i = steps; i > 0; --i)
        Command(kUndoID);
    EXPECT_EQ(pModel->GetFeatureCount(), 3);
    for (int i = 0; i < steps; ++i)
        Command(kRedoID);
    EXPECT_EQ(DimensionsOf(pModel), drawn);

    // Printed through the renderer onto a PDF page: the texts are text there, and arrows and lines ink.
    const QString pdf = m_files.path() + QStringLiteral("/dimensions.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setResolution(300);
        // A view of the page's size over the drawing, its paper in sight, as printing makes one.
        Draw2dView page(pModel);
        page.SetDrawingFeature(pDraw->GetDrawingFeature());
        page.ResizeView(writer.width(), writer.height());
        page.ZoomPaper();
        QPainter painter(&writer);
        ASSERT_TRUE(DrawingManager::RenderViewTo(page, painter, writer.width(), writer.height(), -1, -1, nullptr, TRUE));
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    ASSERT_EQ(text.exitCode(), 0) << text.readAllStandardError().toStdString();
    if (qEnvironmentVariableIsSet("KC_DUMP_DIR"))
        QFile::copy(pdf, qEnvironmentVariable("KC_DUMP_DIR") + QStringLiteral("/dimensions.pdf"));
    const QString words = QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
    for (const char* expected : {"A", "40", "70", "110", "R25"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(expected))) << expected << " in " << words.toStdString();
    const QImage page = kctest::RenderPdfPage(pdf, 100);
    ASSERT_FALSE(page.isNull());
    int ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            ink += kctest::IsInk(page.pixel(x, y)) ? 1 : 0;
    EXPECT_GT(ink, 1500);

    // Saved, opened again: the same dimensions.
    const QString path = m_files.path() + QStringLiteral("/dimensions.kvcd");
    AnswerFileDialogWith(path);
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(QFileInfo::exists(path));
    pDoc->OnCloseDocument();
    Pump();
    auto* pAgain = dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(path)));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(DimensionsOf(pAgain->GetDraw2dDocument()), drawn);
}
