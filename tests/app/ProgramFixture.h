#pragma once
// The real program started offscreen (AppFixture) with its main frame and command manager at hand, and
// what tests do to it as a user would: send a menu command, make a new drawing, click in a drawing view.

#include "AppFixture.h"

#include <QtCore/QTimer>

class CMainFrame;
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

    CMainFrame* m_frame = nullptr;
    QZ2Command::CommandManager* m_manager = nullptr;
    QTimer m_fileDialogAnswer;
};
