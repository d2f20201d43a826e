#include "PrintFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFileDialog>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2PreviewView.h"
#include "app/CQZ2PrintDialog.h"
#include "app/CQZ2View.h"
#include "platform/win/CDialog.h"
#include "platform/win/WinConstants.h"

void PrintFixture::SetUp()
{
    ASSERT_TRUE(m_files.isValid());
    ProgramFixture::SetUp();
    if (HasFatalFailure())
        return;
    m_doc = NewDrawing();
    ASSERT_NE(m_doc, nullptr);
    m_view = ActiveDrawView();
    ASSERT_NE(m_view, nullptr);
    m_model = m_doc->GetDraw2dDocument();
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // The modal window on top, else any visible one (a hidden one of an earlier program may still
        // sit on Qt's modal stack).
        QWidget* pModal = QApplication::activeModalWidget();
        if (pModal != nullptr && !pModal->isVisible())
            pModal = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (pModal == nullptr && w->isVisible() && w->windowModality() != Qt::NonModal)
                pModal = w;
        if (pModal == nullptr || pModal == m_last || m_steps.empty())
            return;
        m_last = pModal;
        ++m_seen;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(dynamic_cast<CDialog*>(CWnd::FromQWidget(pModal)), pModal);
    });
    m_timer.start();
}

void PrintFixture::TearDown()
{
    m_timer.stop();
    if (CQZ2PreviewView* p = Preview())
        p->OnPreviewClose();
    ProgramFixture::TearDown();
}

void PrintFixture::ThenAnswer(Step step) { m_steps.push_back(std::move(step)); }

void PrintFixture::Click(CWnd& dialog, int nID)
{
    CWnd* pButton = dialog.GetDlgItem(nID);
    ASSERT_NE(pButton, nullptr) << nID;
    pButton->SendMessage(BM_CLICK);
}

void PrintFixture::Notify(CWnd& dialog, int nID, UINT nCode)
{
    CWnd* pControl = dialog.GetDlgItem(nID);
    ASSERT_NE(pControl, nullptr) << nID;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(pControl->GetSafeHwnd()));
}

void PrintFixture::AnswerPrintDialog(UINT nButton)
{
    ThenAnswer([nButton](CDialog* pDialog, QWidget*) {
        auto* pPrint = dynamic_cast<CQZ2PrintDialog*>(pDialog);
        ASSERT_NE(pPrint, nullptr) << "expected the print dialog";
        Click(*pPrint, static_cast<int>(nButton));
    });
}

void PrintFixture::AnswerPageSetup(std::function<void(CQZ2PageSetupDialog&)> work, UINT nButton)
{
    ThenAnswer([work = std::move(work), nButton](CDialog* pDialog, QWidget*) {
        auto* pSetup = dynamic_cast<CQZ2PageSetupDialog*>(pDialog);
        ASSERT_NE(pSetup, nullptr) << "expected the page setup";
        if (work)
            work(*pSetup);
        if (nButton != 0)
            Click(*pSetup, static_cast<int>(nButton));
    });
}

void PrintFixture::AnswerFileDialog(const QString& path)
{
    ThenAnswer([path](CDialog*, QWidget* pModal) {
        auto* pFile = qobject_cast<QFileDialog*>(pModal);
        ASSERT_NE(pFile, nullptr) << "expected a file dialog";
        if (path.isEmpty()) {
            pFile->reject();
            return;
        }
        pFile->selectFile(path);
        static_cast<QDialog*>(pFile)->accept();
    });
}

bool PrintFixture::WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 2000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

CQZ2PreviewView* PrintFixture::Preview() const
{
    if (m_frame == nullptr || m_frame->GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* p = m_frame->GetWindow(GW_CHILD); p != nullptr; p = p->GetNextWindow())
        if (auto* pPreview = dynamic_cast<CQZ2PreviewView*>(CWnd::FromHandlePermanent(p->GetSafeHwnd())))
            return pPreview;
    return nullptr;
}
