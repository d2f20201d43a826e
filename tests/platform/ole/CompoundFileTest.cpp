#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "OleTestSupport.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CFileException.h"
#include "platform/ole/COleStreamFile.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/CompoundStream.h"

using namespace oletest;

namespace {

class CompoundFileTest : public ::testing::Test
{
protected:
    CString PathOf(const char* name) const { return CString::FromQString(dir.filePath(QString::fromUtf8(name))); }
    QStringList FolderEntries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};

// Runs the body and returns the cause of the CFileException it throws (-1 when it throws none, -2 for
// another exception).
template <class F>
int FileCauseOf(F body)
{
    try {
        body();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return -2;
    }
    return -1;
}

// The status of the CompoundFileException the body throws (0 when none).
template <class F>
SCODE StatusOf(F body, CString* pMessage = nullptr)
{
    try {
        body();
    } catch (CompoundFileException* e) {
        const SCODE sc = e->m_sc;
        if (pMessage != nullptr)
            *pMessage = e->GetErrorText();
        e->Delete();
        return sc;
    } catch (CException* e) {
        e->Delete();
        return E_FAIL;
    }
    return 0;
}

}  // namespace

TEST_F(CompoundFileTest, RoundTripsStreamsStoragesClassIdsAndPropertySets)
{
    const CString path = PathOf("drawing.kvcd");
    {
        CompoundFile file;
        file.Create(path);
        FillSample(file);
        file.Commit(STGC_ONLYIFCURRENT | STGC_CONSOLIDATE);
    }
    EXPECT_EQ(StgIsStorageFile(path), S_OK);
    {
        CompoundFile file;
        file.Open(path, TRUE);
        ExpectSample(file);
        std::vector<STATSTG> elements = file.GetRootStorage()->EnumElements();
        EXPECT_EQ(elements.size(), 5u);
    }
    // Read-write: a change reaches the disk with the commit and leaves everything else as it was.
    {
        CompoundFile file;
        file.Open(path, FALSE);
        EXPECT_EQ(file.GetRootStorage()->DestroyElement(_T("QZ2Thumbnail")), S_OK);
        file.Commit();
    }
    CompoundFile file;
    file.Open(path, TRUE);
    EXPECT_EQ(file.GetRootStorage()->GetElementType(_T("QZ2Thumbnail")), 0u);
    CByteArray bytes;
    const BYTE replacement[] = {9};
    EXPECT_EQ(file.GetRootStorage()->WriteStream(_T("QZ2Thumbnail"), replacement, 1), STG_E_ACCESSDENIED);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("drawing.kvcd")});
}

TEST_F(CompoundFileTest, LibgsfToolReadsWhatWeWrite)
{
    if (!HaveGsf())
        GTEST_SKIP() << "the gsf tool (package libgsf-bin) is not installed";
    const CString path = PathOf("drawing.kvcd");
    CompoundFile file;
    file.Create(path);
    FillSample(file);
    file.Commit();

    int rc = 0;
    const std::string list = RunGsf("list " + Quote(path), rc);
    EXPECT_EQ(rc, 0) << list;
    for (const char* name : {"QZ2Document", "QZ2Thumbnail", "Objects", "SummaryInformation",
                             "DocumentSummaryInformation"})
        EXPECT_NE(list.find(name), std::string::npos) << name << " missing in:\n" << list;

    EXPECT_EQ(RunGsf("cat " + Quote(path) + " Objects/Contents", rc), "inner");
    EXPECT_EQ(rc, 0);
    const std::string dump = RunGsf("dump " + Quote(path) + " QZ2Thumbnail", rc);
    EXPECT_EQ(rc, 0) << dump;
    EXPECT_NE(dump.find("01 02 03 04 05"), std::string::npos) << dump;

    const std::string props = RunGsf("listprops " + Quote(path), rc);
    EXPECT_EQ(rc, 0) << props;
    for (const char* name : {"dc:title", "dc:subject", "dc:creator", "Count", "Ratio", "Wide"})
        EXPECT_NE(props.find(name), std::string::npos) << name << " missing in:\n" << props;
    const std::string title = RunGsf("props " + Quote(path) + " dc:title dc:creator dc:publisher gsf:manager gsf:category Wide Count", rc);
    EXPECT_EQ(rc, 0) << title;
    // The tool prints bytes beyond ASCII as octal escapes of their UTF-8.
    for (const char* value : {"\"Gear housing\"", "\"M\\303\\274ller\"", "\"Works Ltd\"", "\"Head of design\"",
                              "\"Parts\"", "\"\\345\\233\\263\\351\\235\\242\"", "= -7"})
        EXPECT_NE(title.find(value), std::string::npos) << value << " missing in:\n" << title;
}

TEST_F(CompoundFileTest, InMemoryFilesRoundTrip)
{
    CompoundFile file;
    file.CreateInMemory();
    FillSample(file);
    file.Commit();  // nothing to write for a file in memory
    CByteArray bytes;
    file.SaveToMemory(bytes);
    EXPECT_TRUE(CompoundFile::IsCompoundFile(bytes.GetData(), static_cast<SIZE_T>(bytes.GetSize())));

    CompoundFile copy;
    copy.OpenFromMemory(bytes.GetData(), static_cast<SIZE_T>(bytes.GetSize()), TRUE);
    ExpectSample(copy);
    EXPECT_TRUE(copy.IsReadOnly());

    // A deep copy into another storage carries every element and class id.
    CompoundFile other;
    other.CreateInMemory();
    ASSERT_EQ(copy.GetRootStorage()->CopyTo(other.GetRootStorage()), S_OK);
    ExpectSample(other);
}

TEST_F(CompoundFileTest, ALookAtRootStreamsReadsOnlyThoseKept)
{
    CompoundFile file;
    file.CreateInMemory();
    FillSample(file);
    CByteArray bytes;
    file.SaveToMemory(bytes);

    CompoundFile look;
    look.OpenRootStreamsFromMemory(bytes.GetData(), static_cast<SIZE_T>(bytes.GetSize()),
                                   [](const CString& name) -> BOOL { return name == _T("QZ2Thumbnail") || name == _T("Objects"); });
    EXPECT_TRUE(look.IsReadOnly());
    std::shared_ptr<CompoundStream> stream;
    ASSERT_EQ(look.GetRootStorage()->OpenStream(_T("QZ2Thumbnail"), STGM_READ, &stream), S_OK);
    ASSERT_EQ(stream->GetSize(), 5u);
    EXPECT_EQ(stream->GetData()[4], 5);
    EXPECT_EQ(look.GetRootStorage()->OpenStream(_T("QZ2Document"), STGM_READ, &stream), STG_E_FILENOTFOUND);
    // Storages are left out, even when named.
    EXPECT_EQ(look.GetRootStorage()->OpenStorage(_T("Objects"), STGM_READ, nullptr), STG_E_FILENOTFOUND);
}

TEST_F(CompoundFileTest, StorageCallsReportTheirStatus)
{
    CompoundStorage storage;
    std::shared_ptr<CompoundStream> stream;
    EXPECT_EQ(storage.CreateStream(_T("A"), STGM_READWRITE, &stream), S_OK);
    EXPECT_EQ(storage.CreateStream(_T("a"), STGM_READWRITE, nullptr), STG_E_FILEALREADYEXISTS);
    EXPECT_EQ(storage.CreateStorage(_T("A"), STGM_READWRITE), STG_E_FILEALREADYEXISTS);
    EXPECT_EQ(storage.OpenStorage(_T("A"), STGM_READ, nullptr), STG_E_FILENOTFOUND);  // a stream, not a storage
    EXPECT_EQ(storage.OpenStream(_T("B"), STGM_READ, &stream), STG_E_FILENOTFOUND);
    EXPECT_EQ(storage.DestroyElement(_T("B")), STG_E_FILENOTFOUND);
    for (const char16_t* name : {u"", u"a/b", u"a\\b", u"a:b", u"a!b", u"0123456789012345678901234567890x"}) {
        EXPECT_EQ(storage.CreateStream(name, STGM_CREATE, nullptr), STG_E_INVALIDNAME) << CString(name).ToUtf8();
    }
    EXPECT_EQ(storage.CreateStream(_T("0123456789012345678901234567890"), STGM_CREATE, nullptr), S_OK);

    // STGM_CREATE replaces an element of either kind; the replaced stream lives on for its holder.
    const BYTE data[] = {1, 2, 3};
    ASSERT_TRUE(stream->SetData(data, 3));
    EXPECT_EQ(storage.CreateStorage(_T("A"), STGM_CREATE | STGM_READWRITE), S_OK);
    EXPECT_EQ(storage.GetElementType(_T("A")), DWORD(STGTY_STORAGE));
    EXPECT_EQ(stream->GetSize(), 3u);

    EXPECT_EQ(storage.RenameElement(_T("A"), _T("0123456789012345678901234567890")), STG_E_FILEALREADYEXISTS);
    EXPECT_EQ(storage.RenameElement(_T("A"), _T("C")), S_OK);
    std::vector<STATSTG> elements = storage.EnumElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].strName, CString(_T("C")));
    EXPECT_EQ(elements[0].type, DWORD(STGTY_STORAGE));
    EXPECT_EQ(elements[1].type, DWORD(STGTY_STREAM));
}

TEST_F(CompoundFileTest, StreamFileBehavesLikeAFile)
{
    CompoundStorage storage;
    COleStreamFile file;
    CFileException error;
    EXPECT_FALSE(file.OpenStream(&storage, _T("Missing"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.CreateStream(&storage, _T("bad/name"), CFile::modeReadWrite | CFile::modeCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);

    ASSERT_TRUE(file.CreateStream(&storage, _T("S")));
    file.Seek(10, CFile::begin);
    file.Write("xy", 2);
    EXPECT_EQ(file.GetLength(), 12u);
    file.SeekToBegin();
    char buffer[16] = {1};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 12u);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[11], 'y');
    EXPECT_EQ(FileCauseOf([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    file.Close();

    // Without modeCreate an existing stream is not replaced.
    EXPECT_FALSE(file.CreateStream(&storage, _T("S"), CFile::modeReadWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    ASSERT_TRUE(file.OpenStream(&storage, _T("S"), CFile::modeRead));
    const int cause = FileCauseOf([&] { file.Write("z", 1); });
    EXPECT_EQ(cause, CFileException::accessDenied);
    EXPECT_EQ(file.GetLength(), 12u);
}

TEST_F(CompoundFileTest, ReadOnlyFilesRefuseEveryChange)
{
    const CString path = PathOf("drawing.kvcd");
    {
        CompoundFile file;
        file.Create(path);
        FillSample(file);
        file.Commit();
    }
    const std::vector<unsigned char> before = ReadBytes(path);
    CompoundFile file;
    file.Open(path, TRUE);
    CompoundStorage* root = file.GetRootStorage();
    EXPECT_EQ(root->CreateStream(_T("New"), STGM_CREATE | STGM_READWRITE), STG_E_ACCESSDENIED);
    EXPECT_EQ(root->DestroyElement(_T("QZ2Document")), STG_E_ACCESSDENIED);
    EXPECT_EQ(WriteClassStg(root, GUID_NULL), STG_E_ACCESSDENIED);
    CompoundStorage* inner = nullptr;
    ASSERT_EQ(root->OpenStorage(_T("Objects"), STGM_READ, &inner), S_OK);
    EXPECT_EQ(inner->CreateStream(_T("New"), STGM_CREATE | STGM_READWRITE), STG_E_ACCESSDENIED);
    COleStreamFile stream;
    CFileException error;
    EXPECT_FALSE(stream.OpenStream(root, _T("QZ2Document"), CFile::modeReadWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(StatusOf([&] { file.Commit(); }), STG_E_ACCESSDENIED);
    EXPECT_EQ(ReadBytes(path), before);

    // Save As gives a writable file at the new path.
    const CString copy = PathOf("copy.kvcd");
    file.SaveAs(copy);
    EXPECT_FALSE(file.IsReadOnly());
    EXPECT_EQ(file.GetRootStorage()->DestroyElement(_T("QZ2Thumbnail")), S_OK);
    file.Commit();
    EXPECT_EQ(ReadBytes(path), before);
    CompoundFile reread;
    EXPECT_EQ(FileCauseOf([&] { reread.Open(copy, TRUE); }), CFileException::sharingViolation);
    file.Close();
    reread.Open(copy, TRUE);
    EXPECT_EQ(reread.GetRootStorage()->GetElementCount(), 4);
}

TEST_F(CompoundFileTest, OpenFilesAreLockedAgainstOtherHolders)
{
    const CString path = PathOf("drawing.kvcd");
    CompoundFile writer;
    writer.Create(path);
    FillSample(writer);
    writer.Commit();  // the lock moves to the file that the commit put in place

    CompoundFile other;
    EXPECT_EQ(FileCauseOf([&] { other.Open(path, FALSE); }), CFileException::sharingViolation);
    EXPECT_EQ(FileCauseOf([&] { other.Open(path, TRUE); }), CFileException::sharingViolation);
    EXPECT_EQ(FileCauseOf([&] { other.Create(path); }), CFileException::sharingViolation);
    other.CreateInMemory();
    EXPECT_EQ(FileCauseOf([&] { other.SaveAs(path); }), CFileException::sharingViolation);
    // A saved copy leaves the writer bound to its own file.
    const CString copy = PathOf("copy.kvcd");
    writer.SaveCopyAs(copy);
    EXPECT_EQ(writer.GetPathName(), path);
    CompoundFile copyReader;
    copyReader.Open(copy, TRUE);
    ExpectSample(copyReader);
    writer.Revert();  // re-reads under its own lock
    ExpectSample(writer);
    writer.Close();

    // Readers share; a writer waits until every reader is gone.
    CompoundFile reader1, reader2;
    reader1.Open(path, TRUE);
    reader2.Open(path, TRUE);
    EXPECT_EQ(FileCauseOf([&] { other.Open(path, FALSE); }), CFileException::sharingViolation);
    reader1.Close();
    reader2.Close();
    other.Open(path, FALSE);
    ExpectSample(other);
}

TEST_F(CompoundFileTest, CreateTouchesNothingBeforeTheCommitAndRevertDropsChanges)
{
    const CString path = PathOf("drawing.kvcd");
    WriteBytes(path, {'o', 'l', 'd'});
    CompoundFile file;
    file.Create(path);
    FillSample(file);
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{'o', 'l', 'd'}));
    file.Commit();
    EXPECT_EQ(StgIsStorageFile(path), S_OK);

    EXPECT_EQ(file.GetRootStorage()->DestroyElement(_T("QZ2Document")), S_OK);
    file.Revert();
    ExpectSample(file);

    CompoundFile fresh;
    fresh.Create(PathOf("new.kvcd"));
    const BYTE b = 1;
    fresh.GetRootStorage()->WriteStream(_T("X"), &b, 1);
    fresh.Revert();
    EXPECT_EQ(fresh.GetRootStorage()->GetElementCount(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("new.kvcd").ToUtf8())));

    EXPECT_EQ(FileCauseOf([&] { fresh.Create(PathOf("no-such-folder/x.kvcd")); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCauseOf([&] { fresh.Open(PathOf("missing.kvcd"), TRUE); }), CFileException::fileNotFound);
}

TEST_F(CompoundFileTest, AFailingWriteKeepsThePreviousFile)
{
    const CString path = PathOf("drawing.kvcd");
    {
        CompoundFile file;
        file.Create(path);
        FillSample(file);
        file.Commit();
    }
    const std::vector<unsigned char> before = ReadBytes(path);

    CompoundFile file;
    file.Open(path, FALSE);
    std::vector<BYTE> big(300000, 0x5A);
    ASSERT_EQ(file.GetRootStorage()->WriteStream(_T("Big"), big.data(), big.size()), S_OK);

    // The file system refuses to let the new file grow past 64 KB.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 65536;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int cause = FileCauseOf([&] { file.Commit(); });
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(cause, CFileException::diskFull);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("drawing.kvcd")});  // no temporary file left

    // The changes are still there and reach the disk once writing works again.
    file.Commit();
    file.Close();
    CompoundFile reread;
    reread.Open(path, TRUE);
    EXPECT_EQ(reread.GetRootStorage()->GetElementType(_T("Big")), DWORD(STGTY_STREAM));
}

TEST_F(CompoundFileTest, AStreamThatFailsHalfWrittenLeavesTheFileAlone)
{
    const CString path = PathOf("drawing.kvcd");
    {
        CompoundFile file;
        file.Create(path);
        FillSample(file);
        file.Commit();
    }
    const std::vector<unsigned char> before = ReadBytes(path);

    // A save whose archive throws half-way: the document never commits and drops the changes.
    CompoundFile file;
    file.Open(path, FALSE);
    COleStreamFile stream;
    ASSERT_TRUE(stream.CreateStream(file.GetRootStorage(), _T("QZ2Document")));
    try {
        CArchive ar(&stream, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << static_cast<LONG>(1);
        ar.Flush();
        AfxThrowFileException(CFileException::diskFull, -1, _T("QZ2Document"));
    } catch (CFileException* e) {
        e->Delete();
        stream.Abort();
        file.Revert();
    }
    EXPECT_EQ(ReadBytes(path), before);
    ExpectSample(file);
}

TEST_F(CompoundFileTest, AReadOnlyFolderKeepsThePreviousFile)
{
    const CString path = PathOf("drawing.kvcd");
    {
        CompoundFile file;
        file.Create(path);
        FillSample(file);
        file.Commit();
    }
    const std::vector<unsigned char> before = ReadBytes(path);
    const std::string folder = dir.path().toStdString();

    // Root may write anywhere: the save then runs as an ordinary user that owns the file but not the folder.
    const bool asRoot = getuid() == 0;
    const uid_t nobody = 65534;
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    if (asRoot) {
        ASSERT_EQ(chown(path.ToUtf8().c_str(), nobody, nobody), 0);
    }
    auto save = [&] {
        CompoundFile file;
        file.Open(path, FALSE);
        const BYTE b = 7;
        file.GetRootStorage()->WriteStream(_T("Extra"), &b, 1);
        return FileCauseOf([&] { file.Commit(); });
    };
    int cause = -1;
    if (asRoot) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(nobody) != 0 || setuid(nobody) != 0)
                _exit(100);
            _exit(save() + 10);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        cause = WEXITSTATUS(status) - 10;
    } else {
        cause = save();
    }
    chmod(folder.c_str(), 0700);
    EXPECT_EQ(cause, CFileException::accessDenied);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("drawing.kvcd")});
}

TEST_F(CompoundFileTest, DamagedFilesRaiseClearErrors)
{
    std::vector<unsigned char> valid;
    {
        CompoundFile file;
        file.CreateInMemory();
        FillSample(file);
        CByteArray bytes;
        file.SaveToMemory(bytes);
        valid.assign(bytes.GetData(), bytes.GetData() + bytes.GetSize());
    }
    ASSERT_GT(valid.size(), 0x400u);
    // The sector table of the header overwritten.
    std::vector<unsigned char> badFat(valid.begin(), valid.begin() + 0x4C);
    badFat.resize(0x200, 0x7F);
    badFat.insert(badFat.end(), valid.begin() + 0x200, valid.end());
    std::vector<unsigned char> badDirectory = valid;
    badDirectory[0x30] = 0xF0;  // first directory sector far outside the file
    badDirectory[0x31] = 0xFF;

    struct Case
    {
        const char* what;
        std::vector<unsigned char> bytes;
        SCODE status;
    } cases[] = {
        {"empty", {}, STG_E_INVALIDHEADER},
        {"text", {'h', 'e', 'l', 'l', 'o'}, STG_E_INVALIDHEADER},
        {"signature only", std::vector<unsigned char>(valid.begin(), valid.begin() + 8), STG_E_DOCFILECORRUPT},
        {"header only", std::vector<unsigned char>(valid.begin(), valid.begin() + 512), STG_E_DOCFILECORRUPT},
        {"half", std::vector<unsigned char>(valid.begin(), valid.begin() + valid.size() / 2), STG_E_DOCFILECORRUPT},
        {"bad sector table", badFat, STG_E_DOCFILECORRUPT},
        {"bad directory", badDirectory, STG_E_DOCFILECORRUPT},
    };
    for (const Case& c : cases) {
        const CString path = PathOf("damaged.kvcd");
        WriteBytes(path, c.bytes);
        CString message;
        CompoundFile file;
        EXPECT_EQ(StatusOf([&] { file.Open(path, TRUE); }, &message), c.status) << c.what;
        EXPECT_NE(message.Find(_T("damaged.kvcd")), -1) << c.what << ": " << message.ToUtf8();
        EXPECT_FALSE(file.IsOpen()) << c.what;
    }
    const CString garbage = PathOf("garbage.kvcd");
    WriteBytes(garbage, {'x'});
    EXPECT_EQ(StgIsStorageFile(garbage), S_FALSE);
    EXPECT_EQ(StgIsStorageFile(PathOf("none.kvcd")), STG_E_FILENOTFOUND);
}
