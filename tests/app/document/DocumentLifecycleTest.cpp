// New drawings, the open dispatch by file type, the Save As proposal and saving that never loses
// the previous file.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include "DocFixture.h"
#include "tests/support/AsUnprivilegedUser.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/SystemEnvironment.h"
#include "platform/win/CDocManager.h"
#include "platform/win/CRecentFileList.h"
#include "platform/win/WinConstants.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Paper2dFeature.h"

namespace {

class DocumentLifecycleTest : public DocFixture
{
};

TEST_F(DocumentLifecycleTest, NewDrawingHasPaperTwoLaidOutPartDrawingsAndACurrentLayer)
{
    CQZ2Doc* pDoc = NewDocument();
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    ASSERT_EQ(pModel->GetDrawingFeatureCount(), 3);
    const DrawingFeatureBase* pPaper = pModel->GetDrawingFeatureByIndex(0);
    EXPECT_TRUE(pPaper->IsPaperFeature());
    const DrawingFeatureBase* pPart1 = pModel->GetDrawingFeatureByIndex(1);
    const DrawingFeatureBase* pPart2 = pModel->GetDrawingFeatureByIndex(2);
    EXPECT_TRUE(pPart1->IsPartFeature());
    EXPECT_TRUE(pPart2->IsPartFeature());

    // The paper is active, seen through the layout of the first part drawing.
    EXPECT_EQ(pModel->GetActiveDrawingID(), pPaper->GetDrawingID());
    const PartDrawingLayout* pLayout = pModel->GetActiveDrawingLayout();
    ASSERT_NE(pLayout, nullptr);
    EXPECT_EQ(pLayout->GetDrawingID(), pPart1->GetDrawingID());
    EXPECT_EQ(pLayout->GetPaperID(), pPaper->GetDrawingID());
    EXPECT_GE(pModel->GetCurrentLayerID(), 0);

    const DrawViewInfo& views = pDoc->GetViewInfo();
    ASSERT_EQ(views.GetViewInfoCount(), 4);
    EXPECT_EQ(views.GetViewType(0), 0);
    EXPECT_EQ(views.GetViewID(0), pPaper->GetDrawingID());
    EXPECT_EQ(views.GetViewType(1), 1);
    EXPECT_EQ(views.GetViewID(1), pPart1->GetDrawingID());
    EXPECT_EQ(views.GetViewType(2), 1);
    EXPECT_EQ(views.GetViewID(2), pPart2->GetDrawingID());
    EXPECT_EQ(views.GetViewType(3), 2);
    EXPECT_EQ(views.GetActiveIndex(), 0);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_FALSE(pModel->CanUndo());
}

TEST_F(DocumentLifecycleTest, OpenTellsWhyAFileCannotBeOpened)
{
    WriteAll(Path("plain.kvcd"), QByteArray("this is no compound file, just text\n"));
    WriteAll(Path("notes.xyz"), QByteArray("whatever"));
    WriteAll(Path("drawing.dxf"), QByteArray("0\nSECTION\n"));
    TheApp()->m_bDxfConverterDialog = FALSE;  // straight to the reader, without its settings sheet
    WriteAll(Path("empty.kvcd"), QByteArray());
    WriteAll(Path("old.qz2"), QByteArray("an older flat drawing"));
    struct Case {
        const char* file;
        const char* expected;  // a part of the message
    } cases[] = {
        {"missing.kvcd", "missing.kvcd"},
        {"plain.kvcd", "plain.kvcd"},
        {"empty.kvcd", "empty.kvcd"},
        {"notes.xyz", "notes.xyz cannot be opened: this type of file is not supported."},
        {"drawing.dxf", "could not be imported (error code -3)"},  // a DXF cut off after its first group
        {"old.qz2", "old.qz2 cannot be opened"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Boxes().clear();
        EXPECT_EQ(OpenDocument(Path(c.file)), nullptr);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_TRUE(Boxes()[0].text.contains(QString::fromUtf8(c.expected))) << Boxes()[0].text.toStdString();
        EXPECT_NE(Boxes()[0].type & MB_ICONEXCLAMATION, 0u);
    }
}

TEST_F(DocumentLifecycleTest, SaveAsProposesTheTitleCutAtTheFirstCharacterAFileNameCannotCarry)
{
    CQZ2Doc* pDoc = NewDocument();
    struct Case {
        const char16_t* title;
        const char16_t* expected;
    } cases[] = {
        {u"Drawing1", u"Drawing1.kvcd"},    {u"Plan#2", u"Plan.kvcd"},        {u"a%b", u"a.kvcd"},
        {u"x;y#z", u"x.kvcd"},             {u"left/right", u"left.kvcd"},    {u"back\\slash", u"back.kvcd"},
        {u"two words", u"two words.kvcd"}, {u"\u56f3\u9762#1", u"\u56f3\u9762.kvcd"},
    };
    for (const Case& c : cases) {
        pDoc->m_strTitle = c.title;
        EXPECT_EQ(pDoc->GetSaveAsProposal(TRUE, u"kvcd").ToQString(), QString::fromUtf16(c.expected));
    }
    // A template proposal takes the template's extension.
    pDoc->m_strTitle = u"Base#1";
    EXPECT_EQ(pDoc->GetSaveAsProposal(TRUE, u"kvct").ToQString(), QStringLiteral("Base.kvct"));
    // A drawing with a native path proposes its own name.
    pDoc->m_strPathName = CString::FromQString(Path("Site#3.kvcd"));
    EXPECT_EQ(pDoc->GetSaveAsProposal(TRUE, u"kvcd").ToQString(), QStringLiteral("Site#3.kvcd"));
}

TEST_F(DocumentLifecycleTest, SaveWithAPathWritesTheFileTakesItsNameAndClearsTheModifiedFlag)
{
    CQZ2Doc* pDoc = NewDocument();
    AddShapes(pDoc, 3);
    pDoc->SetModifiedFlag(TRUE);
    // The extension is added when missing.
    ASSERT_TRUE(pDoc->DoSaveAs(CString::FromQString(Path("first")), TRUE, 0x2, u"kvcd"));
    EXPECT_TRUE(QFileInfo::exists(Path("first.kvcd")));
    EXPECT_EQ(pDoc->GetPathName().ToQString(), Path("first.kvcd"));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(Boxes().empty());

    // Not a native type: nothing written.
    EXPECT_FALSE(pDoc->OnSaveDocument(CString::FromQString(Path("other.dxf"))));
    EXPECT_FALSE(QFileInfo::exists(Path("other.dxf")));

    // The 3.10 format keeps the document's name and leaves it modified.
    pDoc->SetModifiedFlag(TRUE);
    ASSERT_TRUE(pDoc->DoSaveAs(CString::FromQString(Path("old.kvcd")), TRUE, 0x10, u"kvcd"));
    EXPECT_TRUE(QFileInfo::exists(Path("old.kvcd")));
    EXPECT_EQ(pDoc->GetPathName().ToQString(), Path("first.kvcd"));
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(DocumentLifecycleTest, SavingOverADrawingBacksItUpFirst)
{
    SystemEnvironment* pOptions = TheApp()->GetSystemEnvironment();
    const BOOL bBackup = pOptions->m_BackupSaveEnabled;
    pOptions->m_BackupSaveEnabled = TRUE;
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("plan.kvcd")), TRUE));
    EXPECT_FALSE(QFileInfo::exists(Path("plan.kvcb")));
    const QByteArray first = ReadAll(Path("plan.kvcd"));
    AddShapes(pDoc, 2);
    // Saving again, as File Save or a Save As onto the same file does, keeps the previous content.
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("plan.kvcd")), TRUE));
    EXPECT_EQ(ReadAll(Path("plan.kvcb")), first);
    EXPECT_NE(ReadAll(Path("plan.kvcd")), first);
    pOptions->m_BackupSaveEnabled = bBackup;
}

TEST_F(DocumentLifecycleTest, AFailedSaveKeepsTheOldFileAndTellsTheUser)
{
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("keep.kvcd")), TRUE));
    const QByteArray before = ReadAll(Path("keep.kvcd"));
    ASSERT_FALSE(before.isEmpty());
    AddShapes(pDoc, 200);
    pDoc->SetModifiedFlag(TRUE);

    // Files may not grow beyond a few bytes: the write fails part way.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const BOOL bSaved = pDoc->DoSave(CString::FromQString(Path("keep.kvcd")), TRUE);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bSaved);
    EXPECT_EQ(ReadAll(Path("keep.kvcd")), before);
    EXPECT_TRUE(pDoc->IsModified());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Boxes()[0].text.contains(QStringLiteral("could not be saved"))) << Boxes()[0].text.toStdString();
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(DocumentLifecycleTest, ASaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("ro.kvcd")), TRUE));
    const QByteArray before = ReadAll(Path("ro.kvcd"));
    AddShapes(pDoc, 2);
    // The user may write the file but not the folder it lies in.
    if (kctest::RunsAsSuperUser()) {
        ASSERT_EQ(chown(Path("ro.kvcd").toUtf8().constData(), kctest::kUnprivilegedId, kctest::kUnprivilegedId), 0);
    }
    ASSERT_EQ(chmod(m_dir.path().toUtf8().constData(), 0555), 0);
    const std::string seen = kctest::AsUnprivilegedUser([&] {
        const BOOL bSaved = pDoc->DoSave(CString::FromQString(Path("ro.kvcd")), TRUE);
        std::string text = "saved " + std::to_string(bSaved) + ", boxes " + std::to_string(Boxes().size());
        if (!Boxes().empty())
            text += ": " + Boxes()[0].text.toStdString();
        return text;
    });
    chmod(m_dir.path().toUtf8().constData(), 0700);
    EXPECT_EQ(seen.substr(0, seen.find(':')), "saved 0, boxes 1") << seen;
    EXPECT_NE(seen.find("ro.kvcd"), std::string::npos) << seen;
    EXPECT_EQ(ReadAll(Path("ro.kvcd")), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ro.kvcd")});
}

TEST_F(DocumentLifecycleTest, TheApplicationOpensADrawingInAWindowAndAStaleRecentFileSaysSo)
{
    {
        CQZ2Doc* pDoc = NewDocument();
        AddShapes(pDoc, 2);
        ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("window.kvcd")), TRUE));
    }
    CDocument* pOpened = TheApp()->OpenDocumentFile(CString::FromQString(Path("window.kvcd")));
    ASSERT_NE(pOpened, nullptr);
    ASSERT_TRUE(pOpened->IsKindOf(RUNTIME_CLASS(CQZ2Doc)));
    auto* pDoc = static_cast<CQZ2Doc*>(pOpened);
    EXPECT_EQ(pDoc->GetDraw2dDocument()->GetFeatureCount(), 4);
    EXPECT_EQ(pDoc->GetTitle().ToQString(), QStringLiteral("window.kvcd"));
    EXPECT_FALSE(pDoc->IsModified());
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_NE(pDoc->GetFirstTabView(pos), nullptr);
    EXPECT_EQ(pDoc->GetFrontTabView() != nullptr, true);
    pDoc->OnCloseDocument();
    EXPECT_TRUE(Boxes().empty());

    // The file is gone: choosing it from the recent-file list names it and drops the entry.
    CRecentFileList* pList = AfxGetDocManager()->GetRecentFileList();
    ASSERT_NE(pList, nullptr);
    ASSERT_GT(pList->GetSize(), 0);
    EXPECT_EQ((*pList)[0].ToQString(), Path("window.kvcd"));
    ASSERT_TRUE(QFile::remove(Path("window.kvcd")));
    EXPECT_TRUE(AfxGetDocManager()->OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Boxes()[0].text.contains(QStringLiteral("window.kvcd"))) << Boxes()[0].text.toStdString();
    EXPECT_TRUE(pList->GetSize() == 0 || (*pList)[0].ToQString() != Path("window.kvcd"));
}

TEST_F(DocumentLifecycleTest, ARecoveredDrawingSaysSoInItsTitleAndIsAlwaysAskedAbout)
{
    CQZ2Doc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("ro.kvcd")), TRUE));
    EXPECT_EQ(pDoc->GetTitle().ToQString(), QStringLiteral("ro.kvcd"));
    pDoc->SetRecoveryInfo(CString::FromQString(Path("ro.kvcd")), CString::FromQString(Path("ro.kvcr")), u"Doc1");
    pDoc->SetTitle(u"ro.kvcd");
    EXPECT_EQ(pDoc->GetTitle().ToQString(), QStringLiteral("ro.kvcd (Recovered)"));

    // A recovered drawing is always asked about, modified or not.
    pDoc->SetModifiedFlag(FALSE);
    TheApp()->answer = IDNO;
    EXPECT_TRUE(pDoc->SaveModified());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Boxes()[0].text.contains(QStringLiteral("recovered"))) << Boxes()[0].text.toStdString();
    TheApp()->answer = IDCANCEL;
    EXPECT_FALSE(pDoc->SaveModified());
}

TEST_F(DocumentLifecycleTest, ANewDrawingFromATemplateHasItsContentsButNoName)
{
    CQZ2Doc* pTemplate = NewDocument();
    AddShapes(pTemplate, 3);
    pTemplate->GetDocumentProperties().m_strCompany = u"Works";
    ASSERT_TRUE(pTemplate->DoSaveAs(CString::FromQString(Path("base")), TRUE, 0x4, u"kvct"));
    ASSERT_TRUE(QFileInfo::exists(Path("base.kvct")));
    const QByteArray before = ReadAll(Path("base.kvct"));

    auto* pDoc = new CQZ2Doc;
    pDoc->m_bAutoDelete = FALSE;
    m_docs.push_back(pDoc);
    ASSERT_TRUE(pDoc->OnNewDocumentFromTemplate(CString::FromQString(Path("base.kvct"))));
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc->GetDraw2dDocument()->GetFeatureCount(), 6);
    EXPECT_TRUE(pDoc->GetDocumentProperties().m_strCompany == CString(u"Works"));
    EXPECT_EQ(ReadAll(Path("base.kvct")), before);

    // A missing template opens nothing and says so.
    auto* pNone = new CQZ2Doc;
    pNone->m_bAutoDelete = FALSE;
    m_docs.push_back(pNone);
    Boxes().clear();
    EXPECT_FALSE(pNone->OnNewDocumentFromTemplate(CString::FromQString(Path("none.kvct"))));
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(DocumentLifecycleTest, ADrawingOpenedFromAReadOnlyFileSaysSoInItsTitle)
{
    {
        CQZ2Doc* pDoc = NewDocument();
        ASSERT_TRUE(pDoc->DoSave(CString::FromQString(Path("locked.kvcd")), TRUE));
    }
    // Everybody may read the file and look into its folder; nobody but its owner (root in CI) may write it.
    ASSERT_TRUE(QFile::setPermissions(Path("locked.kvcd"),
                                      QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_EQ(chmod(m_dir.path().toUtf8().constData(), 0755), 0);
    const std::string seen = kctest::AsUnprivilegedUser([&] {
        CQZ2Doc* pDoc = OpenDocument(Path("locked.kvcd"));
        if (pDoc == nullptr)
            return std::string("not opened");
        return "access mode " + std::to_string(pDoc->GetAccessMode()) + ", title " + pDoc->GetTitle().ToQString().toStdString();
    });
    QFile::setPermissions(Path("locked.kvcd"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(seen, "access mode 1, title locked.kvcd (Read Only)");
}

}  // namespace
