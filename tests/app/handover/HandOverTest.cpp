// A file given to a new start of the program while an instance runs goes to that instance: here
// the instance is the program started in the test, and the new starts are the real program binary.

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtNetwork/QLocalServer>

#include <fcntl.h>
#include <sys/socket.h>

#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "ProgramFixture.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/RemoteWindow.h"

namespace {

class HandOverTest : public ProgramFixture
{
protected:
    // A saved drawing, closed again unless bKeepOpen.
    QString SavedDrawing(const QString& name, bool bKeepOpen = false)
    {
        const QString path = m_home.path() + QLatin1Char('/') + name;
        CQZ2Doc* pDoc = NewDrawing();
        EXPECT_NE(pDoc, nullptr);
        if (pDoc == nullptr)
            return path;
        EXPECT_TRUE(pDoc->DoSave(CString::FromQString(path), TRUE));
        if (!bKeepOpen)
            pDoc->OnCloseDocument();
        Pump();
        return path;
    }

    // The program started as the shell starts it; runs the event loop (this instance answers)
    // until it ends. Its exit code, or -1 when it did not end within the wait.
    int RunProgram(const QStringList& args, qint64* pElapsedMs = nullptr)
    {
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer clock;
        clock.start();
        program.start(QStringLiteral(KC_PROGRAM_PATH), args);
        if (!program.waitForStarted(10000))
            return -1;
        const bool bEnded = WaitLong([&] { return program.state() == QProcess::NotRunning; });
        if (pElapsedMs != nullptr)
            *pElapsedMs = clock.elapsed();
        if (!bEnded) {
            program.kill();
            program.waitForFinished(5000);
            return -1;
        }
        Pump();
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // Runs the event loop (this instance answers) until the condition holds; the program's start
    // may take long on a loaded machine, so the wait is generous.
    static bool WaitLong(const std::function<bool()>& condition)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < 180000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return condition();
    }

    QStringList OpenPaths() const
    {
        QStringList paths;
        CTypedPtrArray<CPtrArray, CQZ2Doc*> documents;
        m_app->GetOpenDocuments(documents);
        for (INT_PTR i = 0; i < documents.GetSize(); ++i)
            paths.append(documents[i]->GetPathName().ToQString());
        return paths;
    }

    QString Socket(const QString& tail) const
    {
        return m_home.path() + QStringLiteral("/runtime/KorvanCADVer4Class-") + tail;
    }
};

TEST_F(HandOverTest, TheFileOpensInTheRunningInstanceAndTheNewProcessEnds)
{
    const QString first = SavedDrawing(QStringLiteral("first.kvcd"));
    const QString second = SavedDrawing(QStringLiteral("second.kvcd"));
    const QStringList before = OpenPaths();

    ASSERT_EQ(RunProgram({first}), 0);
    EXPECT_EQ(OpenPaths().size(), before.size() + 1);
    ASSERT_NE(ActiveDocument(), nullptr);
    EXPECT_EQ(ActiveDocument()->GetPathName().ToQString(), first);

    // Several files, as the desktop entry passes them: all of them, in order.
    const QString third = SavedDrawing(QStringLiteral("third.kvcd"));
    ASSERT_EQ(RunProgram({second, third}), 0);
    const QStringList after = OpenPaths();
    ASSERT_GE(after.size(), 3);
    EXPECT_EQ(after.mid(after.size() - 3), (QStringList{first, second, third}));
}

TEST_F(HandOverTest, AFileOpenThereOnlyBringsItsWindowForward)
{
    const QString first = SavedDrawing(QStringLiteral("first.kvcd"), true);
    CMDIChildWnd* pFirstFrame = m_frame->MDIGetActive();
    SavedDrawing(QStringLiteral("second.kvcd"), true);
    ASSERT_NE(m_frame->MDIGetActive(), pFirstFrame);
    pFirstFrame->ShowWindow(SW_MINIMIZE);
    const int count = static_cast<int>(OpenPaths().size());

    ASSERT_EQ(RunProgram({first}), 0);
    EXPECT_EQ(OpenPaths().size(), count);
    EXPECT_EQ(m_frame->MDIGetActive(), pFirstFrame);
    EXPECT_FALSE(pFirstFrame->IsIconic());
}

TEST_F(HandOverTest, TwoStartsInQuickSuccessionOpenBothFiles)
{
    const QString first = SavedDrawing(QStringLiteral("first.kvcd"));
    const QString second = SavedDrawing(QStringLiteral("second.kvcd"));
    QProcess a;
    QProcess b;
    a.setProcessChannelMode(QProcess::ForwardedChannels);
    b.setProcessChannelMode(QProcess::ForwardedChannels);
    a.start(QStringLiteral(KC_PROGRAM_PATH), {first});
    b.start(QStringLiteral(KC_PROGRAM_PATH), {second});
    ASSERT_TRUE(WaitLong([&] { return a.state() == QProcess::NotRunning && b.state() == QProcess::NotRunning; }));
    Pump();
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);
    const QStringList paths = OpenPaths();
    EXPECT_TRUE(paths.contains(first));
    EXPECT_TRUE(paths.contains(second));
}

TEST_F(HandOverTest, APathDifferingInLetterCaseIsAnotherFile)
{
    const QString lower = SavedDrawing(QStringLiteral("plan.kvcd"), true);
    const QString upper = m_home.path() + QStringLiteral("/PLAN.kvcd");
    ASSERT_TRUE(QFile::copy(lower, upper));
    const int count = static_cast<int>(OpenPaths().size());

    ASSERT_EQ(RunProgram({upper}), 0);
    EXPECT_EQ(OpenPaths().size(), count + 1);
    EXPECT_TRUE(OpenPaths().contains(upper));
}

TEST_F(HandOverTest, DeadAndSilentInstancesArePassedOverInTime)
{
    const QString file = SavedDrawing(QStringLiteral("plan.kvcd"));

    // A process that ended without taking its socket away.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForFinished(5000));
    const QString deadPid = Socket(QStringLiteral("%1-1").arg(ended.processId() > 0 ? ended.processId() : 999999));
    // A live process (not ours to signal) whose socket nobody listens on any more.
    const QString refused = Socket(QStringLiteral("1-7"));
    for (const QString& path : {deadPid, refused}) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        ASSERT_LT(native.size(), static_cast<qsizetype>(sizeof address.sun_path));
        std::memcpy(address.sun_path, native.constData(), native.size());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    // An instance that takes the connection and never answers, activated last so it is asked first.
    QLocalServer silent;
    silent.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(silent.listen(Socket(QStringLiteral("%1-99").arg(::getpid() + 1000000))));
    ::utimensat(AT_FDCWD, QFile::encodeName(silent.fullServerName()).constData(), nullptr, 0);

    // The silent one is waited for once, with its timeout: the start ends and the file opens here.
    ASSERT_EQ(RunProgram({file}), 0);
    EXPECT_TRUE(OpenPaths().contains(file));
    EXPECT_FALSE(QFileInfo::exists(deadPid));
    EXPECT_FALSE(QFileInfo::exists(refused));
}

TEST_F(HandOverTest, MalformedRecordsAreRefused)
{
    const QString file = SavedDrawing(QStringLiteral("plan.kvcd"));
    const std::u16string path = file.toStdU16String();
    struct Case {
        const char* what;
        ULONG_PTR kind;
        std::u16string bytes;
        DWORD cbData;
    } cases[] = {
        {"kind 2", 2, path + u'\0', 0},
        {"no terminating zero", 0, path, 0},
        {"odd byte count", 0, path + u'\0', 3},
        {"lone surrogate", 0, u"/tmp/\xD800x" + std::u16string(1, u'\0'), 0},
        {"empty", 0, std::u16string(1, u'\0'), 0},
        {"a file that is not there", 1, (file + QStringLiteral(".gone")).toStdU16String() + u'\0', 0},
    };
    for (const Case& c : cases) {
        std::u16string copy = c.bytes;
        COPYDATASTRUCT data{};
        data.dwData = c.kind;
        data.cbData = c.cbData != 0 ? c.cbData : static_cast<DWORD>(copy.size() * 2);
        data.lpData = copy.data();
        EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0) << c.what;
    }
    Pump();
    EXPECT_FALSE(OpenPaths().contains(file));

    // The well-formed query of a file not open answers 0; its open request 1.
    std::u16string good = path + u'\0';
    COPYDATASTRUCT data{0, static_cast<DWORD>(good.size() * 2), good.data()};
    EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    data.dwData = 1;
    EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    Pump();
    EXPECT_TRUE(OpenPaths().contains(file));
    data.dwData = 0;
    EXPECT_EQ(m_frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
}

}  // namespace
