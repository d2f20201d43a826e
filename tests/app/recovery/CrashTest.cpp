// After a crash the next start gives back the work up to the last automatic copy. The crash is real:
// a child process runs the program, draws, copies, reports what the copy holds and is killed with
// SIGKILL; the test then starts the program over the same settings and data folder.

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QRandomGenerator>
#include <QtCore/QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "RecoveryFixture.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/CRect.h"

namespace {

constexpr UINT kLineID = 33412;
constexpr UINT kAutoSaveID = 39582;

// The child's side: the parent's folders, and its reports on the standard output.
class CrashChild : public RecoveryFixture
{
protected:
    void SetUp() override
    {
        RecoveryFixture::SetUp();
        const QByteArray root = qgetenv("KC_CRASH_HOME");
        ASSERT_FALSE(root.isEmpty());
        setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
        setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
        setenv("KC_MACHINE_CONFIG_DIR", (root + "/machine").constData(), 1);
    }
    static void Report(const char* what, int n)
    {
        std::printf("%s %d\n", what, n);
        std::fflush(stdout);
    }
    // Waits to be killed.
    static void Hang()
    {
        for (;;)
            Pump();
    }
};

TEST_F(CrashChild, DISABLED_DrawsCopiesAndDrawsMore)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Command(kLineID);
    CQZ2View* pView = ActiveDrawView();
    ASSERT_NE(pView, nullptr);
    CRect client;
    pView->GetClientRect(&client);
    auto draw = [&](int nFirstRow, int nLines) {
        for (int i = 0; i < nLines; ++i) {
            const int y = 20 + 25 * (nFirstRow + i);
            Click(pView, CPoint(client.Width() / 5, y));
            Click(pView, CPoint(client.Width() / 2, y));
        }
    };
    draw(0, 3);
    Command(kAutoSaveID);
    Report("COPIED", LineCount(pDoc));
    draw(3, 2);
    Report("DRAWN", LineCount(pDoc));
    Hang();
}

TEST_F(CrashChild, DISABLED_ChangesAndCopiesUntilKilled)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    for (;;) {
        AddLines(pDoc, 1 + static_cast<int>(QRandomGenerator::global()->bounded(3)));
        m_app->AutoSaveAll();
        if (!pDoc->IsAutoSaveDirty())
            Report("COPIED", LineCount(pDoc));
    }
}

class CrashTest : public RecoveryFixture
{
protected:
    // Starts the child test; its reports arrive through the output.
    void StartChild(QProcess& child, const char* test)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KC_CRASH_HOME"), m_home.path());
        // The child is killed: what it leaves allocated is no leak.
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=CrashChild.") + QLatin1String(test)});
        ASSERT_TRUE(child.waitForStarted(10000));
    }
    // Reads the child's output until the condition holds or it ended; a child under a loaded
    // machine may take long to start, so the wait is generous.
    static bool ReadUntil(QProcess& child, QByteArray& output, const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && child.state() != QProcess::NotRunning && clock.elapsed() < 180000) {
            child.waitForReadyRead(200);
            output += child.readAllStandardOutput();
        }
        return done();
    }
    // The numbers the child reported under the word, in order.
    static QList<int> Reports(const QByteArray& output, const QByteArray& word)
    {
        QList<int> numbers;
        for (const QByteArray& line : output.split('\n'))
            if (line.startsWith(word + ' '))
                numbers.append(line.mid(word.size() + 1).toInt());
        return numbers;
    }
    static void KillHard(QProcess& child)
    {
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished(10000);
    }
    CQZ2Doc* Recovered() const
    {
        CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
        m_app->GetOpenDocuments(documents);
        for (INT_PTR i = 0; i < documents.GetSize(); ++i)
            if (!documents[i]->GetHomeFilePath().IsEmpty())
                return documents[i];
        return nullptr;
    }
};

TEST_F(CrashTest, TheRestartGivesBackExactlyTheLinesOfTheLastCopy)
{
    QProcess child;
    StartChild(child, "DISABLED_DrawsCopiesAndDrawsMore");
    QByteArray output;
    const bool bDrawn = ReadUntil(child, output, [&] { return output.contains("DRAWN ") && output.endsWith('\n'); });
    const QByteArray errors = child.readAllStandardError();
    KillHard(child);
    ASSERT_TRUE(bDrawn) << output.toStdString() << errors.toStdString();
    const QList<int> copied = Reports(output, "COPIED");
    const QList<int> drawn = Reports(output, "DRAWN");
    ASSERT_EQ(copied.size(), 1);
    ASSERT_EQ(drawn.size(), 1);
    EXPECT_EQ(copied[0], 3);
    EXPECT_GT(drawn[0], copied[0]);

    m_answer = IDYES;
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = Recovered();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(LineCount(pDoc), copied[0]);
    EXPECT_TRUE(pDoc->GetTitle().ToQString().endsWith(QStringLiteral(" (Recovered)")));
}

TEST_F(CrashTest, AKillAtAnyMomentLeavesAReadableDrawingOfAReportedCount)
{
    QRandomGenerator random(20261211);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        QProcess child;
        StartChild(child, "DISABLED_ChangesAndCopiesUntilKilled");
        QByteArray output;
        // Some copies first, then a moment chosen at random.
        ReadUntil(child, output, [&] { return output.count("COPIED ") >= 2; });
        QThread::msleep(static_cast<unsigned long>(random.bounded(200)));
        KillHard(child);
        output += child.readAllStandardOutput();
        const QList<int> copied = Reports(output, "COPIED");
        ASSERT_GE(copied.size(), 2);

        m_answer = IDYES;
        ASSERT_TRUE(Launch());
        CQZ2Doc* pDoc = Recovered();
        ASSERT_NE(pDoc, nullptr);
        // A copy written after the last report that got out is also one the child made; its count
        // is at least the last reported one.
        const int count = LineCount(pDoc);
        EXPECT_TRUE(copied.contains(count) || (count > copied.last() && count <= copied.last() + 3)) << count;
        // Closed without saving: the next round starts clean.
        pDoc->OnCloseDocument();
        Stop();
        EXPECT_TRUE(SectionIsEmpty());
    }
}

}  // namespace
