#pragma once
// The program with a drawing open, and a user in front of its modal dialogs: each dialog that comes up
// is answered by the next step given, through its controls' messages, while the program runs on.

#include "ProgramFixture.h"

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>

#include <deque>
#include <functional>

class CDialog;
class CQZ2Doc;
class CQZ2View;
class CQZ2PageSetupDialog;
class CQZ2PrintDialog;
class CQZ2PreviewView;
class Draw2dDocument;

class PrintFixture : public ProgramFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Steps run, in order, on the modal dialogs as they show. A step sees the dialog (a CDialog, or
    // null for a Qt file dialog, then given as fileDialog).
    using Step = std::function<void(CDialog* pDialog, QWidget* pModal)>;
    void ThenAnswer(Step step);
    void AnswerPrintDialog(UINT nButton);
    void AnswerPageSetup(std::function<void(CQZ2PageSetupDialog&)> work, UINT nButton);
    void AnswerFileDialog(const QString& path);
    int StepsLeft() const { return static_cast<int>(m_steps.size()); }
    int DialogsSeen() const { return m_seen; }

    // Runs the event loop until the condition holds or two seconds pass (posted commands, dialogs).
    static bool WaitFor(const std::function<bool()>& done);
    // The preview window of the frame, or null.
    CQZ2PreviewView* Preview() const;

    using ProgramFixture::Click;
    static void Click(CWnd& dialog, int nID);
    static void Notify(CWnd& dialog, int nID, UINT nCode);

    QTemporaryDir m_files;
    CQZ2Doc* m_doc = nullptr;
    CQZ2View* m_view = nullptr;
    Draw2dDocument* m_model = nullptr;

private:
    std::deque<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_seen = 0;
};
