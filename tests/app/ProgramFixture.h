#pragma once
// The real program started offscreen (AppFixture) with its main frame and command manager at hand, and
// what tests do to it as a user would: send a menu command, make a new drawing, click in a drawing view.

#include "AppFixture.h"

#include <QtCore/QTimer>

#include <functional>
#include <list>
#include <memory>

class CMainFrame;
class CWnd;
class CString;
class CPoint;
class CQZ2Doc;
class CQZ2View;
namespace QZ2Command {
class CommandManager;
}

class ProgramFixture : public AppFixture
{
public:
    // Lets queued messages and timers that are due run.
    static void Pump();

protected:
    // Starts the program; fails the test when it has no main frame or command manager.
    void SetUp() override;

    // A command as a menu entry or a toolbar button sends it.
    void Command(UINT nID);
    // File New through the frame; the new drawing's document.
    CQZ2Doc* NewDrawing();
    CQZ2Doc* ActiveDocument() const;
    // The drawing view that takes the mouse: the active view of the active document window, or the
    // drawing view of its active tab.
    CQZ2View* ActiveDrawView() const;
    // Moves to the point and clicks the left button there, in the view's client coordinates.
    static void Click(CQZ2View* pView, const CPoint& p);
    // Answers the next file dialog with the path, as a user choosing it would.
    void AnswerFileDialogWith(const QString& path);
    // Types the text into the command bar's selected row (its editor) and presses Return there, as the user does.
    void TypeAndReturn(const CString& text);

    // Acting inside modal dialogs. Each call queues an action; the actions run in turn, each once, from the
    // event loop of the first modal window of class T that is running after the earlier actions have
    // started (a nested dialog opened by an action gets the next action while the earlier one waits in
    // it). The action acts as a user would (sends the dialog its messages) and usually ends the dialog.
    template <class T>
    void WhenModal(std::function<void(T&)> act)
    {
        QueueModalAction([act](CWnd* pWnd) {
            T* pDialog = dynamic_cast<T*>(pWnd);
            if (pDialog == nullptr)
                return false;
            act(*pDialog);
            return true;
        });
    }
    // Actions queued and not yet run; a test checks it is 0 when all its dialogs should have come.
    size_t PendingModalActions() const { return m_modalActions.size(); }
    // Runs the event loop until the condition holds or about ten seconds passed; the condition's last answer.
    static bool WaitFor(const std::function<bool()>& condition);

    CMainFrame* m_frame = nullptr;
    QZ2Command::CommandManager* m_manager = nullptr;
    QTimer m_fileDialogAnswer;

private:
    // The action answers whether the window was the one it waits for (and then it has acted).
    void QueueModalAction(std::function<bool(CWnd*)> action);
    void PollModalActions();
    std::list<std::function<bool(CWnd*)>> m_modalActions;
    std::unique_ptr<QTimer> m_modalPoll;
};
