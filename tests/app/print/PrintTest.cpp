// File > Print and File > Page Setup in the real program: the dialogs driven by their controls, the
// setting they store, the commands they pass on, and the PDF file that comes out, read back with
// poppler's tools and compared with the screen's picture of the same sheet at the same scale.

#include <gtest/gtest.h>

#include "PrintFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include <memory>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "app/CMainFrame.h"
#include "app/CPreviewZoomToolbarComboBoxButton.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2PreviewView.h"
#include "app/CQZ2PrintDialog.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PlotSetting.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/VeVureEnums.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/win/AfxPrinterData.h"
#include "platform/win/CScrollBar.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinSystem.h"
#include "tests/support/AsUnprivilegedUser.h"
#include "tests/support/print/PdfPage.h"

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kSetRangeID = 39562;
const CString kSetRange(_T("Korvan.Print.SetRange"));

class PrintTest : public PrintFixture
{
protected:
    // Picks the item whose data is given in a combo box of the dialog, as the user does.
    static void PickData(CWnd& dialog, int nID, LPARAM data)
    {
        const int n = static_cast<int>(dialog.SendDlgItemMessage(nID, CB_GETCOUNT));
        for (int i = 0; i < n; ++i)
            if (dialog.SendDlgItemMessage(nID, CB_GETITEMDATA, static_cast<WPARAM>(i)) == data) {
                dialog.SendDlgItemMessage(nID, CB_SETCURSEL, static_cast<WPARAM>(i));
                Notify(dialog, nID, CBN_SELCHANGE);
                return;
            }
        ADD_FAILURE() << "no item " << data << " in " << nID;
    }

    // The PDF printer chosen in the print dialog (a machine may have print queues too).
    static void ChoosePdf(CWnd& dialog)
    {
        CString name;
        const int n = static_cast<int>(dialog.SendDlgItemMessage(cmb4, CB_GETCOUNT));
        for (int i = 0; i < n; ++i) {
            auto* pCombo = static_cast<CComboBox*>(dialog.GetDlgItem(cmb4));
            pCombo->GetLBText(i, name);
            if (name == AfxPrinterData::GetPdfPrinterName()) {
                pCombo->SetCurSel(i);
                Notify(dialog, cmb4, CBN_SELCHANGE);
                return;
            }
        }
        ADD_FAILURE() << "no PDF printer";
    }

    // The print dialog answered with the PDF printer and OK, the file dialog with the path.
    void PrintToPdf(const QString& path)
    {
        ThenAnswer([](CDialog* pDialog, QWidget*) {
            ASSERT_NE(dynamic_cast<CQZ2PrintDialog*>(pDialog), nullptr);
            ChoosePdf(*pDialog);
            Click(*pDialog, IDOK);
        });
        AnswerFileDialog(path);
        Command(ID_FILE_PRINT);
        WaitFor([&] { return QFileInfo::exists(path); });
    }

    // Prints over an existing file: the print dialog with the PDF printer, the file chosen and replacing it
    // confirmed. The user must be told once that access to the file was denied.
    void PrintOverExistingFileIsDenied(const QString& target)
    {
        AddToDrawing(FeatureCreator::CreateCircleFeature(RuVaPnt2d(150, 150), 60));
        ThenAnswer([](CDialog* pDialog, QWidget*) {
            ChoosePdf(*pDialog);
            Click(*pDialog, IDOK);
        });
        // The file is chosen once this answer has returned: the dialog's question whether to replace it is
        // answered by the next step.
        ThenAnswer([target](CDialog*, QWidget* pModal) {
            auto* pFile = qobject_cast<QFileDialog*>(pModal);
            ASSERT_NE(pFile, nullptr) << "expected a file dialog";
            pFile->selectFile(target);
            QTimer::singleShot(0, pFile, [pFile] { static_cast<QDialog*>(pFile)->accept(); });
        });
        // The file dialog asks before replacing a file; the user says yes.
        ThenAnswer([](CDialog*, QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            ASSERT_NE(pBox, nullptr) << "expected the question whether to replace the file";
            pBox->button(QMessageBox::Yes)->click();
        });
        m_app->boxes.clear();
        Command(ID_FILE_PRINT);
        EXPECT_EQ(StepsLeft(), 0);
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_EQ(m_app->boxes[0].text.toStdString(),
                  QStringLiteral("Access to the file \"%1\" was denied.").arg(target).toStdString());
        EXPECT_FALSE(m_view->GetDraw2dView()->GetPrintRangeVisible());
    }

    // An existing file "old" in a new folder, with the modes given, for a print as an ordinary user.
    static QString OldFileIn(const QTemporaryDir& folder, mode_t folderMode, mode_t fileMode, bool userOwnsFile)
    {
        const QString target = folder.filePath(QStringLiteral("kept.pdf"));
        {
            QFile f(target);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        EXPECT_EQ(chmod(QFile::encodeName(target).constData(), fileMode), 0);
        EXPECT_EQ(chmod(QFile::encodeName(folder.path()).constData(), folderMode), 0);
        if (userOwnsFile && kctest::RunsAsSuperUser())
            EXPECT_EQ(chown(QFile::encodeName(target).constData(), kctest::kUnprivilegedId, kctest::kUnprivilegedId), 0);
        return target;
    }

    // The old file is as it was and alone in its folder.
    static void ExpectOldFileAlone(const QTemporaryDir& folder, const QString& target)
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("kept.pdf")});
    }

    PlotSetting Setting() const { return m_model->GetPlotSetting(); }

    void SetSetting(const std::function<void(PlotSetting&)>& change)
    {
        PlotSetting s = m_model->GetPlotSetting();
        change(s);
        m_model->SetPlotSetting(s);
    }

    void AddToDrawing(Feature2dBase* pFeature)
    {
        std::unique_ptr<Feature2dBase> owned(pFeature);
        ASSERT_NE(pFeature, nullptr);
        ASSERT_GT(m_model->AddFeature(pFeature, m_view->GetDrawingFeature(), 1), 0);
    }
};

TEST_F(PrintTest, PrintToPdfGivesOnePageThatMatchesTheScreen)
{
    DrawingFeatureBase* pDrawing = m_view->GetDrawingFeature();
    ASSERT_NE(pDrawing, nullptr);
    ASSERT_TRUE(pDrawing->IsPaperFeature());
    m_app->SetSnapAngularEnabled(FALSE);
    Draw2dView* pDraw = m_view->GetDraw2dView();
    CRect client;
    m_view->GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    // Lines through the line command: a plain one, a dashed one and a thick one.
    auto lineBy = [&](const CPoint& a, const CPoint& b) {
        Command(kLineID);
        Click(m_view, a);
        Click(m_view, b);
        m_manager->CancelAllCommands();
        Pump();
    };
    lineBy(CPoint(w / 5, h / 5), CPoint(w / 2, h / 5));
    ASSERT_TRUE(m_model->SetCurrentLineTypeNo(2, 1));
    lineBy(CPoint(w / 5, h / 3), CPoint(w / 2, h / 3));
    ASSERT_TRUE(m_model->SetCurrentLineTypeNo(1, 1));
    ASSERT_TRUE(m_model->SetCurrentLineWidthNo(5, 1));
    lineBy(CPoint(w / 5, h / 2), CPoint(w / 2, 2 * h / 3));
    ASSERT_EQ(m_model->GetFeatureCount(), 3);
    // A circle, an arc and a text in the sheet's right half.
    AddToDrawing(FeatureCreator::CreateCircleFeature(RuVaPnt2d(300, 200), 40));
    AddToDrawing(FeatureCreator::CreateArcFeature(RuVaPnt2d(260, 80), RuVaPnt2d(300, 120), RuVaPnt2d(340, 80)));
    TextSetting text;
    text.SetHeight(8.0);
    AddToDrawing(FeatureCreator::CreateTextFeature(CString(u"Korvan 42"), RuVaPnt2d(240, 30), 0.0, &text));
    (void)pDraw;

    // Page setup: the whole sheet at 100 % on A3 landscape.
    AnswerPageSetup(
        [this](CQZ2PageSetupDialog& d) {
            PickData(d, cmb2, DMPAPER_A3);
            Click(d, rad2);
            Click(d, CQZ2PageSetupDialog::IDC_RANGE_PAPER);
            Click(d, CQZ2PageSetupDialog::IDC_SCALE_RATIO);
            d.SetDlgItemText(CQZ2PageSetupDialog::IDC_SCALE, u"100");
        },
        IDOK);
    Command(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_EQ(Setting().GetPaperType(), DMPAPER_A3);
    EXPECT_EQ(Setting().GetOrientType(), PlotSetting::orientLandscape);
    EXPECT_EQ(Setting().GetRangeMode(), PlotSetting::rangePaper);
    EXPECT_EQ(Setting().GetScaleMode(), PlotSetting::scaleRatio);
    EXPECT_DOUBLE_EQ(Setting().GetScale(), 1.0);

    const QString path = m_files.filePath(QStringLiteral("sheet.pdf"));
    PrintToPdf(path);
    EXPECT_EQ(StepsLeft(), 0);
    const kctest::PdfInfo info = kctest::ReadPdfInfo(path);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthMM, 420.0, 0.5);
    EXPECT_NEAR(info.heightMM, 297.0, 0.5);
    // No part file is left beside it.
    EXPECT_EQ(QDir(m_files.path()).entryList(QDir::Files).size(), 1);

    constexpr int kDpi = 50;
    const QImage printed = kctest::RenderPdfPage(path, kDpi);
    ASSERT_FALSE(printed.isNull());
    // The screen's picture of the same sheet at the same scale, lines as printed.
    QImage screen(printed.size(), QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        Draw2dView view(m_model);
        ASSERT_TRUE(view.SetDrawingID(pDrawing->GetDrawingID()));
        view.SetPaperColor(RGB(255, 255, 255));
        view.ResizeView(screen.width(), screen.height());
        ASSERT_TRUE(view.FitBox(RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(420, 297)), 0.0));
        QPainter painter(&screen);
        DrawingManager::RenderViewTo(view, painter, screen.width(), screen.height(), LineWidthAsPrinted, LinePitchAsPrinted,
                                     nullptr, TRUE);
    }
    EXPECT_GT(kctest::CountPixels(printed, &kctest::IsInk), 500);
    EXPECT_GE(kctest::InkCoveredBy(printed, screen, 2), 0.98);
    EXPECT_GE(kctest::InkCoveredBy(screen, printed, 2), 0.98);
}

TEST_F(PrintTest, CancelledPrintDialogPrintsNothingAndStoresNothing)
{
    const PlotSetting before = Setting();
    AnswerPrintDialog(IDCANCEL);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_TRUE(Setting() == before);
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::Files).isEmpty());
    // A cancelled file choice prints nothing either.
    ThenAnswer([](CDialog* pDialog, QWidget*) {
        ChoosePdf(*pDialog);
        Click(*pDialog, IDOK);
    });
    AnswerFileDialog(QString());
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::Files).isEmpty());
}

// A PDF file that cannot be written: the user is told which file and why, nothing is printed, nothing is
// left behind and what stood at the target stays as it was.
TEST_F(PrintTest, UnwritablePdfTargetIsToldAndLeavesNothingBehind)
{
    AddToDrawing(FeatureCreator::CreateCircleFeature(RuVaPnt2d(150, 150), 60));
    // The kernel's folder takes no files, not even from the super-user.
    const QString target = QStringLiteral("/sys/kc-print-test.pdf");
    ThenAnswer([](CDialog* pDialog, QWidget*) {
        ChoosePdf(*pDialog);
        Click(*pDialog, IDOK);
    });
    AnswerFileDialog(target);
    m_app->boxes.clear();
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    // One box, naming the file and what is wrong with it.
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text.toStdString(),
              QStringLiteral("Access to the file \"%1\" was denied.").arg(target).toStdString());
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QDir(QStringLiteral("/sys")).entryList({QStringLiteral("kc-print-test*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_FALSE(m_view->GetDraw2dView()->GetPrintRangeVisible());
}

// A PDF file the user may not write is refused before printing, and stays as it was: the file is
// written beside it and renamed over it, which the folder alone would allow. The super-user may write
// any file, so the print runs as an ordinary user in a test program of its own (a disabled test below).
TEST_F(PrintTest, ReadOnlyPdfTargetIsRefusedAndKept)
{
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kc-print-ro-XXXXXX"));
    ASSERT_TRUE(folder.isValid());
    // Anyone may write the folder, so only the file's own permission stands in the way.
    const QString target = OldFileIn(folder, 0777, 0444, true);
    setenv("KC_TEST_READ_ONLY_PDF", QFile::encodeName(target).constData(), 1);
    EXPECT_EQ(kctest::RunTestAsUnprivilegedUser("PrintTest.DISABLED_ReadOnlyPdfTargetAsAnOrdinaryUser"), "");
    unsetenv("KC_TEST_READ_ONLY_PDF");
    ExpectOldFileAlone(folder, target);
}

// The finished file cannot take the target's place: the file is written beside the target and renamed
// over it at the end, which a folder with the sticky bit refuses for another user's file, though anyone
// may write both the folder and the file. The user is told which file, the written file goes, the old one
// stays. Files of another user need the super-user (CI runs as root).
TEST_F(PrintTest, PdfThatCannotReplaceItsTargetIsToldAndKept)
{
    if (!kctest::RunsAsSuperUser())
        GTEST_SKIP() << "needs a file of another user";
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kc-print-sticky-XXXXXX"));
    ASSERT_TRUE(folder.isValid());
    const QString target = OldFileIn(folder, 01777, 0666, false);
    setenv("KC_TEST_UNREPLACEABLE_PDF", QFile::encodeName(target).constData(), 1);
    EXPECT_EQ(kctest::RunTestAsUnprivilegedUser("PrintTest.DISABLED_PdfThatCannotReplaceItsTargetAsAnOrdinaryUser"), "");
    unsetenv("KC_TEST_UNREPLACEABLE_PDF");
    ExpectOldFileAlone(folder, target);
}

// The prints of the tests above, as an ordinary user: one box naming the file, nothing printed.
TEST_F(PrintTest, DISABLED_ReadOnlyPdfTargetAsAnOrdinaryUser)
{
    const char* path = getenv("KC_TEST_READ_ONLY_PDF");
    ASSERT_NE(path, nullptr) << "run by ReadOnlyPdfTargetIsRefusedAndKept";
    PrintOverExistingFileIsDenied(QFile::decodeName(path));
}

TEST_F(PrintTest, DISABLED_PdfThatCannotReplaceItsTargetAsAnOrdinaryUser)
{
    const char* path = getenv("KC_TEST_UNREPLACEABLE_PDF");
    ASSERT_NE(path, nullptr) << "run by PdfThatCannotReplaceItsTargetIsToldAndKept";
    PrintOverExistingFileIsDenied(QFile::decodeName(path));
}

TEST_F(PrintTest, ChangedPrinterTurnsCancelIntoClose)
{
    CString cancelText;
    ThenAnswer([&](CDialog* pDialog, QWidget*) {
        ChoosePdf(*pDialog);
        pDialog->GetDlgItemText(IDCANCEL, cancelText);
        Click(*pDialog, IDCANCEL);
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_EQ(cancelText, LoadResourceString(10116));
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(PrintTest, PrintDialogPageSetupShowsItWithoutItsButtonsAndComesBack)
{
    BOOL printShown = TRUE, previewShown = TRUE, printerShown = TRUE;
    AnswerPrintDialog(CQZ2PrintDialog::IDC_PAGE_SETUP);
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) {
            printShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINT)->IsWindowVisible();
            previewShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PREVIEW)->IsWindowVisible();
            printerShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINTER)->IsWindowVisible();
            d.SetDlgItemText(CQZ2PageSetupDialog::IDC_OFFSET_X, u"10");
        },
        IDOK);
    // The print dialog comes back.
    AnswerPrintDialog(IDCANCEL);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_EQ(DialogsSeen(), 3);
    EXPECT_FALSE(printShown);
    EXPECT_FALSE(previewShown);
    EXPECT_FALSE(printerShown);
    EXPECT_DOUBLE_EQ(Setting().GetOffsetX(), 10.0);
}

TEST_F(PrintTest, SetRangeFromThePrintDialogsPageSetupCancelsThePrint)
{
    AnswerPrintDialog(CQZ2PrintDialog::IDC_PAGE_SETUP);
    AnswerPageSetup(nullptr, CQZ2PageSetupDialog::IDC_SET_RANGE);
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(WaitFor([&] { return m_manager->GetActiveCommandName() == kSetRange; }));
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_EQ(DialogsSeen(), 2);
    EXPECT_EQ(Setting().GetRangeMode(), PlotSetting::rangePrintRange);
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(PrintTest, PreviewFromThePrintDialogOpensThePreview)
{
    AnswerPrintDialog(CQZ2PrintDialog::IDC_PREVIEW);
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    ASSERT_TRUE(WaitFor([&] { return Preview() != nullptr; }));
    EXPECT_TRUE(m_view->m_bInPrintPreview);
    EXPECT_TRUE(QDir(m_files.path()).entryList(QDir::Files).isEmpty());
}

// Every way out of the page setup: what is stored and what follows.
struct ExitCase {
    const char* name;
    std::function<void(CQZ2PageSetupDialog&)> work;
    UINT button;
    bool stored;          // the offset typed is the document's afterwards
    bool printFollows;    // the print dialog shows next (answered with Cancel)
    bool previewFollows;  // the preview opens
    bool rangeFollows;    // the print range command runs
};

TEST_F(PrintTest, PageSetupExitCodesStoreAndPassOnAsTheySay)
{
    auto typeOffset = [](CQZ2PageSetupDialog& d) { d.SetDlgItemText(CQZ2PageSetupDialog::IDC_OFFSET_X, u"12"); };
    const ExitCase cases[] = {
        {"OK", typeOffset, IDOK, true, false, false, false},
        {"Cancel", typeOffset, IDCANCEL, false, false, false, false},
        {"Apply then Cancel",
         [&](CQZ2PageSetupDialog& d) {
             typeOffset(d);
             Click(d, CQZ2PageSetupDialog::IDC_APPLY);
             EXPECT_FALSE(d.GetDlgItem(CQZ2PageSetupDialog::IDC_APPLY)->IsWindowEnabled());
         },
         IDCANCEL, true, false, false, false},
        {"Print", typeOffset, CQZ2PageSetupDialog::IDC_PRINT, true, true, false, false},
        {"Preview", typeOffset, CQZ2PageSetupDialog::IDC_PREVIEW, true, false, true, false},
        {"Set Range", typeOffset, CQZ2PageSetupDialog::IDC_SET_RANGE, true, false, false, true},
        // A value refused keeps the dialog (the message is answered); Cancel then stores nothing.
        {"bad offset",
         [&](CQZ2PageSetupDialog& d) {
             d.SetDlgItemText(CQZ2PageSetupDialog::IDC_OFFSET_X, u"abc");
             Click(d, IDOK);
             EXPECT_TRUE(d.IsWindowVisible());
             d.SetDlgItemText(CQZ2PageSetupDialog::IDC_OFFSET_X, u"10000.5");
             Click(d, IDOK);
             EXPECT_TRUE(d.IsWindowVisible());
             d.SetDlgItemText(CQZ2PageSetupDialog::IDC_SCALE, u"0");
             Click(d, CQZ2PageSetupDialog::IDC_SCALE_RATIO);
             Click(d, IDOK);
             EXPECT_TRUE(d.IsWindowVisible());
         },
         IDCANCEL, false, false, false, false},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetSetting([](PlotSetting& s) { s.SetOffset(0, 0); });
        m_app->boxes.clear();
        AnswerPageSetup(c.work, c.button);
        if (c.printFollows)
            AnswerPrintDialog(IDCANCEL);
        Command(ID_FILE_PAGE_SETUP);
        if (c.printFollows)
            EXPECT_TRUE(WaitFor([&] { return StepsLeft() == 0; }));
        EXPECT_EQ(StepsLeft(), 0);
        EXPECT_EQ(Setting().GetOffsetX(), c.stored ? 12.0 : 0.0);
        if (c.previewFollows) {
            EXPECT_TRUE(WaitFor([&] { return Preview() != nullptr; }));
            if (CQZ2PreviewView* p = Preview())
                p->OnPreviewClose();
            EXPECT_FALSE(m_view->m_bInPrintPreview);
        } else {
            Pump();
            EXPECT_EQ(Preview(), nullptr);
        }
        if (c.rangeFollows) {
            EXPECT_TRUE(WaitFor([&] { return m_manager->GetActiveCommandName() == kSetRange; }));
            EXPECT_EQ(Setting().GetRangeMode(), PlotSetting::rangePrintRange);
            m_manager->CancelAllCommands();
        } else {
            EXPECT_NE(m_manager->GetActiveCommandName(), kSetRange);
        }
        if (std::string(c.name) == "bad offset")
            EXPECT_EQ(m_app->boxes.size(), 3u);
    }
}

TEST_F(PrintTest, PageSetupShowsTheSettingAndSavesItAsTheDocumentKeepsIt)
{
    SetSetting([](PlotSetting& s) {
        s.SetOffset(3.5, -2);
        s.SetScaleMode(PlotSetting::scaleRatio);
        s.SetScale(0.25);
        s.SetRangeMode(PlotSetting::rangePaper);
        s.SetConvertColorMode(PlotSetting::colorBlack);
        s.SetLineWidthPrintable(FALSE);
        s.SetOrientType(PlotSetting::orientPortrait);
    });
    CString scale, offX;
    UINT fit = 0, ratio = 0, paper = 0, widths = 1, colours = 0, portrait = 0;
    BOOL scaleEnabled = FALSE, applyEnabled = TRUE;
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) {
            d.GetDlgItemText(CQZ2PageSetupDialog::IDC_SCALE, scale);
            d.GetDlgItemText(CQZ2PageSetupDialog::IDC_OFFSET_X, offX);
            fit = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_SCALE_FIT);
            ratio = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_SCALE_RATIO);
            paper = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_RANGE_PAPER);
            widths = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_LINE_WIDTH);
            colours = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_CONVERT_COLOR);
            portrait = d.IsDlgButtonChecked(rad1);
            scaleEnabled = d.GetDlgItem(CQZ2PageSetupDialog::IDC_SCALE)->IsWindowEnabled();
            applyEnabled = d.GetDlgItem(CQZ2PageSetupDialog::IDC_APPLY)->IsWindowEnabled();
            // Fit: the scale box goes grey, and the change is to be applied.
            Click(d, CQZ2PageSetupDialog::IDC_SCALE_FIT);
            EXPECT_FALSE(d.GetDlgItem(CQZ2PageSetupDialog::IDC_SCALE)->IsWindowEnabled());
            EXPECT_TRUE(d.GetDlgItem(CQZ2PageSetupDialog::IDC_APPLY)->IsWindowEnabled());
            Click(d, rad2);
            Click(d, CQZ2PageSetupDialog::IDC_CONVERT_COLOR);
        },
        IDOK);
    Command(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_EQ(scale.ToQString().toDouble(), 25.0);
    EXPECT_EQ(offX.ToQString().toDouble(), 3.5);
    EXPECT_EQ(fit, BST_UNCHECKED);
    EXPECT_EQ(ratio, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(paper, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(widths, BST_UNCHECKED);
    EXPECT_EQ(colours, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(portrait, static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(scaleEnabled);
    EXPECT_FALSE(applyEnabled);
    const PlotSetting s = Setting();
    EXPECT_EQ(s.GetScaleMode(), PlotSetting::scaleFit);
    EXPECT_DOUBLE_EQ(s.GetScale(), 0.25);
    EXPECT_EQ(s.GetOrientType(), PlotSetting::orientLandscape);
    EXPECT_EQ(s.GetConvertColorMode(), PlotSetting::colorAsDrawn);
    EXPECT_FALSE(s.IsLineWidthPrintable());
    EXPECT_DOUBLE_EQ(s.GetOffsetY(), -2.0);
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(PrintTest, PartDrawingCannotUseTheWholeSheet)
{
    const long part = m_model->AddPartDrawingFeature(u"Part");
    ASSERT_GT(part, 0);
    m_view->SetDrawingFeature(m_model->GetDrawingFeatureByID(part));
    SetSetting([](PlotSetting& s) { s.SetRangeMode(PlotSetting::rangePaper); });
    BOOL paperEnabled = TRUE;
    UINT extents = 0;
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) {
            paperEnabled = d.GetDlgItem(CQZ2PageSetupDialog::IDC_RANGE_PAPER)->IsWindowEnabled();
            extents = d.IsDlgButtonChecked(CQZ2PageSetupDialog::IDC_RANGE_EXTENTS);
        },
        IDOK);
    Command(ID_FILE_PAGE_SETUP);
    EXPECT_FALSE(paperEnabled);
    EXPECT_EQ(extents, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(Setting().GetRangeMode(), PlotSetting::rangeExtents);
}

}  // namespace

namespace {

// The print range picked in the drawing.
class PrintRangeTest : public PrintTest
{
protected:
    void StartRange()
    {
        Command(kSetRangeID);
        ASSERT_EQ(m_manager->GetActiveCommandName(), kSetRange);
        EXPECT_TRUE(m_view->GetDraw2dView()->GetPrintRangeVisible());
    }
    RuVaPnt2d WorldAt(const CPoint& p) const { return m_view->GetDraw2dView()->ConvertPointClientToWorld(p, TRUE); }
};

TEST_F(PrintRangeTest, TwoCornersStoreTheRangeInOneUndoStepAndBringThePageSetupBack)
{
    m_app->SetSnapEnabled(FALSE);
    StartRange();
    const int undo = m_model->GetUndoCount();
    const CPoint a(60, 50), b(220, 170);
    const RuVaPnt2d wa = WorldAt(a), wb = WorldAt(b);
    Click(m_view, a);
    // One corner: still waiting, nothing stored.
    EXPECT_EQ(m_manager->GetActiveCommandName(), kSetRange);
    EXPECT_TRUE(m_view->GetDrawingFeature()->GetPrintRange().IsVoid());
    AnswerPageSetup(nullptr, IDCANCEL);
    Click(m_view, b);
    EXPECT_NE(m_manager->GetActiveCommandName(), kSetRange);
    EXPECT_FALSE(m_view->GetDraw2dView()->GetPrintRangeVisible());
    const RuVaBndBox2d range = m_view->GetDrawingFeature()->GetPrintRange();
    ASSERT_FALSE(range.IsVoid());
    EXPECT_NEAR(range.XMin(), std::min(wa.X(), wb.X()), 1e-6);
    EXPECT_NEAR(range.XMax(), std::max(wa.X(), wb.X()), 1e-6);
    EXPECT_NEAR(range.YMin(), std::min(wa.Y(), wb.Y()), 1e-6);
    EXPECT_NEAR(range.YMax(), std::max(wa.Y(), wb.Y()), 1e-6);
    EXPECT_EQ(m_model->GetUndoCount(), undo + 1);
    // The page setup came back.
    EXPECT_TRUE(WaitFor([&] { return StepsLeft() == 0; }));
    // Undo gives the old range back.
    ASSERT_TRUE(m_model->Undo());
    EXPECT_TRUE(m_view->GetDrawingFeature()->GetPrintRange().IsVoid());
}

TEST_F(PrintRangeTest, CornersThatMakeNoRangeAreRefused)
{
    m_app->SetSnapEnabled(FALSE);
    const struct {
        const char* name;
        CPoint a, b;
    } cases[] = {
        {"equal", CPoint(100, 100), CPoint(100, 100)},
        {"horizontal", CPoint(60, 100), CPoint(200, 100)},
        {"vertical", CPoint(100, 40), CPoint(100, 160)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartRange();
        Click(m_view, c.a);
        Click(m_view, c.b);
        // Refused: the command waits on, nothing is stored.
        EXPECT_EQ(m_manager->GetActiveCommandName(), kSetRange);
        EXPECT_TRUE(m_view->GetDrawingFeature()->GetPrintRange().IsVoid());
        m_manager->CancelAllCommands();
        Pump();
        EXPECT_FALSE(m_view->GetDraw2dView()->GetPrintRangeVisible());
    }
}

// The print preview.
class PreviewTest : public PrintTest
{
protected:
    CQZ2PreviewView* Open()
    {
        Command(ID_FILE_PRINT_PREVIEW);
        CQZ2PreviewView* p = Preview();
        EXPECT_NE(p, nullptr);
        return p;
    }
};

TEST_F(PreviewTest, ZoomButtonsAndTypedZoomFollowTheirRules)
{
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetZoomMode(), CQZ2PreviewView::kWholePage);
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 1.0);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_ZOOM_IN);
    EXPECT_NEAR(p->GetZoom(), 1.2, 1e-12);
    EXPECT_EQ(p->GetZoomDisplay(), CString(u"120%"));
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_ZOOM_OUT);
    EXPECT_NEAR(p->GetZoom(), 0.96, 1e-12);
    EXPECT_EQ(p->GetZoomDisplay(), CString(u"96%"));
    const struct {
        const char16_t* text;
        bool taken;
        double zoom;
    } texts[] = {{u"150 %", true, 1.5}, {u"75", true, 0.75}, {u"abc", false, 0.75}, {u"0", false, 0.75},
                 {u"-50", false, 0.75},  {u"1e9", false, 0.75}, {u" 200% ", true, 2.0}};
    for (const auto& t : texts) {
        SCOPED_TRACE(QString::fromUtf16(t.text).toStdString());
        EXPECT_EQ(p->ApplyZoomText(CString(t.text)) != FALSE, t.taken);
        EXPECT_NEAR(p->GetZoom(), t.zoom, 1e-12);
        CString shown;
        p->GetZoomCombo()->GetWindowText(shown);
        EXPECT_EQ(shown, p->GetZoomDisplay());
    }
    // Zoom stops at its bounds.
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 0.011);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_ZOOM_OUT);
    EXPECT_GE(p->GetZoom(), CQZ2PreviewView::kMinZoom);
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 90.0);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_ZOOM_IN);
    EXPECT_LE(p->GetZoom(), CQZ2PreviewView::kMaxZoom);
}

TEST_F(PreviewTest, WholePageAndPageWidthFitTheWindow)
{
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    const CSize full = p->GetPageSizeAtFullScale();
    ASSERT_GT(full.cx, 0);
    ASSERT_GT(full.cy, 0);
    const CRect area = p->GetPageArea();
    const double pw = full.cx + 16.0, ph = full.cy + 16.0;
    p->SetZoomMode(CQZ2PreviewView::kWholePage);
    double f = std::min(area.Width() / pw, area.Height() / ph);
    if (ph * f > area.Height())
        f = (area.Width() - ::GetSystemMetrics(SM_CXVSCROLL)) / pw;
    EXPECT_NEAR(p->GetZoom(), f, 1e-9);
    // The whole page is in sight.
    EXPECT_LE(p->GetPageSize().cx, area.Width());
    EXPECT_LE(p->GetPageSize().cy, area.Height());
    p->SetZoomMode(CQZ2PreviewView::kFitPageWidth);
    double g = area.Width() / pw;
    if (ph * g > area.Height())
        g = (area.Width() - ::GetSystemMetrics(SM_CXVSCROLL)) / pw;
    EXPECT_NEAR(p->GetZoom(), g, 1e-9);
}

TEST_F(PreviewTest, PanningIgnoresJitterAndStaysInRange)
{
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 3.0);
    const CSize limit = p->GetScrollLimit();
    ASSERT_GT(limit.cx, 100);
    ASSERT_GT(limit.cy, 100);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_HAND);
    auto drag = [&](CPoint from, CPoint to) {
        p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        p->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        p->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        p->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    };
    ASSERT_TRUE(p->m_bHandMode);
    drag(CPoint(300, 300), CPoint(295, 296));
    EXPECT_EQ(p->GetScrollPosition(), CPoint(0, 0));
    drag(CPoint(300, 300), CPoint(250, 260));
    EXPECT_EQ(p->GetScrollPosition(), CPoint(50, 40));
    // Beyond the range: clamped.
    drag(CPoint(300, 300), CPoint(300 - 5 * limit.cx, 300 - 5 * limit.cy));
    EXPECT_EQ(p->GetScrollPosition(), CPoint(limit.cx, limit.cy));
    drag(CPoint(0, 0), CPoint(5 * limit.cx, 5 * limit.cy));
    EXPECT_EQ(p->GetScrollPosition(), CPoint(0, 0));
    // The middle button pans without the hand button.
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_HAND);
    ASSERT_FALSE(p->m_bHandMode);
    p->SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(300, 300));
    p->SendMessage(WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(300, 300));
    p->SendMessage(WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(280, 290));
    p->SendMessage(WM_MBUTTONUP, 0, MAKELPARAM(280, 290));
    EXPECT_EQ(p->GetScrollPosition(), CPoint(20, 10));
    EXPECT_FALSE(p->m_bHandMode);
}

TEST_F(PreviewTest, BarsGiveWayAndComeBack)
{
    CWnd& status = m_frame->GetStatusBar();
    ASSERT_TRUE(status.IsWindowVisible());
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(status.IsWindowVisible());
    EXPECT_TRUE(m_view->m_bInPrintPreview);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_CLOSE);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_FALSE(m_view->m_bInPrintPreview);
}

TEST_F(PreviewTest, PageSetupFromThePreviewHasNoPrintOrPreviewButton)
{
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    BOOL printShown = TRUE, previewShown = TRUE, printerShown = FALSE;
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) {
            printShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINT)->IsWindowVisible();
            previewShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PREVIEW)->IsWindowVisible();
            printerShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINTER)->IsWindowVisible();
            Click(d, rad1);
        },
        IDOK);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_PAGE_SETUP);
    EXPECT_FALSE(printShown);
    EXPECT_FALSE(previewShown);
    EXPECT_TRUE(printerShown);
    // Portrait now: the page is taller than wide.
    ASSERT_EQ(Preview(), p);
    EXPECT_GT(p->GetPageSizeAtFullScale().cy, p->GetPageSizeAtFullScale().cx);
    // The drawing view's own page setup hides them too while the preview shows.
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) { printShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINT)->IsWindowVisible(); },
        IDCANCEL);
    m_view->SendMessage(WM_COMMAND, ID_FILE_PAGE_SETUP);
    EXPECT_FALSE(printShown);
    // Set Range from the preview's page setup closes the preview.
    AnswerPageSetup(nullptr, CQZ2PageSetupDialog::IDC_SET_RANGE);
    p->SendMessage(WM_COMMAND, CQZ2PreviewView::ID_PREVIEW_PAGE_SETUP);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_FALSE(m_view->m_bInPrintPreview);
}

TEST_F(PreviewTest, ToolbarComesFromItsResourceAndSteersThePreview)
{
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    CBCGPToolBar* bar = p->GetToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_GT(p->GetToolStripHeight(), 10);
    EXPECT_EQ(p->GetPageArea().top, p->GetToolStripHeight());
    // The buttons of resource 300 without the page buttons, the zoom box in its place.
    std::vector<UINT> ids;
    for (int i = 0; i < bar->GetCount(); ++i)
        if (!bar->GetButton(i)->IsSeparator())
            ids.push_back(bar->GetButton(i)->m_nID);
    EXPECT_EQ(ids, (std::vector<UINT>{58116, 34536, 34531, 34532, 34530, 34535, 58112, 57666}));
    ASSERT_NE(p->GetZoomButton(), nullptr);
    EXPECT_EQ(p->GetZoomButton()->GetPreview(), p);
    // Page setup and close show their texts only.
    for (const auto& [nID, nText] : {std::pair<UINT, UINT>{34536, 10115}, std::pair<UINT, UINT>{58112, 10116}}) {
        const int i = bar->CommandToIndex(nID);
        EXPECT_FALSE(bar->GetButton(i)->m_bImage);
        EXPECT_EQ(bar->GetButtonText(i), LoadResourceString(nText));
    }
    // A click reaches the preview.
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 1.0);
    bar->ClickButton(bar->CommandToIndex(CQZ2PreviewView::ID_PREVIEW_ZOOM_IN));
    EXPECT_TRUE(WaitFor([&] { return std::abs(p->GetZoom() - 1.2) < 1e-12; }));
    // The hand button is checked while hand mode is on.
    const int hand = bar->CommandToIndex(CQZ2PreviewView::ID_PREVIEW_HAND);
    bar->ClickButton(hand);
    EXPECT_TRUE(WaitFor([&] { return p->m_bHandMode != FALSE; }));
    EXPECT_NE(bar->GetButtonStyle(hand) & TBBS_CHECKED, 0u);
    bar->ClickButton(hand);
    EXPECT_TRUE(WaitFor([&] { return p->m_bHandMode == FALSE; }));
    EXPECT_EQ(bar->GetButtonStyle(hand) & TBBS_CHECKED, 0u);
    // A choice in the zoom box: a preset, then whole page.
    CComboBox* combo = p->GetZoomCombo();
    ASSERT_NE(combo, nullptr);
    const struct {
        DWORD_PTR data;
        int mode;
        double zoom;
    } choices[] = {{50, CQZ2PreviewView::kFreeZoom, 0.5},
                   {CPreviewZoomToolbarComboBoxButton::kDataFitWidth, CQZ2PreviewView::kFitPageWidth, 0.0},
                   {CPreviewZoomToolbarComboBoxButton::kDataWholePage, CQZ2PreviewView::kWholePage, 0.0}};
    for (const auto& c : choices) {
        int row = -1;
        for (int i = 0; i < combo->GetCount(); ++i)
            if (combo->GetItemData(i) == c.data)
                row = i;
        ASSERT_GE(row, 0);
        combo->SetCurSel(row);
        bar->SendMessage(WM_COMMAND, MAKEWPARAM(CQZ2PreviewView::ID_PREVIEW_ZOOM_COMBO, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
        EXPECT_EQ(p->GetZoomMode(), c.mode);
        if (c.zoom > 0)
            EXPECT_NEAR(p->GetZoom(), c.zoom, 1e-12);
        CString shown;
        combo->GetWindowText(shown);
        EXPECT_EQ(shown, p->GetZoomDisplay());
    }
    // Close.
    bar->ClickButton(bar->CommandToIndex(CQZ2PreviewView::ID_PREVIEW_CLOSE));
    EXPECT_TRUE(WaitFor([&] { return Preview() == nullptr; }));
    EXPECT_FALSE(m_view->m_bInPrintPreview);
}

TEST_F(PreviewTest, ScrollBarsShowWhenThePageDoesNotFitAndFollowTheFrame)
{
    m_frame->MoveWindow(0, 0, 1000, 700);
    Pump();
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    CScrollBar* h = p->GetScrollBarCtrl(SB_HORZ);
    CScrollBar* v = p->GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(v, nullptr);
    // Whole page: no bars.
    EXPECT_FALSE(h->IsWindowVisible());
    EXPECT_FALSE(v->IsWindowVisible());
    // Zoomed in: both, with the page's size as range and the room as page.
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 2.0);
    ASSERT_TRUE(h->IsWindowVisible());
    ASSERT_TRUE(v->IsWindowVisible());
    const CRect area = p->GetPageArea();
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL};
    ASSERT_TRUE(v->GetScrollInfo(&info, SIF_ALL));
    EXPECT_EQ(info.nMax + 1, p->GetPageSize().cy + 16);
    EXPECT_EQ(static_cast<int>(info.nPage), area.Height());
    // Lines of 20 pixels, pages of the room, the ends; the position stays in range and the bar follows.
    const struct {
        UINT code;
        int expected;
    } steps[] = {{SB_LINEDOWN, 20}, {SB_LINEDOWN, 40}, {SB_LINEUP, 20}, {SB_PAGEDOWN, 20 + area.Height()},
                 {SB_BOTTOM, p->GetScrollLimit().cy}, {SB_LINEDOWN, p->GetScrollLimit().cy}, {SB_TOP, 0},
                 {SB_LINEUP, 0}};
    for (const auto& step : steps) {
        p->SendMessage(WM_VSCROLL, MAKEWPARAM(step.code, 0), reinterpret_cast<LPARAM>(v->GetSafeHwnd()));
        EXPECT_EQ(p->GetScrollPosition().y, step.expected) << step.code;
        EXPECT_EQ(v->GetScrollPos(), step.expected) << step.code;
    }
    p->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), reinterpret_cast<LPARAM>(h->GetSafeHwnd()));
    EXPECT_EQ(p->GetScrollPosition().x, 77);
    // The frame grows: the preview takes its new client area, and in whole-page mode the page grows too.
    p->SetZoomMode(CQZ2PreviewView::kWholePage);
    const CSize before = p->GetPageSize();
    m_frame->MoveWindow(0, 0, 1400, 1000);
    Pump();
    CRect frameClient, previewWindow;
    m_frame->GetClientRect(&frameClient);
    p->GetWindowRect(&previewWindow);
    EXPECT_EQ(previewWindow.Width(), frameClient.Width());
    EXPECT_EQ(previewWindow.Height(), frameClient.Height());
    EXPECT_GT(p->GetPageSize().cx, before.cx);
    EXPECT_FALSE(v->IsWindowVisible());
}

TEST_F(PreviewTest, PreviewPageMatchesThePrintedPage)
{
    TextSetting text;
    text.SetHeight(10.0);
    AddToDrawing(FeatureCreator::CreateCircleFeature(RuVaPnt2d(150, 150), 60));
    AddToDrawing(FeatureCreator::CreateLineFeature(RuVaPnt2d(20, 20), RuVaPnt2d(380, 270)));
    AddToDrawing(FeatureCreator::CreateTextFeature(CString(u"Sheet 7"), RuVaPnt2d(250, 40), 0.0, &text));
    SetSetting([](PlotSetting& s) {
        s.SetPaperType(DMPAPER_A4);
        s.SetOrientType(PlotSetting::orientLandscape);
    });
    const QString path = m_files.filePath(QStringLiteral("p.pdf"));
    PrintToPdf(path);
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 1.0);
    p->UpdateWindow();
    p->GetQWidget()->grab();
    const QImage* page = p->GetPagePicture();
    ASSERT_NE(page, nullptr);
    // The printed page at the screen's resolution.
    const int dpi = static_cast<int>(std::lround(page->width() * 25.4 / 297.0));
    const QImage printed = kctest::RenderPdfPage(path, dpi);
    ASSERT_FALSE(printed.isNull());
    EXPECT_NEAR(printed.width(), page->width(), 2);
    EXPECT_NEAR(printed.height(), page->height(), 2);
    const QImage shown = page->convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(kctest::CountPixels(shown, &kctest::IsInk), 300);
    EXPECT_GE(kctest::InkCoveredBy(shown, printed, 2), 0.98);
    EXPECT_GE(kctest::InkCoveredBy(printed, shown, 2), 0.98);
}

}  // namespace

namespace {

// The page setup, the print dialog and the preview as the user sees them; saved as pictures when
// KC_SCREENSHOT_DIR names a folder.
TEST_F(PreviewTest, ScreensLookAsTheyShould)
{
    AddToDrawing(FeatureCreator::CreateCircleFeature(RuVaPnt2d(150, 150), 60));
    AddToDrawing(FeatureCreator::CreateLineFeature(RuVaPnt2d(20, 20), RuVaPnt2d(380, 270)));
    TextSetting text;
    text.SetHeight(12.0);
    AddToDrawing(FeatureCreator::CreateTextFeature(CString(u"Preview"), RuVaPnt2d(240, 40), 0.0, &text));
    const QString dir = qEnvironmentVariable("KC_SCREENSHOT_DIR");
    auto keep = [&](QWidget* w, const QString& name) {
        const QImage shot = w->grab().toImage();
        EXPECT_GT(shot.width(), 100);
        EXPECT_GT(shot.height(), 100);
        if (!dir.isEmpty())
            shot.save(QDir(dir).filePath(name));
    };
    AnswerPageSetup([&](CQZ2PageSetupDialog& d) { keep(d.GetQWidget(), QStringLiteral("page-setup.png")); }, IDCANCEL);
    Command(ID_FILE_PAGE_SETUP);
    ThenAnswer([&](CDialog* pDialog, QWidget*) {
        keep(pDialog->GetQWidget(), QStringLiteral("print-dialog.png"));
        Click(*pDialog, IDCANCEL);
    });
    Command(ID_FILE_PRINT);
    EXPECT_EQ(StepsLeft(), 0);
    m_frame->MoveWindow(0, 0, 1200, 800);
    Pump();
    CQZ2PreviewView* p = Open();
    ASSERT_NE(p, nullptr);
    p->SetZoomMode(CQZ2PreviewView::kWholePage);
    Pump();
    keep(m_frame->GetQWidget(), QStringLiteral("print-preview.png"));
    // Zoomed in: both scroll bars, moved a little.
    p->SetZoomMode(CQZ2PreviewView::kFreeZoom, 1.5);
    p->ScrollBy(120, 80);
    Pump();
    keep(m_frame->GetQWidget(), QStringLiteral("print-preview-zoomed.png"));
}

}  // namespace
