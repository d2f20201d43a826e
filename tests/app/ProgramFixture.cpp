#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QWidget>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CCommandBar.h"
#include "command/CPropertyListCtrl.h"
#include "command/CommandManager.h"
#include "command/PropertyListItem.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"

void ProgramFixture::SetUp()
{
    // The program of an earlier test in this process ended with a quit message; once handled outside any
    // loop it would end every later modal loop at once. Let it pass, then clear it in a loop of its own.
    Pump();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    AppFixture::SetUp();
    ASSERT_TRUE(Start());
    m_frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    m_manager = m_app->GetCommandManager();
    ASSERT_NE(m_manager, nullptr);
    Pump();
}

void ProgramFixture::AnswerFileDialogWith(const QString& path)
{
    m_fileDialogAnswer.disconnect();
    m_fileDialogAnswer.setInterval(10);
    QObject::connect(&m_fileDialogAnswer, &QTimer::timeout, [this, path]() {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (pDialog == nullptr)
            return;
        m_fileDialogAnswer.stop();
        pDialog->selectFile(path);
        static_cast<QDialog*>(pDialog)->accept();
    });
    m_fileDialogAnswer.start();
}

void ProgramFixture::Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void ProgramFixture::Command(UINT nID)
{
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    Pump();
}

CQZ2Doc* ProgramFixture::NewDrawing()
{
    Command(ID_FILE_NEW);
    return ActiveDocument();
}

CQZ2Doc* ProgramFixture::ActiveDocument() const
{
    CMDIChildWnd* pChild = m_frame->MDIGetActive();
    return pChild != nullptr ? dynamic_cast<CQZ2Doc*>(pChild->GetActiveDocument()) : nullptr;
}

CQZ2View* ProgramFixture::ActiveDrawView() const
{
    CMDIChildWnd* pChild = m_frame->MDIGetActive();
    CView* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
    if (auto* pDraw = dynamic_cast<CQZ2View*>(pView))
        return pDraw;
    if (auto* pTabs = dynamic_cast<CQZ2TabView*>(pView))
        return pTabs->GetActiveDrawView();
    return nullptr;
}

void ProgramFixture::Click(CQZ2View* pView, const CPoint& p)
{
    const LPARAM at = MAKELPARAM(p.x, p.y);
    pView->SendMessage(WM_MOUSEMOVE, 0, at);
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    pView->SendMessage(WM_LBUTTONUP, 0, at);
}

void ProgramFixture::TypeAndReturn(const CString& text)
{
    CCommandBar* pBar = m_frame->GetCommandBar();
    ASSERT_NE(pBar, nullptr);
    CPropertyListCtrl& list = pBar->GetList();
    PropertyListItem* pRow = list.GetCurItem();
    ASSERT_NE(pRow, nullptr);
    // Typed as on the list: the selected row's editor takes the text.
    list.SetFocus();
    Pump();
    ASSERT_TRUE(pBar->TypeIntoSelectedRow(text));
    Pump();
    ASSERT_NE(pRow->GetEditor(), nullptr);
    QWidget* pTarget = QApplication::focusWidget();
    if (pTarget == nullptr)
        pTarget = pRow->GetEditor()->GetQWidget();
    ASSERT_NE(pTarget, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(pTarget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(pTarget, &release);
    Pump();
}

void ProgramFixture::QueueModalAction(std::function<bool(CWnd*)> action)
{
    m_modalActions.push_back(std::move(action));
    if (!m_modalPoll) {
        m_modalPoll = std::make_unique<QTimer>();
        m_modalPoll->setInterval(10);
        QObject::connect(m_modalPoll.get(), &QTimer::timeout, [this]() { PollModalActions(); });
    }
    m_modalPoll->start();
}

void ProgramFixture::PollModalActions()
{
    if (m_modalActions.empty()) {
        m_modalPoll->stop();
        return;
    }
    CWnd* pWnd = CWnd::FromQWidget(QApplication::activeModalWidget());
    if (pWnd == nullptr)
        return;
    std::function<bool(CWnd*)> action = std::move(m_modalActions.front());
    m_modalActions.pop_front();
    // A dialog that the action opens gets the next action: Qt does not deliver this timer again while its
    // slot runs, so another one polls meanwhile.
    QTimer nested;
    nested.setInterval(10);
    QObject::connect(&nested, &QTimer::timeout, [this]() { PollModalActions(); });
    nested.start();
    if (!action(pWnd))
        m_modalActions.push_front(std::move(action));
}

bool ProgramFixture::WaitFor(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 10000)
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
