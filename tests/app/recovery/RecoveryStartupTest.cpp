// What the start offers from the recovery entries an abnormal end left, and what the timer does.

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtNetwork/QLocalServer>

#include "RecoveryFixture.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/SystemEnvironment.h"
#include "libs/vevure/Draw2dDocument.h"
#include "tests/support/AsUnprivilegedUser.h"

#include <sys/stat.h>

namespace {

class RecoveryStartupTest : public RecoveryFixture
{
protected:
    // A recovery file as the timer writes it: a drawing of nLines lines in the data folder.
    QString RecoveryFile(const QString& name, int nLines)
    {
        const QString path = DataFolder() + name;
        WriteDrawing(path, nLines);
        return path;
    }
    int QuestionsAsked() const
    {
        int n = 0;
        for (const auto& box : m_app->boxes)
            n += box.text.startsWith(QStringLiteral("Drawings that were not saved")) ? 1 : 0;
        return n;
    }
};

TEST_F(RecoveryStartupTest, YesReopensEachDrawingUnderItsOriginalNameInTheDataFolder)
{
    struct Case {
        const char* what;
        QString original;
        QString taken;  // a file already in the data folder
        QString expected;
    } cases[] = {
        {"imported DXF plan", QStringLiteral("plan"), QString(), QStringLiteral("plan.kvcd")},
        {"a drawing from any folder", QStringLiteral("/elsewhere/work/plan.kvcd"), QString(),
         QStringLiteral("plan.kvcd")},
        {"the name taken", QStringLiteral("/elsewhere/plan.kvcd"), QStringLiteral("plan.kvcd"),
         QStringLiteral("plan (2).kvcd")},
        {"a template", QStringLiteral("/elsewhere/part.kvct"), QString(), QStringLiteral("part.kvct")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(DataFolder()).removeRecursively();
        const QString recovery = RecoveryFile(QStringLiteral("~plan.kvcr"), 3);
        if (!c.taken.isEmpty())
            WriteDrawing(DataFolder() + c.taken, 1);
        WriteEntry(QStringLiteral("1"), recovery, c.original);
        m_answer = IDYES;
        ASSERT_TRUE(Launch());
        EXPECT_EQ(QuestionsAsked(), 1);
        const QString expected = DataFolder() + c.expected;
        CQZ2Doc* pDoc = FindOpen(expected);
        ASSERT_NE(pDoc, nullptr);
        EXPECT_EQ(LineCount(pDoc), 3);
        EXPECT_TRUE(pDoc->GetTitle().ToQString().endsWith(QStringLiteral(" (Recovered)")));
        EXPECT_FALSE(QFileInfo::exists(recovery));
        EXPECT_EQ(EntryValue(QStringLiteral("1"), QStringLiteral("RecoveryFilePath")), expected);
        EXPECT_EQ(pDoc->GetHomeFilePath().ToQString(), c.original);

        // Recovered, it is copied again as it changes, into its own file, for a second crash.
        AddLines(pDoc, 2);
        Command(39582);
        EXPECT_FALSE(pDoc->IsAutoSaveDirty());
        EXPECT_EQ(EntryValue(QStringLiteral("1"), QStringLiteral("RecoveryFilePath")), expected);
        EXPECT_EQ(EntryValue(QStringLiteral("1"), QStringLiteral("OriginalFilePath")), c.original);

        // Closed without saving: file and entry go.
        pDoc->OnCloseDocument();
        EXPECT_FALSE(QFileInfo::exists(expected));
        EXPECT_TRUE(SectionIsEmpty());
        Stop();
    }
}

TEST_F(RecoveryStartupTest, NoDeletesTheCopiesAndEmptiesTheSection)
{
    const QString first = RecoveryFile(QStringLiteral("~plan.kvcr"), 2);
    const QString second = RecoveryFile(QStringLiteral("~Drawing1.kvcr"), 1);
    WriteEntry(QStringLiteral("1"), first, QStringLiteral("/elsewhere/plan.kvcd"));
    WriteEntry(QStringLiteral("2"), second, QStringLiteral("Drawing1"));
    m_answer = IDNO;
    ASSERT_TRUE(Launch());
    EXPECT_EQ(QuestionsAsked(), 1);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_TRUE(SectionIsEmpty());
    EXPECT_EQ(FindOpen(DataFolder() + QStringLiteral("plan.kvcd")), nullptr);
}

TEST_F(RecoveryStartupTest, EntriesNotNamingARecoveryFileOfOursLoseTheirEntryOnly)
{
    // Files an entry must never touch: outside the data folder, or not named as recovery files.
    const QString outside = m_home.path() + QStringLiteral("/elsewhere/~plan.kvcr");
    WriteDrawing(outside, 1);
    const QString notRecovery = DataFolder() + QStringLiteral("notes.kvcd");
    WriteDrawing(notRecovery, 1);
    // An empty copy (the end came before the first write) and one that is no drawing at all.
    QDir().mkpath(DataFolder());
    const QString empty = DataFolder() + QStringLiteral("~empty.kvcr");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString garbage = DataFolder() + QStringLiteral("~garbage.kvcr");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is no drawing");
    }
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        WriteEntry(QStringLiteral("1"), outside, QStringLiteral("plan"));
        WriteEntry(QStringLiteral("2"), notRecovery, QStringLiteral("notes"));
        WriteEntry(QStringLiteral("3"), empty, QStringLiteral("empty"));
        WriteEntry(QStringLiteral("4"), garbage, QStringLiteral("garbage"));
        m_answer = answer;
        ASSERT_TRUE(Launch());
        EXPECT_TRUE(SectionIsEmpty());
        EXPECT_TRUE(QFileInfo::exists(outside));
        EXPECT_TRUE(QFileInfo::exists(notRecovery));
        EXPECT_FALSE(QFileInfo::exists(empty));
        if (answer == IDYES) {
            // The unreadable one was reported by the document, once, and is not offered again.
            EXPECT_EQ(m_app->boxes.size(), 2u);
            EXPECT_EQ(FindOpen(DataFolder() + QStringLiteral("garbage.kvcd")), nullptr);
        }
        EXPECT_EQ(OpenCount(), 1);  // the start's new drawing only
        Stop();
    }
}

TEST_F(RecoveryStartupTest, NothingIsOfferedWhileAnotherInstanceRuns)
{
    const QString recovery = RecoveryFile(QStringLiteral("~plan.kvcr"), 1);
    WriteEntry(QStringLiteral("1"), recovery, QStringLiteral("plan"));
    // Another instance's window, as its hand-over socket shows it: a live process of ours.
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(other.waitForStarted());
    QLocalServer server;
    ASSERT_TRUE(server.listen(m_home.path() + QStringLiteral("/runtime/KorvanCADVer4Class-%1-1").arg(other.processId())));
    m_answer = IDYES;
    ASSERT_TRUE(Launch());
    EXPECT_EQ(QuestionsAsked(), 0);
    EXPECT_TRUE(QFileInfo::exists(recovery));
    EXPECT_EQ(EntryValue(QStringLiteral("1"), QStringLiteral("RecoveryFilePath")), recovery);
    other.kill();
    other.waitForFinished();
}

TEST_F(RecoveryStartupTest, ATickWithAutoRecoveryOffStopsTheTimer)
{
    ASSERT_TRUE(Launch());
    ASSERT_NE(m_app->GetAutoSaveTimerId(), 0u);
    m_app->GetSystemEnvironment()->m_AutoRecoverEnabled = FALSE;
    AutoSaveTimerProc(nullptr, WM_TIMER, m_app->GetAutoSaveTimerId(), 0);
    EXPECT_EQ(m_app->GetAutoSaveTimerId(), 0u);
    m_app->GetSystemEnvironment()->m_AutoRecoverEnabled = TRUE;
    m_app->AutoSaveAll();
    EXPECT_NE(m_app->GetAutoSaveTimerId(), 0u);
}

TEST_F(RecoveryStartupTest, ADrawingInTheMiddleOfAChangeWaitsForItsEnd)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    AddLines(pDoc, 1);
    pDoc->GetDraw2dDocument()->BeginUndoOperation(nullptr);
    m_app->AutoSaveAll();
    EXPECT_TRUE(pDoc->IsAutoSaveDirty());
    EXPECT_TRUE(pDoc->GetRecoveryFilePath().IsEmpty());
    pDoc->GetDraw2dDocument()->EndUndoOperation();
    // The pass comes again shortly, without the user doing anything.
    EXPECT_TRUE(WaitFor([&] { return !pDoc->IsAutoSaveDirty(); }));
    EXPECT_TRUE(QFileInfo::exists(pDoc->GetRecoveryFilePath().ToQString()));
}

TEST_F(RecoveryStartupTest, ACopyThatCannotBeWrittenIsToldOnceInTheStatusBar)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    AddLines(pDoc, 2);
    m_app->AutoSaveAll();
    const QString copy = pDoc->GetRecoveryFilePath().ToQString();
    ASSERT_TRUE(QFileInfo::exists(copy));

    // The data folder becomes unreachable (a file where the folder was): no copy can be written.
    const QString folder = DataFolder().chopped(1);
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    const QString told = QStringLiteral("The automatic recovery copy could not be written; the previous copy is kept.");
    AddLines(pDoc, 1);
    m_app->AutoSaveAll();
    EXPECT_TRUE(pDoc->IsAutoSaveDirty());
    EXPECT_EQ(m_frame->GetPendingInformation().ToQString(), told);
    EXPECT_TRUE(m_app->boxes.empty());  // never in a box
    m_frame->SetStatusInformation(u"something else", 60000);
    m_app->AutoSaveAll();
    EXPECT_EQ(m_frame->GetPendingInformation(), CString(u"something else"));
    EXPECT_NE(m_app->GetAutoSaveTimerId(), 0u);

    // Back again, the copy is written; the previous one was kept meanwhile.
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder));
    m_app->AutoSaveAll();
    EXPECT_FALSE(pDoc->IsAutoSaveDirty());
}

// Run by the test after it, as an ordinary user: permissions do not bind root, which CI runs as.
TEST_F(RecoveryStartupTest, DISABLED_AReadOnlyDataFolderKeepsThePreviousCopyStep)
{
    ASSERT_TRUE(Launch());
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    AddLines(pDoc, 2);
    m_app->AutoSaveAll();
    const QString copy = pDoc->GetRecoveryFilePath().ToQString();
    QFile previous(copy);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    const QByteArray before = previous.readAll();
    previous.close();
    ASSERT_FALSE(before.isEmpty());

    const QByteArray folder = DataFolder().chopped(1).toLocal8Bit();
    const QStringList entries = QDir(DataFolder()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    AddLines(pDoc, 1);
    m_app->AutoSaveAll();
    EXPECT_TRUE(pDoc->IsAutoSaveDirty()) << "the copy waits for the next pass";
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), before) << "the previous copy is kept whole";
    previous.close();
    EXPECT_EQ(QDir(DataFolder()).entryList(QDir::Files | QDir::Hidden), entries) << "nothing half-written is left";
    EXPECT_EQ(m_frame->GetPendingInformation().ToQString(),
              QStringLiteral("The automatic recovery copy could not be written; the previous copy is kept."));
    EXPECT_TRUE(m_app->boxes.empty());

    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    m_app->AutoSaveAll();
    EXPECT_FALSE(pDoc->IsAutoSaveDirty());
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_NE(previous.readAll(), before) << "the next pass writes the copy";
}

TEST(RecoveryAsAnOrdinaryUser, AReadOnlyDataFolderKeepsThePreviousCopy)
{
    EXPECT_EQ(kctest::RunTestAsUnprivilegedUser("RecoveryStartupTest.DISABLED_AReadOnlyDataFolderKeepsThePreviousCopyStep"), "");
}

}  // namespace
