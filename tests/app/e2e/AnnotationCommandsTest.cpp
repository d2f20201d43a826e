// Annotations end to end in the real program: a text "ABC" typed at 30 degrees, a paragraph written in the
// text dialog through the input method and confirmed with Ctrl+Return, a double click changing that
// paragraph, a hatch by a click inside four lines and a point-list hatch ended with Enter, a leader, a
// balloon, a tolerance frame built in its editor and a PNG picture; each one undo step; everything undone
// and redone; saved and opened again with the same objects and picture bytes. Then a diameter leader on
// a circle, a chamfer leader on a line, a balloon of two texts, a hollow hatch with an island, a self-crossing
// point list refused with its message, and JPEG, BMP and TIFF pictures kept as their files' bytes. A pattern
// made from picked shapes used by a hatch, a component with a typed attribute, and a run in Japanese.

#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtGui/QInputMethodEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "commands/shape/CTextEditDialog.h"
#include "commands/shape/CToleranceEditDialog.h"
#include "libs/vevure/Image2dFeature.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "commands/shape/Lead2dCommand.h"
#include "command/CommandBase.h"
#include "command/ListParameterItem.h"
#include "command/TextParameterItem.h"
#include <QtCore/QFile>
#include "platform/afx/ResourceModule.h"
#include "platform/afx/CRect.h"
#include "platform/win/CEdit.h"
#include "platform/win/WinConstants.h"
#include "commands/shape/CAttributeDialog.h"
#include "commands/shape/Hatch2dCommand.h"
#include "controls/GridCellNotify.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "libs/vevure/UserDefinedHatchFormat.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/CButton.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CHatchPatternTableDialog.h"
#include "settings/CHatchSettingPage.h"
#include "settings/CShapeHatchPatternSettingDialog.h"
#include "structure/CDrawComponentBar.h"

namespace {

constexpr UINT kTextID = 33512;
constexpr UINT kParagraphID = 33513;
constexpr UINT kHatchID = 33572;
constexpr UINT kLineID = 33412;
constexpr UINT kLeadID = 33532;
constexpr UINT kBalloonID = 33542;
constexpr UINT kToleranceID = 33547;
constexpr UINT kImageID = 33622;
constexpr UINT kChamferLeadID = 33533;
constexpr UINT kHollowHatchID = 33573;
constexpr UINT kCircleID = 33442;
constexpr UINT kUndoID = 57643;
constexpr UINT kShapePatternID = 33574;
constexpr UINT kHatchSettingID = 34637;
constexpr UINT kComponentID = 33612;
constexpr UINT kRedoID = 57644;

struct Annotation {
    int type;
    CString text;
    double angle;
    double x0, y0, x1, y1;
    long layer;
    bool operator==(const Annotation& o) const
    {
        return type == o.type && text == o.text && angle == o.angle && x0 == o.x0 && y0 == o.y0 && x1 == o.x1 &&
               y1 == o.y1 && layer == o.layer;
    }
};

std::ostream& operator<<(std::ostream& os, const Annotation& a)
{
    return os << "type " << a.type << " text \"" << QString::fromStdU16String(std::u16string(a.text)).toStdString()
              << "\" angle " << a.angle << " box (" << a.x0 << ", " << a.y0 << ")-(" << a.x1 << ", " << a.y1 << ")";
}

std::vector<Annotation> ObjectsOf(const Draw2dDocument* pModel)
{
    std::vector<Annotation> objects;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id)) {
        const Feature2dBase* p = pModel->GetFeature(id);
        const RuVaBndBox2d box = p->GetBndBox();
        Annotation a{p->GetFeatureType(), CString(), 0.0, 0, 0, 0, 0, p->GetLayerID()};
        if (!box.IsVoid()) {
            a.x0 = box.XMin();
            a.y0 = box.YMin();
            a.x1 = box.XMax();
            a.y1 = box.YMax();
        }
        if (const auto* pText = dynamic_cast<const Text2dFeature*>(p)) {
            a.text = pText->GetText();
            a.angle = pText->GetAngle();
        }
        if (const auto* pImage = dynamic_cast<const Image2dFeature*>(p)) {
            // The picture's bytes stand for it.
            const std::vector<BYTE>& bytes = pImage->GetImageData();
            a.text = CString::FromQString(QString::fromLatin1(
                QByteArray(reinterpret_cast<const char*>(bytes.data()), (qsizetype)bytes.size()).toHex()));
        }
        objects.push_back(a);
    }
    return objects;
}

class AnnotationCommandsTest : public ProgramFixture
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
    // While the next text dialog shows: `act` works it (and closes it).
    void WhenTextDialogShows(std::function<void(CTextEditDialog&)> act)
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(10);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer, act]() {
            auto* pDialog = dynamic_cast<CTextEditDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            act(*pDialog);
        });
        pTimer->start();
    }

    long LastID(const Draw2dDocument* pModel) const
    {
        long last = -1;
        for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
            last = id;
        return last;
    }
    // Sets a list row of the running command, as choosing in its combo does.
    void ChooseInList(WORD wItem, int nValue)
    {
        QZ2Command::CommandBase* pCommand = m_manager->GetActiveCommand();
        ASSERT_NE(pCommand, nullptr);
        QZ2Command::ListParameterItem value;
        value.Copy(*pCommand->FindItem(wItem));
        value.SetValue(nValue);
        ASSERT_TRUE(m_manager->SetParameterValue(pCommand->FindParameterIndex(wItem), value, TRUE));
    }

    // Types the value into the attribute's value cell, as the grid reports an edit to its dialog.
    static void TypeAttribute(CAttributeDialog& d, const CString& name, const CString& text)
    {
        int row = -1;
        for (int r = 0; r < d.GetGrid().GetRowCount() && row < 0; ++r) {
            COleVariant cell;
            d.GetGrid().GetCellValue(r, 1, &cell);
            if (cell.GetString() == name)
                row = r;
        }
        ASSERT_GE(row, 0);
        GridCellNotify notify{};
        notify.hdr.hwndFrom = d.GetGrid().GetSafeHwnd();
        notify.hdr.idFrom = CAttributeDialog::kGrid;
        notify.nRow = row;
        notify.nColumn = 2;
        const COleVariant value{text};
        notify.hdr.code = GridCellNotify::kValueChanging;
        VariantCopy(&notify.value, &value);
        ASSERT_EQ(d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify)), 0);
        VariantClear(&notify.value);
        d.GetGrid().SetCellValue(row, 2, &value);
        notify.hdr.code = GridCellNotify::kCellChanged;
        d.SendMessage(WM_NOTIFY, CAttributeDialog::kGrid, reinterpret_cast<LPARAM>(&notify));
    }

    // Saves the drawing as the named file through Save, closes it and opens the file again; nullptr when
    // either step fails.
    CQZ2Doc* SaveCloseAndReopen(CQZ2Doc* pDoc, const QString& name)
    {
        const QString path = m_files.path() + QLatin1Char('/') + name;
        AnswerFileDialogWith(path);
        Command(ID_FILE_SAVE);
        EXPECT_TRUE(QFileInfo::exists(path));
        if (!QFileInfo::exists(path))
            return nullptr;
        pDoc->OnCloseDocument();
        Pump();
        return dynamic_cast<CQZ2Doc*>(m_app->OpenDocumentFile(CString::FromQString(path)));
    }

    QTemporaryDir m_files;
};

}  // namespace

TEST_F(AnnotationCommandsTest, TextsAndHatchesAreOneStepEachAndComeBackFromTheFile)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    const long layer = pModel->AddLayer(_T("Notes"), -1);
    ASSERT_TRUE(pModel->SetCurrentLayerID(layer, 1));
    pModel->ClearUndoRedoHistory();

    CRect client;
    pView->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    ASSERT_GT(w, 200);
    auto at = [&](double fx, double fy) { return CPoint((int)(w * fx), (int)(h * fy)); };
    auto world = [&](const CPoint& p) { return pDraw->ConvertPointClientToWorld(p, TRUE); };
    int steps = 0;
    auto expectOneMoreStep = [&](const char* what, int objects) {
        ++steps;
        EXPECT_EQ(pModel->GetUndoCount(), steps) << what;
        EXPECT_EQ(pModel->GetFeatureCount(), objects) << what;
    };

    // A text typed in the command bar at 30 degrees.
    Command(kTextID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    TypeAndReturn(_T("ABC"));
    // The angle row starts given (0): the user goes to it to change it.
    ASSERT_TRUE(m_manager->SetCurrentParameter(nullptr, 1));
    TypeAndReturn(_T("30"));
    EXPECT_FALSE(m_manager->GetActiveCommand()->IsParameterEmpty(0)) << "the typed text was not taken";
    Click(pView, at(0.1, 0.15));
    expectOneMoreStep("text", 1);
    {
        const auto* pText = dynamic_cast<const Text2dFeature*>(pModel->GetFeature(pModel->GetNextFeatureRecordID(-1)));
        ASSERT_NE(pText, nullptr);
        EXPECT_EQ(pText->GetText(), CString(_T("ABC")));
        EXPECT_NEAR(pText->GetAngle(), 30.0, 1e-9);
        EXPECT_EQ(pText->GetLayerID(), layer);
    }
    m_manager->CancelAllCommands();

    // A paragraph through the input method: pre-edit, then the committed text, then Ctrl+Return.
    bool shot = false;
    WhenTextDialogShows([&shot](CTextEditDialog& d) {
        QWidget* pEdit = d.GetDlgItem(CTextEditDialog::kTextEdit)->GetQWidget();
        QWidget* pWindow = d.GetQWidget()->window();
        pWindow->activateWindow();
        QApplication::setActiveWindow(pWindow);
        pEdit->setFocus();
        QTest::keyClicks(pEdit, QStringLiteral("Note"));
        QTest::keyClick(pEdit, Qt::Key_Return);
        QInputMethodEvent preedit(QStringLiteral("にほんご"), {});
        QApplication::sendEvent(pEdit, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("日本語"));
        QApplication::sendEvent(pEdit, &commit);
        if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
            QApplication::processEvents();
            d.GetQWidget()->window()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/text-dialog.png"));
        }
        shot = true;
        QTest::keyClick(pEdit, Qt::Key_Return, Qt::ControlModifier);
    });
    Command(kParagraphID);
    Pump();
    EXPECT_TRUE(shot);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    TypeAndReturn(_T("0"));
    const CPoint paragraphAt = at(0.1, 0.35);
    Click(pView, paragraphAt);
    expectOneMoreStep("paragraph", 2);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr) << "one paragraph ends the command";
    long paragraph = -1;
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        paragraph = id;
    {
        const auto* pText = dynamic_cast<const Text2dFeature*>(pModel->GetFeature(paragraph));
        ASSERT_NE(pText, nullptr);
        EXPECT_EQ(pText->GetText(), CString(_T("Note\n日本語")));
    }

    // A double click on the paragraph opens the dialog with its text; OK changes it in one step.
    CString shown;
    WhenTextDialogShows([&shown](CTextEditDialog& d) {
        auto* pEdit = static_cast<CEdit*>(d.GetDlgItem(CTextEditDialog::kTextEdit));
        pEdit->GetWindowText(shown);
        pEdit->SetWindowText(_T("Changed"));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    {
        const auto* pText = dynamic_cast<const Text2dFeature*>(pModel->GetFeature(paragraph));
        const CPoint onText = pDraw->ConvertPointWorldToClient(pText->GetBndBox().Center());
        pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onText.x, onText.y));
        pView->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(onText.x, onText.y));
        Pump();
        Pump();
    }
    EXPECT_EQ(shown, CString(_T("Note\n日本語")));
    EXPECT_EQ(dynamic_cast<const Text2dFeature*>(pModel->GetFeature(paragraph))->GetText(), CString(_T("Changed")));
    expectOneMoreStep("changed paragraph", 2);
    m_manager->CancelAllCommands();

    // Four lines, then a hatch by a click inside them.
    Command(kLineID);
    const CPoint c[4] = {at(0.5, 0.2), at(0.8, 0.2), at(0.8, 0.5), at(0.5, 0.5)};
    for (int i = 0; i < 4; ++i) {
        Click(pView, c[i]);
        Click(pView, c[(i + 1) % 4]);
    }
    m_manager->CancelAllCommands();
    steps += 4;
    ASSERT_EQ(pModel->GetFeatureCount(), 6);
    Command(kHatchID);
    Click(pView, at(0.65, 0.35));
    expectOneMoreStep("hatch by a click", 7);
    {
        long last = -1;
        for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
            last = id;
        const auto* pHatch = dynamic_cast<const Hatch2dFeature*>(pModel->GetFeature(last));
        ASSERT_NE(pHatch, nullptr);
        const RuVaBndBox2d box = pHatch->GetBndBox();
        EXPECT_NEAR(box.XMin(), world(c[0]).X(), 1e-6);
        EXPECT_NEAR(box.XMax(), world(c[1]).X(), 1e-6);
        EXPECT_EQ(pHatch->GetLayerID(), layer);
    }

    // A point-list hatch ended with Enter.
    const int outer = m_manager->GetActiveCommand()->FindParameterIndex(0);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, outer, 2));
    Click(pView, at(0.5, 0.7));
    Click(pView, at(0.8, 0.7));
    Click(pView, at(0.65, 0.9));
    pView->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    expectOneMoreStep("point-list hatch", 8);
    m_manager->CancelAllCommands();

    // A leader with a typed text through two points.
    Command(kLeadID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    // The text row is optional: the text is typed into that row.
    ASSERT_TRUE(m_manager->SetParameterText(1, _T("NOTE"), TRUE));
    Click(pView, at(0.3, 0.6));
    Click(pView, at(0.38, 0.52));
    expectOneMoreStep("leader", 9);
    m_manager->CancelAllCommands();

    // A balloon at the end of two points ended with Enter.
    Command(kBalloonID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    TypeAndReturn(_T("12"));
    Click(pView, at(0.3, 0.75));
    Click(pView, at(0.38, 0.82));
    pView->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    expectOneMoreStep("balloon", 10);
    m_manager->CancelAllCommands();

    // A tolerance frame built in the editor through its controls.
    {
        auto* pTimer = new QTimer;
        pTimer->setInterval(10);
        QObject::connect(pTimer, &QTimer::timeout, [pTimer]() {
            auto* pDialog = dynamic_cast<CToleranceEditDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pTimer->stop();
            pTimer->deleteLater();
            auto* pCombo = static_cast<CComboBox*>(pDialog->GetDlgItem(CToleranceEditDialog::kFirstSymbolCombo));
            pCombo->SetCurSel(1);
            pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(CToleranceEditDialog::kFirstSymbolCombo, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(pCombo->GetSafeHwnd()));
            pDialog->GetDlgItem(CToleranceEditDialog::kFirstToleranceEdit)->SetWindowText(_T("0.1"));
            pDialog->GetDlgItem(CToleranceEditDialog::kFirstDatumEdit)->SetWindowText(_T("A"));
            pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        pTimer->start();
    }
    Command(kToleranceID);
    Pump();
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    Click(pView, at(0.05, 0.55));
    expectOneMoreStep("tolerance frame", 11);
    m_manager->CancelAllCommands();

    // A PNG picture between two corners.
    const QString picturePath = m_files.path() + QStringLiteral("/picture.png");
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(picturePath));
    }
    AnswerFileDialogWith(picturePath);
    Command(kImageID);
    Pump();
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    Click(pView, at(0.85, 0.6));
    Click(pView, at(0.97, 0.8));
    expectOneMoreStep("picture", 12);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr) << "one picture ends the command";

    if (qEnvironmentVariableIsSet("KC_SCREENSHOT_DIR")) {
        Pump();
        m_frame->GetQWidget()->grab().save(qEnvironmentVariable("KC_SCREENSHOT_DIR") + QStringLiteral("/annotations.png"));
    }

    // Everything undone back to the empty drawing, and redone.
    const std::vector<Annotation> made = ObjectsOf(pModel);
    for (int i = steps; i > 0; --i)
        Command(kUndoID);
    EXPECT_EQ(pModel->GetFeatureCount(), 0);
    for (int i = 0; i < steps; ++i)
        Command(kRedoID);
    EXPECT_EQ(ObjectsOf(pModel), made);

    // Saved and opened again: the same objects.
    CQZ2Doc* pAgain = SaveCloseAndReopen(pDoc, QStringLiteral("annotations.kvcd"));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(ObjectsOf(pAgain->GetDraw2dDocument()), made);
}

TEST_F(AnnotationCommandsTest, LeadersOnShapesDividedBalloonsHatchesWithIslandsAndEveryPictureFormat)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    Draw2dView* pDraw = pView->GetDraw2dView();
    pModel->ClearUndoRedoHistory();
    m_app->boxes.clear();

    CRect client;
    pView->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    auto at = [&](double fx, double fy) { return CPoint((int)(w * fx), (int)(h * fy)); };
    auto world = [&](const CPoint& p) { return pDraw->ConvertPointClientToWorld(p, TRUE); };
    int steps = 0;
    auto expectOneMoreStep = [&](const char* what, int objects) {
        ++steps;
        EXPECT_EQ(pModel->GetUndoCount(), steps) << what;
        EXPECT_EQ(pModel->GetFeatureCount(), objects) << what;
    };
    auto square = [&](double x0, double y0, double x1, double y1) {
        Command(kLineID);
        const CPoint c[4] = {at(x0, y0), at(x1, y0), at(x1, y1), at(x0, y1)};
        for (int i = 0; i < 4; ++i) {
            Click(pView, c[i]);
            Click(pView, c[(i + 1) % 4]);
        }
        m_manager->CancelAllCommands();
        steps += 4;
    };

    // A circle and a slanted line.
    Command(kCircleID);
    const CPoint centre = at(0.15, 0.25), rim = at(0.22, 0.25);
    Click(pView, centre);
    Click(pView, rim);
    m_manager->CancelAllCommands();
    Command(kLineID);
    const CPoint lineFrom = at(0.35, 0.15), lineTo = at(0.45, 0.35);
    Click(pView, lineFrom);
    Click(pView, lineTo);
    m_manager->CancelAllCommands();
    steps += 2;
    ASSERT_EQ(pModel->GetFeatureCount(), 2);
    const double diameter = 2 * world(centre).Distance(world(rim));

    // A leader of the diameter kind: a pick on the circle makes its text "φ" and the diameter and starts it there.
    Command(kLeadID);
    ChooseInList(QZ2Command::Lead2dCommand::itemKind, QZ2Command::Lead2dCommand::kindDiameter);
    Click(pView, rim);
    Click(pView, at(0.3, 0.1));
    expectOneMoreStep("diameter leader", 3);
    {
        const auto* pLead = dynamic_cast<const Lead2dFeature*>(pModel->GetFeature(LastID(pModel)));
        ASSERT_NE(pLead, nullptr);
        const CString text = pLead->GetText();
        ASSERT_FALSE(text.IsEmpty());
        EXPECT_EQ(text[0], u'\u03C6');
        EXPECT_NEAR(CString(text.Mid(1)).ToQString().toDouble(), diameter, 0.01 * diameter);
        EXPECT_NEAR(pLead->GetPoint(0).Distance(world(centre)), diameter / 2, 1e-6);
    }
    m_manager->CancelAllCommands();

    // A chamfer leader on the slanted line: "C" and the chamfer size, from the line's middle.
    Command(kChamferLeadID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    Click(pView, CPoint((lineFrom.x + lineTo.x) / 2, (lineFrom.y + lineTo.y) / 2));
    Click(pView, at(0.55, 0.1));
    expectOneMoreStep("chamfer leader", 4);
    {
        const auto* pLead = dynamic_cast<const Lead2dFeature*>(pModel->GetFeature(LastID(pModel)));
        ASSERT_NE(pLead, nullptr);
        EXPECT_EQ(pLead->GetText().Left(1), CString(_T("C")));
        EXPECT_NEAR(pLead->GetPoint(0).Distance(world(lineFrom).CenterPoint(world(lineTo))), 0.0, 1e-6);
    }
    m_manager->CancelAllCommands();

    // A balloon of two texts at one point.
    Command(kBalloonID);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 0, 1));
    ASSERT_TRUE(m_manager->SetParameterText(0, _T("A"), TRUE));
    ASSERT_TRUE(m_manager->SetParameterText(1, _T("B"), TRUE));
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, 2, 1));
    Click(pView, at(0.7, 0.2));
    expectOneMoreStep("two-part balloon", 5);
    {
        const auto* pBalloon = dynamic_cast<const Balloon2dFeature*>(pModel->GetFeature(LastID(pModel)));
        ASSERT_NE(pBalloon, nullptr);
        EXPECT_EQ(pBalloon->GetText(), CString(_T("A\\|B")));
    }
    m_manager->CancelAllCommands();

    // A hollow hatch: the outer square, one island, Enter.
    square(0.05, 0.5, 0.35, 0.95);
    square(0.15, 0.65, 0.25, 0.8);
    ASSERT_EQ(pModel->GetFeatureCount(), 13);
    // The search behind a click stopped by Escape: nothing added, nothing said, the command still waiting.
    Command(kHatchID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    pView->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    Click(pView, at(0.2, 0.72));
    Pump();
    EXPECT_EQ(pModel->GetFeatureCount(), 13);
    EXPECT_EQ(pModel->GetUndoCount(), steps);
    EXPECT_TRUE(m_app->boxes.empty());
    EXPECT_NE(m_manager->GetActiveCommand(), nullptr) << "the Escape went to the search, not the command";
    m_manager->CancelAllCommands();
    Command(kHollowHatchID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    Click(pView, at(0.08, 0.55));
    Click(pView, at(0.2, 0.72));
    pView->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    expectOneMoreStep("hollow hatch", 14);
    {
        const auto* pHatch = dynamic_cast<const Hatch2dFeature*>(pModel->GetFeature(LastID(pModel)));
        ASSERT_NE(pHatch, nullptr);
        EXPECT_EQ(pHatch->GetInnerRegionCount(), 1);
    }
    m_manager->CancelAllCommands();

    // A point-list hatch crossing itself is refused with the message, and adds nothing.
    Command(kHatchID);
    const int outer = m_manager->GetActiveCommand()->FindParameterIndex(0);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, outer, 2));
    for (const CPoint& p : {at(0.45, 0.5), at(0.6, 0.7), at(0.6, 0.5), at(0.45, 0.7)})
        Click(pView, p);
    pView->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(pModel->GetUndoCount(), steps);
    EXPECT_EQ(pModel->GetFeatureCount(), 14);
    std::u16string selfCrossing;
    AfxLoadStringResource(11023, selfCrossing);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QString::fromStdU16String(selfCrossing));
    m_manager->CancelAllCommands();

    // JPEG, BMP and TIFF pictures, each between two corners.
    const char* formats[] = {"jpg", "bmp", "tif"};
    double x = 0.45;
    int objects = 14;
    for (const char* suffix : formats) {
        const QString picturePath = m_files.path() + QStringLiteral("/picture.") + QString::fromLatin1(suffix);
        QImage picture(24, 16, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        ASSERT_TRUE(picture.save(picturePath)) << suffix;
        AnswerFileDialogWith(picturePath);
        Command(kImageID);
        Pump();
        ASSERT_NE(m_manager->GetActiveCommand(), nullptr) << suffix;
        Click(pView, at(x, 0.8));
        Click(pView, at(x + 0.1, 0.95));
        expectOneMoreStep(suffix, ++objects);
        const auto* pImage = dynamic_cast<const Image2dFeature*>(pModel->GetFeature(LastID(pModel)));
        ASSERT_NE(pImage, nullptr) << suffix;
        QFile file(picturePath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(pImage->GetImageData().data()),
                             (qsizetype)pImage->GetImageData().size()),
                  bytes)
            << suffix << ": the picture is kept as its file's bytes";
        x += 0.15;
    }

    // Saved and opened again: the same objects and picture bytes.
    const std::vector<Annotation> made = ObjectsOf(pModel);
    CQZ2Doc* pAgain = SaveCloseAndReopen(pDoc, QStringLiteral("more.kvcd"));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(ObjectsOf(pAgain->GetDraw2dDocument()), made);
    EXPECT_EQ(m_app->boxes.size(), 1u) << "no other message";
}

// A pattern made from two picked lines in the shape-pattern command, stored, chosen as the hatch style and
// used by a hatch whose scale and angle rows are asked; then a component whose definition asks for its
// attributes, chosen from the palette while the command runs, its attribute typed in the dialog. Each one
// undo step (the pattern table, opened after the pattern is stored, closed without a change adds none);
// saved and opened again with the pattern, the hatch's use of it and the component's attribute.
TEST_F(AnnotationCommandsTest, AStoredShapePatternHatchesAndAComponentKeepsItsTypedAttribute)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    CRect client;
    pView->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    auto at = [&](double fx, double fy) { return CPoint((int)(w * fx), (int)(h * fy)); };
    auto press = [](CWnd& d, int nID) { d.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); };

    // The motif: two short lines, selected.
    Command(kLineID);
    Click(pView, at(0.1, 0.1));
    Click(pView, at(0.14, 0.1));
    Click(pView, at(0.1, 0.1));
    Click(pView, at(0.1, 0.16));
    m_manager->CancelAllCommands();
    ASSERT_EQ(pModel->GetFeatureCount(), 2);
    pModel->ClearUndoRedoHistory();
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        ASSERT_TRUE(pModel->GetSelectionManager()->SelectFeature(FeatureRecord(id, -1)));

    // The pattern: base point, spacings and angles, the name typed; checked in the dialog; then the table.
    bool checked = false, tableShown = false;
    WhenModal<CShapeHatchPatternSettingDialog>([&](CShapeHatchPatternSettingDialog& d) {
        CString name;
        d.GetDlgItem(CShapeHatchPatternSettingDialog::kNameEdit)->GetWindowText(name);
        checked = name == CString(u"Blocks");
        press(d, IDOK);
    });
    WhenModal<CHatchPatternTableDialog>([&](CHatchPatternTableDialog& table) {
        tableShown = true;
        press(table, IDOK);
    });
    Command(kShapePatternID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    ASSERT_FALSE(m_manager->GetActiveCommand()->IsParameterEmpty(0)) << "the selection is taken";
    for (const char16_t* typed : {u"0,0", u"5", u"0", u"8", u"90", u"Blocks"})
        TypeAndReturn(typed);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_TRUE(checked) << "the dialog shows the typed name";
    EXPECT_TRUE(tableShown) << "the pattern table opens after the pattern is stored";
    const HatchPatternTable* pTable = pModel->GetHatchPatternTable();
    const long patternID = pTable->GetHatchPatternID(_T("Blocks"));
    const auto* pPattern = dynamic_cast<const ShapeHatchPattern*>(pTable->GetHatchPattern(patternID));
    ASSERT_NE(pPattern, nullptr);
    EXPECT_EQ(pPattern->GetFeatureCount(), 2);
    EXPECT_DOUBLE_EQ(pPattern->GetSpace2(), 8.0);
    EXPECT_EQ(pModel->GetUndoCount(), 1);

    // The hatch style: the drawing's own pattern.
    WhenModal<CFeatureSettingTreeDialog>([&](CFeatureSettingTreeDialog& dialog) {
        auto* pPage = static_cast<CHatchSettingPage*>(dialog.GetCurrentPage());
        for (int id : {CHatchSettingPage::kSolidId, CHatchSettingPage::kBuiltInId, CHatchSettingPage::kUserId})
            static_cast<CButton*>(pPage->GetDlgItem(id))->SetCheck(id == CHatchSettingPage::kUserId);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CHatchSettingPage::kUserId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(pPage->GetDlgItem(CHatchSettingPage::kUserId)->m_hWnd));
        press(dialog, IDOK);
    });
    Command(kHatchSettingID);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    ASSERT_EQ(pModel->GetHatchSetting()->GetHatchType(), 2);
    ASSERT_EQ(pModel->GetHatchSetting()->GetPatternID(), patternID);
    EXPECT_EQ(pModel->GetUndoCount(), 2);

    // Four lines, then the hatch: its scale and angle rows are asked now.
    Command(kLineID);
    const CPoint c[4] = {at(0.4, 0.2), at(0.8, 0.2), at(0.8, 0.6), at(0.4, 0.6)};
    for (int i = 0; i < 4; ++i) {
        Click(pView, c[i]);
        Click(pView, c[(i + 1) % 4]);
    }
    m_manager->CancelAllCommands();
    const int undoBeforeHatch = pModel->GetUndoCount();
    Command(kHatchID);
    QZ2Command::CommandBase* pHatching = m_manager->GetActiveCommand();
    ASSERT_NE(pHatching, nullptr);
    for (WORD item : {WORD(QZ2Command::Hatch2dCommand::itemScale), WORD(QZ2Command::Hatch2dCommand::itemAngle)})
        EXPECT_TRUE(pHatching->FindItem(item)->m_bRequired) << "row " << item;
    ASSERT_TRUE(m_manager->SetParameterText(pHatching->FindParameterIndex(QZ2Command::Hatch2dCommand::itemScale),
                                            _T("2"), TRUE));
    ASSERT_TRUE(m_manager->SetParameterText(pHatching->FindParameterIndex(QZ2Command::Hatch2dCommand::itemAngle),
                                            _T("30"), TRUE));
    Click(pView, at(0.6, 0.4));
    EXPECT_EQ(pModel->GetUndoCount(), undoBeforeHatch + 1);
    const long hatchID = LastID(pModel);
    {
        const auto* pHatch = dynamic_cast<const Hatch2dFeature*>(pModel->GetFeature(hatchID));
        ASSERT_NE(pHatch, nullptr);
        EXPECT_EQ(pHatch->GetHatchType(), Hatch2dFeature::UserDefined);
        EXPECT_EQ(pHatch->GetUserDefinedHatchFormat().GetPatternID(), patternID);
        EXPECT_DOUBLE_EQ(pHatch->GetUserDefinedHatchFormat().GetPatternScale(), 2.0);
        EXPECT_DOUBLE_EQ(pHatch->GetUserDefinedHatchFormat().GetPatternAngle(), 30.0);
    }
    m_manager->CancelAllCommands();

    // A definition that asks for its attributes.
    long boltID = -1;
    {
        DrawComponent2dFeatureDefine def;
        def.SetComponentName(_T("Bolt"));
        FeatureAttribute attributes;
        attributes.AddAttribute(_T("Size"), _T("M8"));
        def.SetAttribute(attributes);
        def.SetAttributePrompt(TRUE);
        boltID = pModel->AddDrawComponentDefine(def);
        ASSERT_NE(boltID, -1);
        Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
        pModel->AddFeature(&line, pModel->GetComponentDefineTable()->GetComponentDefine(boltID), 0);
    }
    // The palette closed, so that the command is the one that opens it.
    m_frame->ShowDrawComponentBar(FALSE);
    Pump();
    ASSERT_FALSE(m_frame->IsDrawComponentBarVisible());
    Command(kComponentID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_TRUE(m_frame->IsDrawComponentBarVisible()) << "the palette opens for the command";
    CDrawComponentBar* pPalette = m_frame->GetComponentBar();
    ASSERT_NE(pPalette, nullptr);
    pPalette->SelectComponent(boltID);
    pPalette->SendMessage(WM_COMMAND, CDrawComponentBar::ID_PLACE);
    Pump();
    EXPECT_FALSE(m_manager->GetActiveCommand()->IsParameterEmpty(0)) << "the palette fills the running command's row";
    bool asked = false;
    WhenModal<CAttributeDialog>([&](CAttributeDialog& d) {
        asked = true;
        TypeAttribute(d, _T("Size"), _T("M10"));
        press(d, IDOK);
    });
    const int undoBeforeComponent = pModel->GetUndoCount();
    Click(pView, at(0.2, 0.8));
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    EXPECT_TRUE(asked);
    EXPECT_EQ(pModel->GetUndoCount(), undoBeforeComponent + 1);
    const long componentID = LastID(pModel);
    {
        const auto* pComponent = dynamic_cast<const DrawComponent2dFeature*>(pModel->GetFeature(componentID));
        ASSERT_NE(pComponent, nullptr);
        ASSERT_NE(pComponent->GetDrawComponentAttribute(), nullptr);
        EXPECT_EQ(pComponent->GetDrawComponentAttribute()->GetAttributeValue(0), CString(_T("M10")));
    }
    Pump();
    EXPECT_FALSE(m_frame->IsDrawComponentBarVisible()) << "the palette goes after the placement";
    m_manager->CancelAllCommands();

    // Saved and opened again.
    const std::vector<Annotation> made = ObjectsOf(pModel);
    CQZ2Doc* pAgain = SaveCloseAndReopen(pDoc, QStringLiteral("patterns.kvcd"));
    ASSERT_NE(pAgain, nullptr);
    const Draw2dDocument* pRead = pAgain->GetDraw2dDocument();
    EXPECT_EQ(ObjectsOf(pRead), made);
    const auto* pReadPattern =
        dynamic_cast<const ShapeHatchPattern*>(pRead->GetHatchPatternTable()->GetHatchPattern(patternID));
    ASSERT_NE(pReadPattern, nullptr);
    EXPECT_EQ(pReadPattern->GetPatternName(), CString(_T("Blocks")));
    EXPECT_EQ(pReadPattern->GetFeatureCount(), 2);
    const auto* pReadHatch = dynamic_cast<const Hatch2dFeature*>(pRead->GetFeature(hatchID));
    ASSERT_NE(pReadHatch, nullptr);
    EXPECT_EQ(pReadHatch->GetUserDefinedHatchFormat().GetPatternID(), patternID);
    EXPECT_DOUBLE_EQ(pReadHatch->GetUserDefinedHatchFormat().GetPatternScale(), 2.0);
    const auto* pReadComponent = dynamic_cast<const DrawComponent2dFeature*>(pRead->GetFeature(componentID));
    ASSERT_NE(pReadComponent, nullptr);
    ASSERT_NE(pReadComponent->GetDrawComponentAttribute(), nullptr);
    EXPECT_EQ(pReadComponent->GetDrawComponentAttribute()->GetAttributeValue(0), CString(_T("M10")));
}

// With the Japanese language library: the text dialog's and the tolerance editor's captions, and a
// refusal's message, come from it.
TEST_F(AnnotationCommandsTest, TheJapaneseLibraryGivesTheCaptionsAndTheMessages)
{
    Stop();
    SetMachineLanguage(QStringLiteral("JPN"));
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    m_manager = m_app->GetCommandManager();
    ASSERT_NE(m_manager, nullptr);
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    m_app->boxes.clear();

    CString textCaption, toleranceCaption;
    WhenModal<CTextEditDialog>([&](CTextEditDialog& d) {
        d.GetWindowText(textCaption);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(kParagraphID);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    m_manager->CancelAllCommands();
    WhenModal<CToleranceEditDialog>([&](CToleranceEditDialog& d) {
        d.GetWindowText(toleranceCaption);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(kToleranceID);
    ASSERT_TRUE(WaitFor([&] { return PendingModalActions() == 0; }));
    m_manager->CancelAllCommands();
    EXPECT_EQ(textCaption, CString(u"文字入力"));
    EXPECT_EQ(toleranceCaption, CString(u"幾何公差"));

    // A self-crossing point list: the message in Japanese.
    CRect client;
    pView->GetClientRect(&client);
    auto at = [&](double fx, double fy) { return CPoint((int)(client.Width() * fx), (int)(client.Height() * fy)); };
    Command(kHatchID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    ASSERT_TRUE(m_manager->SetParameterAlternative(nullptr, m_manager->GetActiveCommand()->FindParameterIndex(0), 2));
    for (const CPoint& p : {at(0.3, 0.3), at(0.6, 0.6), at(0.6, 0.3), at(0.3, 0.6)})
        Click(pView, p);
    pView->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("境界が自己交差しています。"));
    EXPECT_EQ(pDoc->GetDraw2dDocument()->GetFeatureCount(), 0);
    m_manager->CancelAllCommands();
}
