// The first drawing, end to end, as a user makes it: the real program started offscreen over a
// settings store of its own, File New through the main frame, the line command started by its id as
// the menu starts it, lines drawn by mouse messages to the drawing view (one snapped onto the end of
// another), Undo from the menu and by Ctrl+Z, Redo, File Save into a temporary folder with the file
// dialog answered, File Close, and File Open giving back the same lines.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QWidget>

#include <utility>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2FileDialog.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/CRect.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kUndoID = 57643;
constexpr UINT kRedoID = 57644;
constexpr UINT kEndCommandID = 37101;
const CString kLine(_T("Korvan.Shape.Line"));

// What a line is, as the document keeps it and as a file must give it back.
struct LineRecord {
    long id;
    RuVaPnt2d start;
    RuVaPnt2d end;
    short color;
    short lineType;
    short lineWidth;
    long layer;
};

bool operator==(const LineRecord& a, const LineRecord& b)
{
    return a.id == b.id && a.start.X() == b.start.X() && a.start.Y() == b.start.Y() && a.end.X() == b.end.X() &&
           a.end.Y() == b.end.Y() && a.color == b.color && a.lineType == b.lineType && a.lineWidth == b.lineWidth &&
           a.layer == b.layer;
}

std::ostream& operator<<(std::ostream& os, const LineRecord& r)
{
    return os << "#" << r.id << " (" << r.start.X() << ", " << r.start.Y() << ")-(" << r.end.X() << ", " << r.end.Y()
              << ") colour " << r.color << " type " << r.lineType << " width " << r.lineWidth << " layer " << r.layer;
}

std::vector<LineRecord> LinesOf(const Draw2dDocument* pModel)
{
    std::vector<LineRecord> lines;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        if (const auto* p = dynamic_cast<const Line2dFeature*>(pModel->GetFeature(id)))
            lines.push_back({id, p->GetStartPoint(), p->GetEndPoint(), p->GetColorNo(), p->GetLineTypeNo(),
                             p->GetLineWidthNo(), p->GetLayerID()});
    }
    return lines;
}

class FirstDrawingTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_files.isValid());
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Lines at any angle: the user has turned angular snapping off (snapping to points stays on).
        m_app->SetSnapAngularEnabled(FALSE);
        Pump();
    }

    // File New through the frame; the new drawing's document.
    CQZ2Doc* NewDrawing()
    {
        const int before = AfxGetDocManager()->GetDocumentCount();
        CQZ2Doc* pDoc = ProgramFixture::NewDrawing();
        EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), before + 1);
        return pDoc;
    }

    static LPARAM At(const CPoint& p) { return MAKELPARAM(p.x, p.y); }
    void Move(CQZ2View* pView, const CPoint& p) { pView->SendMessage(WM_MOUSEMOVE, 0, At(p)); }
    void Key(CQZ2View* pView, UINT vk) { pView->SendMessage(WM_KEYDOWN, vk, 1); }

    // Answers the next file dialog with the path, as a user typing it and pressing Save would; with no
    // path, cancels it. Every dialog answered is counted.
    void AnswerFileDialogWith(const QString& path)
    {
        m_answer.disconnect();
        m_answer.setInterval(10);
        QObject::connect(&m_answer, &QTimer::timeout, [this, path]() {
            // The program's own file dialog: the path typed as the name, then Save (or Cancel).
            if (auto* pOwn = dynamic_cast<CQZ2FileDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()))) {
                m_answer.stop();
                ++m_dialogs;
                pOwn->GetDlgItem(CQZ2FileDialog::kFileNameEdit)->SetWindowText(CString::FromQString(path));
                pOwn->SendMessage(WM_COMMAND, MAKEWPARAM(path.isEmpty() ? IDCANCEL : IDOK, BN_CLICKED), 0);
                return;
            }
            auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (pDialog == nullptr)
                return;
            m_answer.stop();
            ++m_dialogs;
            if (path.isEmpty()) {
                pDialog->reject();
                return;
            }
            pDialog->selectFile(path);
            // Accepting checks the name as the Save button does.
            static_cast<QDialog*>(pDialog)->accept();
        });
        m_answer.start();
    }

    QString FilePath(const QString& name) const { return m_files.path() + QLatin1Char('/') + name; }

    QTemporaryDir m_files;
    QTimer m_answer;
    int m_dialogs = 0;
};

void ExpectSamePoint(const RuVaPnt2d& a, const RuVaPnt2d& b, double tolerance)
{
    EXPECT_NEAR(a.X(), b.X(), tolerance);
    EXPECT_NEAR(a.Y(), b.Y(), tolerance);
}

}  // namespace

TEST_F(FirstDrawingTest, ThreeLinesDrawnUndoneSavedClosedAndOpenedAgain)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_NE(pModel, nullptr);
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    ASSERT_NE(pDraw, nullptr);
    EXPECT_EQ(m_manager->GetActiveView(), pDraw);

    // The attributes the user picked for new shapes.
    const long layer = pModel->AddLayer(_T("Outline"), -1);
    ASSERT_NE(layer, -1);
    ASSERT_TRUE(pModel->SetCurrentLayerID(layer, 1));
    ASSERT_TRUE(pModel->SetCurrentColorNo(5, 1));
    ASSERT_TRUE(pModel->SetCurrentLineTypeNo(2, 1));
    ASSERT_TRUE(pModel->SetCurrentLineWidthNo(3, 1));

    Command(kLineID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(m_manager->GetActiveCommandName(), kLine);

    CRect client;
    pView->GetClientRect(&client);
    ASSERT_GT(client.Width(), 200);
    ASSERT_GT(client.Height(), 150);
    const int w = client.Width(), h = client.Height();
    // Well apart, so that no click meets a point of an earlier line by chance.
    const CPoint a(w / 5, h / 4), b(w / 2, h / 4), c(w / 5, 3 * h / 4), d(w / 2, 2 * h / 3), e(4 * w / 5, h / 3);

    // Where a click lands: the world point under it, or the point it snaps to. Taken just before the
    // click, with the lines drawn so far in place.
    auto clickAt = [&](const CPoint& p) {
        Move(pView, p);
        const RuVaPnt2d landing =
            m_manager->IsSnapped() ? m_manager->GetSnapWorldPoint() : pDraw->ConvertPointClientToWorld(p, TRUE);
        Click(pView, p);
        return landing;
    };
    const RuVaPnt2d wa = clickAt(a), wb = clickAt(b), wc = clickAt(c), wd = clickAt(d);
    // Clear of every shape, the first two lines are where the user clicked, to the pixel.
    for (const auto& [point, world] : {std::pair{a, wa}, {b, wb}, {c, wc}, {d, wd}})
        ExpectSamePoint(world, pDraw->ConvertPointClientToWorld(point, TRUE), 1.0 / pDraw->GetScale());
    // The third line starts a few pixels off the second one's end: it starts exactly there.
    const CPoint nearD(d.x + 3, d.y - 2);
    const RuVaPnt2d offEnd = pDraw->ConvertPointClientToWorld(nearD, TRUE);
    ASSERT_GT(offEnd.Distance(wd), 2.0 / pDraw->GetScale());
    clickAt(nearD);
    EXPECT_TRUE(m_manager->IsSnapped());
    const RuVaPnt2d we = clickAt(e);

    const std::vector<LineRecord> drawn = LinesOf(pModel);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(pModel->GetFeatureCount(), 3);
    const RuVaPnt2d expected[3][2] = {{wa, wb}, {wc, wd}, {wd, we}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectSamePoint(drawn[i].start, expected[i][0], 1e-9);
        ExpectSamePoint(drawn[i].end, expected[i][1], 1e-9);
        EXPECT_EQ(drawn[i].color, 5);
        EXPECT_EQ(drawn[i].lineType, 2);
        EXPECT_EQ(drawn[i].lineWidth, 3);
        EXPECT_EQ(drawn[i].layer, layer);
    }
    EXPECT_EQ(drawn[2].start.X(), drawn[1].end.X());
    EXPECT_EQ(drawn[2].start.Y(), drawn[1].end.Y());
    // The command stays for the next line.
    EXPECT_EQ(m_manager->GetActiveCommandName(), kLine);
    // The changed drawing is due for a recovery copy, which the auto-save writes; the drawing stays unsaved.
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->IsAutoSaveDirty());
    m_app->AutoSaveAll();
    EXPECT_FALSE(pDoc->IsAutoSaveDirty());
    const QString recovery = pDoc->GetRecoveryFilePath().ToQString();
    EXPECT_TRUE(QFileInfo::exists(recovery));
    EXPECT_TRUE(pDoc->IsModified());

    // Undo from the menu takes the last line away and nothing else; the line command goes on.
    Command(kUndoID);
    const std::vector<LineRecord> kept = LinesOf(pModel);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], drawn[0]);
    EXPECT_EQ(kept[1], drawn[1]);
    EXPECT_EQ(m_manager->GetActiveCommandName(), kLine);

    // Ctrl+Z in the view, which has the focus as a click into it leaves it, takes back one more line;
    // Redo from the menu brings it back.
    pView->SetFocus();
    QWidget* pWidget = pView->GetQWidget();
    QCoreApplication::postEvent(pWidget, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier));
    QCoreApplication::postEvent(pWidget, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Z, Qt::ControlModifier));
    Pump();
    ASSERT_EQ(LinesOf(pModel).size(), 1u);
    EXPECT_EQ(LinesOf(pModel)[0], drawn[0]);
    Command(kRedoID);
    EXPECT_EQ(LinesOf(pModel), kept);
    EXPECT_EQ(m_manager->GetActiveCommandName(), kLine);

    // Closing now would lose the lines: the user is asked first, and Cancel keeps the drawing open.
    m_app->boxes.clear();
    m_app->answer = IDCANCEL;
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(ActiveDocument(), pDoc);
    m_app->answer = IDOK;

    // File Save asks for a name the first time.
    const QString path = FilePath(QStringLiteral("first.kvcd"));
    AnswerFileDialogWith(path);
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(pDoc->IsModified());
    // Saved under its name, the drawing needs its recovery copy no more.
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_EQ(QFileInfo(pDoc->GetPathName().ToQString()).canonicalFilePath(), QFileInfo(path).canonicalFilePath());

    // File Close takes the drawing away without asking: it was saved.
    const int documents = AfxGetDocManager()->GetDocumentCount();
    m_app->boxes.clear();
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), documents - 1);
    EXPECT_TRUE(m_app->boxes.empty());

    // File Open brings it back in a window of its own.
    AnswerFileDialogWith(path);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(AfxGetDocManager()->GetDocumentCount(), documents);
    CQZ2Doc* pAgain = ActiveDocument();
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(QFileInfo(pAgain->GetPathName().ToQString()).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    ASSERT_NE(ActiveDrawView(), nullptr);
    EXPECT_EQ(LinesOf(pAgain->GetDraw2dDocument()), kept);
    EXPECT_EQ(pAgain->GetDraw2dDocument()->GetCurrentLayerID(), layer);
    EXPECT_FALSE(pAgain->IsModified());

    // Drawing goes on in the opened drawing: the next line is a shape of its own, with the same attributes.
    CQZ2View* pAgainView = ActiveDrawView();
    Command(kLineID);
    ASSERT_EQ(m_manager->GetDraw2dDocument(), pAgain->GetDraw2dDocument());
    Click(pAgainView, a);
    Click(pAgainView, e);
    const std::vector<LineRecord> more = LinesOf(pAgain->GetDraw2dDocument());
    ASSERT_EQ(more.size(), 3u);
    EXPECT_EQ(more[0], kept[0]);
    EXPECT_EQ(more[1], kept[1]);
    EXPECT_NE(more[2].id, kept[0].id);
    EXPECT_NE(more[2].id, kept[1].id);
    EXPECT_EQ(more[2].color, 5);
    EXPECT_EQ(more[2].layer, layer);
    EXPECT_TRUE(pAgain->IsModified());

    // Saving a drawing that has its name writes it in place, without a dialog.
    m_dialogs = 0;
    AnswerFileDialogWith(QString());
    Command(ID_FILE_SAVE);
    m_answer.stop();
    EXPECT_EQ(m_dialogs, 0);
    EXPECT_FALSE(pAgain->IsModified());
    pAgain->OnCloseDocument();
    Pump();
    pAgain = dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(path)));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(LinesOf(pAgain->GetDraw2dDocument()), more);
}

TEST_F(FirstDrawingTest, EscapeAndEnterKeepTheLineCommandAndAnotherCommandEndsIt)
{
    ASSERT_NE(NewDrawing(), nullptr);
    Draw2dDocument* pModel = ActiveDocument()->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Command(kLineID);
    QZ2Command::CommandBase* pLine = m_manager->GetActiveCommand();
    ASSERT_NE(pLine, nullptr);

    Click(pView, CPoint(60, 50));
    ASSERT_FALSE(pLine->IsParameterEmpty(0));
    ASSERT_EQ(pLine->GetCurrentParameterIndex(), 1);

    // Escape never ends the running command, nor drops what was given.
    Key(pView, VK_ESCAPE);
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);
    EXPECT_FALSE(pLine->IsParameterEmpty(0));
    Key(pView, VK_ESCAPE);
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);

    // Enter steps on to the next input.
    Key(pView, VK_RETURN);
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 2);

    // Starting the line again begins afresh; ending the command leaves nothing running and no line made.
    Command(kLineID);
    EXPECT_EQ(m_manager->GetActiveCommand(), pLine);
    for (int i = 0; i < pLine->GetParameterCount(); ++i)
        EXPECT_TRUE(pLine->IsParameterEmpty(i)) << i;
    EXPECT_EQ(pLine->GetCurrentParameterIndex(), 0);
    Click(pView, CPoint(60, 50));
    Command(kEndCommandID);
    EXPECT_FALSE(m_manager->HasActiveCommand());
    EXPECT_EQ(pModel->GetFeatureCount(), 0);
}

TEST_F(FirstDrawingTest, ClicksAsTheWindowSystemDeliversThemDrawALine)
{
    ASSERT_NE(NewDrawing(), nullptr);
    Draw2dDocument* pModel = ActiveDocument()->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    Command(kLineID);
    ASSERT_EQ(m_manager->GetActiveCommandName(), kLine);

    // Moves, presses and releases queued for the view's window, as the mouse makes them.
    QWidget* pWidget = pView->GetQWidget();
    auto mouse = [&](QEvent::Type type, const CPoint& p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF local(p.x, p.y);
        QCoreApplication::postEvent(
            pWidget, new QMouseEvent(type, local, pWidget->mapToGlobal(local), button, buttons, Qt::NoModifier));
    };
    auto click = [&](const CPoint& p) {
        mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        Pump();
    };
    const CPoint from(70, 90), to(190, 150);
    click(from);
    click(to);
    const std::vector<LineRecord> lines = LinesOf(pModel);
    ASSERT_EQ(lines.size(), 1u);
    ExpectSamePoint(lines[0].start, pDraw->ConvertPointClientToWorld(from, TRUE), 1e-9);
    ExpectSamePoint(lines[0].end, pDraw->ConvertPointClientToWorld(to, TRUE), 1e-9);
    EXPECT_EQ(m_manager->GetActiveCommandName(), kLine);
}
