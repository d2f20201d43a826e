// The clipboard as other programs see it on an X11 desktop: a server of our own (Xvfb) runs this test
// program again on it, where xclip reads what a Copy offers and puts pictures as other programs do, and a
// second instance of the program pastes the copy. The parts that need the X server are the DISABLED_
// tests below, run only in that child process.

#include "ClipboardFixture.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtCore/QUrl>
#include <QtGui/QImage>

#include <unistd.h>

#include "libs/vevure/EmbeddedFileRecord.h"

namespace {

using namespace kctest;

// Runs a program to its end while this one keeps serving the clipboard; its standard output.
QByteArray RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {}, int* pExit = nullptr,
               const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {};
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    QElapsedTimer clock;
    clock.start();
    while (p.state() != QProcess::NotRunning && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    }
    if (pExit != nullptr)
        *pExit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

QByteArray XclipOut(const QString& target)
{
    return RunProgram(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                         target, QStringLiteral("-o")});
}

class X11ClipboardTest : public ClipboardFixture
{
protected:
    // The clipboard belongs to the desktop here: another program's data is what is read.
    X11ClipboardTest() { m_bClearClipboard = false; }
};

// Copy: other programs find the vector picture, the bitmap, the text and our own data, each right.
TEST_F(X11ClipboardTest, DISABLED_CopyIsReadByOtherProgramsAndASecondInstance)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    ASSERT_NE(doc, nullptr);
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    const long b = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(0, 50));
    Text2dFeature text;
    text.SetText(_T("note"));
    text.SetPoint(RuVaPnt2d(10, 10));
    text.SetLayerID(model->GetCurrentLayerID());
    const long t = model->AddFeature(&text, model->GetActiveDrawingFeature(), 1);
    Select(model, std::vector<long>{a, b, t});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));

    const QString targets = QString::fromUtf8(XclipOut(QStringLiteral("TARGETS")));
    EXPECT_TRUE(targets.contains(QStringLiteral("image/svg+xml"))) << targets.toStdString();
    EXPECT_TRUE(targets.contains(QStringLiteral("image/png"))) << targets.toStdString();
    EXPECT_TRUE(targets.contains(QStringLiteral("text/plain"))) << targets.toStdString();
    EXPECT_TRUE(targets.contains(NativeMime())) << targets.toStdString();

    const QString svg = QString::fromUtf8(XclipOut(QStringLiteral("image/svg+xml")));
    const QRegularExpression size(QStringLiteral("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
    const auto m = size.match(svg);
    ASSERT_TRUE(m.hasMatch()) << svg.left(300).toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 100.0, 0.5);
    EXPECT_NEAR(m.captured(2).toDouble(), 50.0, 0.5);

    const QImage png = QImage::fromData(XclipOut(QStringLiteral("image/png")), "PNG");
    ASSERT_FALSE(png.isNull());
    int w = 0, h = 0;
    CQZ2SrvrItem::GetBitmapSize(10000, 5000, w, h);
    EXPECT_EQ(png.width(), w);
    EXPECT_EQ(png.height(), h);
    EXPECT_EQ(QString::fromUtf8(XclipOut(QStringLiteral("text/plain"))).trimmed(), QStringLiteral("note"));

    // A second instance of the program pastes the copy while this one holds it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    int exitCode = -1;
    const QByteArray out = RunProgram(QCoreApplication::applicationFilePath(),
                               {QStringLiteral("--gtest_also_run_disabled_tests"),
                                QStringLiteral("--gtest_filter=X11ClipboardTest.DISABLED_SecondInstancePastes")},
                               {}, &exitCode, env);
    EXPECT_EQ(exitCode, 0) << out.right(3000).toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.right(3000).toStdString();
}

TEST_F(X11ClipboardTest, DISABLED_SecondInstancePastes)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(WaitFor([] { return QZ2Command::ClipboardPaste2dCommand::IsNativeDataAvailable() != FALSE; }));
    Command(kPasteID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(50, 50)));
    Command(kEndCommandID);
    EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 3);
}

// A picture put by another program pastes as an image shape.
TEST_F(X11ClipboardTest, DISABLED_PicturePutByAnotherProgramPastes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.png"));
    QImage picture(80, 60, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file, "PNG"));
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"), file});
    ASSERT_TRUE(xclip.waitForStarted(10000));
    CQZ2Doc* doc = NewDrawingWithLayer();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(WaitFor([] { return IsClipboardFormatAvailable(CF_DIB) != FALSE; }));
    Command(kPasteID);
    auto* paste = dynamic_cast<QZ2Command::ClipboardPaste2dCommand*>(m_manager->GetActiveCommand());
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->GetPasteKind(), QZ2Command::ClipboardPaste2dCommand::kindImage);
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(0, 0)));
    Command(kEndCommandID);
    EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 1);
    xclip.kill();
    xclip.waitForFinished(5000);
}

// A file copied in a file manager (a file list put by another program) pastes as an embedded file; the
// further files of the list are left out and counted.
TEST_F(X11ClipboardTest, DISABLED_FileListPutByAnotherProgramPastes)
{
    QTemporaryDir dir;
    QStringList paths;
    for (const char* name : {"notes one.txt", "other.txt"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("some notes\n");
        paths << f.fileName();
    }
    QByteArray list = "# copied\r\n";
    for (const QString& p : paths)
        list += QUrl::fromLocalFile(p).toEncoded() + "\r\n";
    const QString listFile = dir.filePath(QStringLiteral("list"));
    {
        QFile f(listFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(list);
    }
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), QStringLiteral("text/uri-list"), QStringLiteral("-i"), listFile});
    ASSERT_TRUE(xclip.waitForStarted(10000));
    CQZ2Doc* doc = NewDrawingWithLayer();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(WaitFor([] { return IsClipboardFormatAvailable(CF_HDROP) != FALSE; }));
    Command(kPasteID);
    auto* paste = dynamic_cast<QZ2Command::ClipboardPaste2dCommand*>(m_manager->GetActiveCommand());
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->GetPasteKind(), QZ2Command::ClipboardPaste2dCommand::kindObject);
    EmbeddedFileRecord record;
    ASSERT_TRUE(record.Read(paste->GetItemData()));
    EXPECT_EQ(record.m_strFileName.ToQString(), QStringLiteral("notes one.txt"));
    EXPECT_FALSE(record.m_bLink);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(record.m_data.data()), static_cast<qsizetype>(record.m_data.size())),
              QByteArray("some notes\n"));
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(0, 0)));
    Command(kEndCommandID);
    EXPECT_EQ(doc->GetDraw2dDocument()->GetFeatureCount(), 1);
    xclip.kill();
    xclip.waitForFinished(5000);
}

// Starts an X server of our own and runs the tests above on it.
TEST(X11ClipboardRun, OtherProgramsReadAndPutThroughTheX11Clipboard)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    ASSERT_FALSE(xvfb.isEmpty()) << "Xvfb is missing: scripts/setup.sh installs it";
    ASSERT_FALSE(xclip.isEmpty()) << "xclip is missing: scripts/setup.sh installs it";
    // A display number of our own.
    int display = 0;
    for (display = 100 + static_cast<int>(getpid() % 400); display < 1000; ++display)
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)) &&
            !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))
            break;
    QProcess server;
    server.start(xvfb, {QStringLiteral(":%1").arg(display), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                        QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24")});
    ASSERT_TRUE(server.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
    while (!QFileInfo::exists(socket) && server.state() == QProcess::Running && clock.elapsed() < 30000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(socket)) << server.readAllStandardError().toStdString();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    int exitCode = -1;
    const QByteArray out =
        RunProgram(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_also_run_disabled_tests"),
             QStringLiteral("--gtest_filter=X11ClipboardTest.DISABLED_CopyIsRead*:X11ClipboardTest.DISABLED_Picture*:"
                            "X11ClipboardTest.DISABLED_FileList*")},
            {}, &exitCode, env);
    server.terminate();
    server.waitForFinished(10000);
    EXPECT_EQ(exitCode, 0) << out.right(6000).toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 3 tests")) << out.right(6000).toStdString();
}

}  // namespace
