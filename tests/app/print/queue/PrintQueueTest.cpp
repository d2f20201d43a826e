// A print queue that goes away while the user prints: taken away between the print dialog and the job,
// refusing the job, or its whole server stopped; and a preview whose printer went away. The user is told
// once that printing could not be started, and the drawing and its setting stay as they were. The
// queues belong to a print server of the test's own, started anew for each test.

#include <gtest/gtest.h>

#include "PrintFixture.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2PreviewView.h"
#include "app/CQZ2PrintDialog.h"
#include "app/CQZ2View.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/PlotSetting.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinConstants.h"
#include "tests/support/print/PrivatePrintServer.h"

namespace {

const QString kQueue = QStringLiteral("kc-test-queue");
const std::string kFailedPrint = "Printing could not be started.";

// The folder of the server, for the whole test program: the print system reads where its server is once.
QTemporaryDir& ServerFolder()
{
    static QTemporaryDir folder;
    return folder;
}

class ServerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(ServerFolder().isValid());
        qputenv("CUPS_SERVER", QFile::encodeName(ServerFolder().filePath(QStringLiteral("cups.sock"))));
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

class PrintQueueTest : public PrintFixture
{
protected:
    void SetUp() override
    {
        m_server = std::make_unique<kctest::PrivatePrintServer>(ServerFolder().path());
        QString why;
        ASSERT_TRUE(m_server->Start(&why)) << why.toStdString();
        ASSERT_TRUE(m_server->AddQueue(kQueue)) << m_server->ErrorLog().toStdString();
        ASSERT_TRUE(m_server->SetDefault(kQueue)) << m_server->ErrorLog().toStdString();
        PrintFixture::SetUp();
        if (HasFatalFailure())
            return;
        std::unique_ptr<Feature2dBase> circle(FeatureCreator::CreateCircleFeature(RuVaPnt2d(150, 150), 60));
        ASSERT_GT(m_model->AddFeature(circle.get(), m_view->GetDrawingFeature(), 1), 0);
        m_doc->SetModifiedFlag(FALSE);
    }

    void TearDown() override
    {
        PrintFixture::TearDown();
        m_server.reset();
    }

    // The queue chosen in the print dialog, something done to the print system, then OK.
    void PrintOnTheQueue(std::function<void()> meanwhile)
    {
        ThenAnswer([meanwhile = std::move(meanwhile)](CDialog* pDialog, QWidget*) {
            auto* pPrint = dynamic_cast<CQZ2PrintDialog*>(pDialog);
            ASSERT_NE(pPrint, nullptr) << "expected the print dialog";
            auto* pCombo = static_cast<CComboBox*>(pPrint->GetDlgItem(cmb4));
            ASSERT_NE(pCombo, nullptr);
            const int nItem = pCombo->FindStringExact(-1, CString::FromQString(kQueue));
            ASSERT_GE(nItem, 0) << "the queue is not offered";
            pCombo->SetCurSel(nItem);
            Notify(*pPrint, cmb4, CBN_SELCHANGE);
            if (meanwhile)
                meanwhile();
            Click(*pPrint, IDOK);
        });
        m_app->boxes.clear();
        Command(ID_FILE_PRINT);
        EXPECT_EQ(StepsLeft(), 0);
    }

    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> texts;
        for (const auto& box : m_app->boxes)
            texts.push_back(box.text.toStdString());
        return texts;
    }

    std::unique_ptr<kctest::PrivatePrintServer> m_server;
};

// Without trouble the job reaches the queue and nothing is said: the failures below are real ones.
TEST_F(PrintQueueTest, PrintOnTheQueueReachesIt)
{
    PrintOnTheQueue(nullptr);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m_server->JobCount(kQueue), 1) << m_server->ErrorLog().toStdString();
}

// Whatever took the printer away after it was chosen, the user hears once that printing could not be
// started; the drawing is neither changed nor marked changed, and nothing reached a queue.
TEST_F(PrintQueueTest, PrinterGoneAfterTheDialogIsAFailedPrint)
{
    const struct {
        const char* name;
        std::function<bool(kctest::PrivatePrintServer&)> takeAway;
    } cases[] = {
        {"queue deleted", [](kctest::PrivatePrintServer& s) { return s.DeleteQueue(kQueue); }},
        {"queue refuses jobs", [](kctest::PrivatePrintServer& s) { return s.RefuseJobs(kQueue); }},
        {"server stopped",
         [](kctest::PrivatePrintServer& s) {
             s.Stop();
             return true;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_server->AddQueue(kQueue)) << m_server->ErrorLog().toStdString();
        const PlotSetting before = m_model->GetPlotSetting();
        const long nShapes = m_model->GetFeatureCount();
        bool taken = false;
        PrintOnTheQueue([&] { taken = c.takeAway(*m_server); });
        EXPECT_TRUE(taken);
        EXPECT_EQ(Boxes(), std::vector<std::string>{kFailedPrint});
        EXPECT_FALSE(m_doc->IsModified());
        EXPECT_TRUE(m_model->GetPlotSetting() == before);
        EXPECT_EQ(m_model->GetFeatureCount(), nShapes);
        EXPECT_FALSE(m_view->GetDraw2dView()->GetPrintRangeVisible());
        EXPECT_LE(m_server->JobCount(kQueue), 0);
    }
}

// A preview whose printer went away does not show: the user is told, the view is out of preview, and the
// page setup offers Print and Preview again.
TEST_F(PrintQueueTest, PreviewWhosePrinterWentAwayDoesNotStart)
{
    Command(ID_FILE_PRINT_PREVIEW);
    CQZ2PreviewView* p = Preview();
    ASSERT_NE(p, nullptr) << "the preview on the default queue";
    p->OnPreviewClose();
    ASSERT_FALSE(m_view->m_bInPrintPreview);
    ASSERT_TRUE(m_server->DeleteQueue(kQueue));
    m_app->boxes.clear();
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_FALSE(m_view->m_bInPrintPreview);
    EXPECT_EQ(Boxes(), std::vector<std::string>{kFailedPrint});
    BOOL printShown = FALSE, previewShown = FALSE;
    AnswerPageSetup(
        [&](CQZ2PageSetupDialog& d) {
            printShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PRINT)->IsWindowVisible();
            previewShown = d.GetDlgItem(CQZ2PageSetupDialog::IDC_PREVIEW)->IsWindowVisible();
        },
        IDCANCEL);
    m_app->boxes.clear();
    Command(ID_FILE_PAGE_SETUP);
    EXPECT_EQ(StepsLeft(), 0);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(printShown);
    EXPECT_TRUE(previewShown);
}

}  // namespace
