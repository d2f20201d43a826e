#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "platform/afx/CFile.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CFileFind.h"
#include "platform/afx/CFileStatus.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CSharedFile.h"
#include "platform/afx/CStdioFile.h"
#include "platform/afx/CString.h"

namespace {

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    CString Path(const char* name) const { return CString::FromQString(m_dir.filePath(name)); }

    void WriteBytes(const char* name, const QByteArray& bytes) const
    {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray ReadBytes(const char* name) const
    {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

// The cause of the CFileException that the call throws, or -1 when it throws none.
int CauseOf(const std::function<void()>& call, CString* pFileName = nullptr)
{
    try {
        call();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        if (pFileName != nullptr)
            *pFileName = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}

}  // namespace

TEST_F(FileTest, WritesReadsSeeksAndResizes)
{
    CFile file;
    ASSERT_TRUE(file.Open(Path("a.bin"), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    char buf[8] = {};
    EXPECT_EQ(file.Read(buf, 8), 4u);  // short only at the end
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_EQ(file.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(file.Seek(3, CFile::current), 5u);
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.SeekToEnd(), 10u);
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    file.Flush();
    EXPECT_EQ(file.GetFilePath(), Path("a.bin"));
    EXPECT_EQ(file.GetFileName(), CString(_T("a.bin")));
    EXPECT_EQ(file.GetFileTitle(), CString(_T("a")));
    EXPECT_EQ(CauseOf([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ReadBytes("a.bin"), QByteArray("012"));
    EXPECT_EQ(CauseOf([&] { file.Write("x", 1); }), CFileException::invalidFile);
}

TEST_F(FileTest, CreateTruncatesUnlessToldNotTo)
{
    WriteBytes("t.txt", "old content");
    {
        CFile f(Path("t.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.Write("NEW", 3);
    }
    EXPECT_EQ(ReadBytes("t.txt"), QByteArray("NEW content"));
    {
        CFile f(Path("t.txt"), CFile::modeCreate | CFile::modeWrite);
        f.Write("x", 1);
    }
    EXPECT_EQ(ReadBytes("t.txt"), QByteArray("x"));
}

TEST_F(FileTest, OpenFailuresReportTheirCause)
{
    WriteBytes("exists.txt", "abc");
    QDir(m_dir.path()).mkdir("folder");
    struct Case
    {
        const char* what;
        CString path;
        UINT flags;
        int cause;
    };
    const Case cases[] = {
        {"missing file", Path("missing.txt"), CFile::modeRead, CFileException::fileNotFound},
        {"missing folder", Path("nowhere/x.txt"), CFile::modeRead, CFileException::badPath},
        {"create in a missing folder", Path("nowhere/x.txt"), CFile::modeCreate | CFile::modeWrite,
         CFileException::badPath},
        {"a folder", Path("folder"), CFile::modeRead, CFileException::accessDenied},
        {"a folder for writing", Path("folder"), CFile::modeWrite, CFileException::accessDenied},
        {"a file as a folder", Path("exists.txt/x"), CFile::modeRead, CFileException::badPath},
        {"no name", CString(), CFile::modeRead, CFileException::badPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFile f;
        CFileException e;
        EXPECT_FALSE(f.Open(c.path, c.flags, &e));
        EXPECT_EQ(e.m_cause, c.cause);
        EXPECT_EQ(e.m_strFileName, c.path);
        EXPECT_EQ(f.m_hFile, CFile::hFileNull);
        CString thrownName;
        EXPECT_EQ(CauseOf([&] { CFile thrown(c.path, c.flags); }, &thrownName), c.cause);
        EXPECT_EQ(thrownName, c.path);
    }
}

TEST_F(FileTest, ReadOnlyAccessIsEnforced)
{
    WriteBytes("ro.txt", "abc");
    CFile f(Path("ro.txt"), CFile::modeRead);
    EXPECT_EQ(CauseOf([&] { f.Write("x", 1); }), CFileException::accessDenied);
    EXPECT_EQ(CauseOf([&] { f.SetLength(0); }), CFileException::accessDenied);
    f.Close();
    CFile w(Path("ro.txt"), CFile::modeWrite | CFile::shareDenyNone);
    char c;
    EXPECT_EQ(CauseOf([&] { w.Read(&c, 1); }), CFileException::accessDenied);
    w.Close();

    if (::geteuid() != 0) {  // the super-user writes to read-only files
        QFile::setPermissions(m_dir.filePath("ro.txt"), QFile::ReadOwner);
        CFileException e;
        CFile denied;
        EXPECT_FALSE(denied.Open(Path("ro.txt"), CFile::modeWrite, &e));
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
        EXPECT_EQ(e.m_lOsError, EACCES);
    }
}

TEST_F(FileTest, ShareModesConflictAsOnTheOriginalPlatform)
{
    WriteBytes("doc.kvcd", "data");
    const CString path = Path("doc.kvcd");
    struct Case
    {
        const char* what;
        UINT first;
        UINT second;
        bool secondOpens;
    };
    const UINT rd = CFile::modeRead, rw = CFile::modeReadWrite;
    const Case cases[] = {
        {"exclusive, exclusive", rw | CFile::shareExclusive, rw | CFile::shareExclusive, false},
        {"compatibility means exclusive", rd, rd | CFile::shareDenyNone, false},
        {"deny write, deny write readers", rd | CFile::shareDenyWrite, rd | CFile::shareDenyWrite, true},
        {"deny write, reader", rd | CFile::shareDenyWrite, rd | CFile::shareDenyNone, true},
        {"deny write, writer", rd | CFile::shareDenyWrite, rw | CFile::shareDenyNone, false},
        {"deny write, exclusive", rd | CFile::shareDenyWrite, rw | CFile::shareExclusive, false},
        {"deny none, deny none", rw | CFile::shareDenyNone, rw | CFile::shareDenyNone, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFile first(path, c.first);
        CFile second;
        CFileException e;
        EXPECT_EQ(second.Open(path, c.second, &e) != FALSE, c.secondOpens);
        if (!c.secondOpens) {
            EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
        }
        second.Abort();
        first.Close();
        // Once closed, the file opens again.
        CFile again(path, rw | CFile::shareExclusive);
    }
    // Truncation waits for the lock: a refused create leaves the content alone.
    {
        CFile holder(path, rd | CFile::shareDenyWrite);
        EXPECT_EQ(CauseOf([&] { CFile f(path, CFile::modeCreate | CFile::modeWrite); }),
                  CFileException::sharingViolation);
    }
    EXPECT_EQ(ReadBytes("doc.kvcd"), QByteArray("data"));
}

TEST_F(FileTest, BackslashesSeparateFolders)
{
    QDir(m_dir.path()).mkdir("sub");
    CString path = Path("sub/win.txt");
    path.Replace(u'/', u'\\');
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        f.Write("w", 1);
        EXPECT_EQ(f.GetFilePath(), Path("sub/win.txt"));
    }
    EXPECT_EQ(ReadBytes("sub/win.txt"), QByteArray("w"));
}

TEST_F(FileTest, StatusRenameAndRemove)
{
    WriteBytes("s.txt", "12345");
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(Path("s.txt"), st));
    EXPECT_EQ(st.m_size, 5u);
    EXPECT_EQ(st.m_attribute & (CFile::directory | CFile::readOnly), 0);
    EXPECT_EQ(CString(st.m_szFullName), Path("s.txt"));
    EXPECT_LE(std::llabs((long long)(st.m_mtime.GetTime() - std::time(nullptr))), 60);
    EXPECT_FALSE(CFile::GetStatus(Path("none"), st));
    ASSERT_TRUE(CFile::GetStatus(CString::FromQString(m_dir.path()), st));
    EXPECT_TRUE(st.m_attribute & CFile::directory);

    CFileStatus change;
    change.m_mtime = CTime(2020, 5, 17, 10, 0, 0);
    change.m_attribute = CFile::readOnly;
    CFile::SetStatus(Path("s.txt"), change);
    ASSERT_TRUE(CFile::GetStatus(Path("s.txt"), st));
    EXPECT_EQ(st.m_mtime, change.m_mtime);
    EXPECT_TRUE(st.m_attribute & CFile::readOnly);
    change.m_attribute = CFile::normal;
    CFile::SetStatus(Path("s.txt"), change);
    ASSERT_TRUE(CFile::GetStatus(Path("s.txt"), st));
    EXPECT_FALSE(st.m_attribute & CFile::readOnly);

    WriteBytes("other.txt", "o");
    EXPECT_EQ(CauseOf([&] { CFile::Rename(Path("s.txt"), Path("other.txt")); }), CFileException::accessDenied);
    EXPECT_EQ(ReadBytes("other.txt"), QByteArray("o"));  // never replaced
    EXPECT_EQ(CauseOf([&] { CFile::Rename(Path("s.txt"), Path("moved.txt")); }), -1);
    EXPECT_EQ(ReadBytes("moved.txt"), QByteArray("12345"));
    EXPECT_EQ(CauseOf([&] { CFile::Rename(Path("s.txt"), Path("again.txt")); }), CFileException::fileNotFound);
    EXPECT_EQ(CauseOf([&] { CFile::Remove(Path("moved.txt")); }), -1);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("moved.txt")));
    EXPECT_EQ(CauseOf([&] { CFile::Remove(Path("moved.txt")); }), CFileException::fileNotFound);
    QDir(m_dir.path()).mkdir("d");
    EXPECT_EQ(CauseOf([&] { CFile::Remove(Path("d")); }), CFileException::accessDenied);
}

TEST(MemFile, GrowsSeeksAndFillsGaps)
{
    CMemFile file(16);
    for (int i = 0; i < 10000; ++i)
        file.Write(&i, sizeof i);
    EXPECT_EQ(file.GetLength(), 40000u);
    file.Seek(4 * 5000, CFile::begin);
    int v = 0;
    EXPECT_EQ(file.Read(&v, sizeof v), sizeof v);
    EXPECT_EQ(v, 5000);
    file.Seek(100, CFile::end);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 40101u);
    file.Seek(40000, CFile::begin);
    char gap[101];
    EXPECT_EQ(file.Read(gap, 101), 101u);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(gap[i], 0);
    EXPECT_EQ(gap[100], 'z');
    EXPECT_EQ(file.Read(gap, 1), 0u);
    EXPECT_EQ(CauseOf([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
    file.SetLength(8);
    EXPECT_EQ(file.GetLength(), 8u);
    EXPECT_EQ(file.GetPosition(), 8u);

    BYTE* p = file.Detach();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<int*>(p)[1], 1);
    std::free(p);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFile, AttachedBuffersAreFixedOrCopiedBeforeGrowing)
{
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile file(fixed, sizeof fixed);
    EXPECT_EQ(file.GetLength(), 4u);
    BYTE b[4] = {};
    EXPECT_EQ(file.Read(b, 4), 4u);
    EXPECT_EQ(b[3], 4);
    file.SeekToBegin();
    file.Write("\x09", 1);
    EXPECT_EQ(fixed[0], 9);  // writes go to the caller's buffer
    file.Seek(0, CFile::end);
    EXPECT_EQ(CauseOf([&] { file.Write("x", 1); }), CFileException::diskFull);
    EXPECT_EQ(file.Detach(), fixed);

    BYTE start[2] = {7, 7};
    CMemFile growing;
    growing.Attach(start, sizeof start, 64);
    EXPECT_EQ(growing.GetLength(), 0u);
    growing.Write("abc", 3);  // more than the caller's buffer: moves to one of its own
    EXPECT_EQ(start[0], 7);
    EXPECT_EQ(growing.GetLength(), 3u);
}

TEST(SharedFile, DetachesABlockOfTheFileLength)
{
    CSharedFile file;
    for (int i = 0; i < 3000; ++i)
        file.Write(&i, sizeof i);
    HGLOBAL h = file.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 12000u);
    const int* data = static_cast<const int*>(GlobalLock(h));
    EXPECT_EQ(data[2999], 2999);
    GlobalUnlock(h);

    CSharedFile reader;
    reader.SetHandle(h, FALSE);
    EXPECT_EQ(reader.GetLength(), 12000u);
    int v = 0;
    reader.Seek(4 * 1234, CFile::begin);
    reader.Read(&v, sizeof v);
    EXPECT_EQ(v, 1234);
    reader.Seek(0, CFile::end);
    EXPECT_EQ(CauseOf([&] { reader.Write("x", 1); }), CFileException::diskFull);
}

TEST_F(FileTest, StdioFileReadsAndWritesUtf8Lines)
{
    {
        CStdioFile f(Path("lines.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString(_T("first\n"));
        f.WriteString(u"図面 ✓\n");
        f.WriteString(_T("\n"));
        f.WriteString(_T("no end"));
    }
    EXPECT_EQ(ReadBytes("lines.txt"), QByteArray("first\n\xE5\x9B\xB3\xE9\x9D\xA2 \xE2\x9C\x93\n\nno end"));

    CStdioFile f(Path("lines.txt"), CFile::modeRead | CFile::typeText);
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString(_T("first")));
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString(u"図面 ✓"));
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString(_T("no end")));
    EXPECT_FALSE(f.ReadString(line));
}

TEST_F(FileTest, StdioFileMixesWritingSeekingAndReading)
{
    CStdioFile f(Path("rw.txt"), CFile::modeCreate | CFile::modeReadWrite);
    f.WriteString(_T("alpha\nbeta\n"));
    EXPECT_EQ(f.GetLength(), 11u);  // buffered text counts
    EXPECT_EQ(f.GetPosition(), 11u);
    f.SeekToBegin();
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString(_T("alpha")));
    f.Seek(0, CFile::current);
    f.WriteString(_T("BETA"));
    f.SeekToBegin();
    char raw[11];
    EXPECT_EQ(f.Read(raw, 11), 11u);
    EXPECT_EQ(std::string(raw, 11), "alpha\nBETA\n");
    f.Close();
    EXPECT_EQ(f.m_pStream, nullptr);
    EXPECT_EQ(CauseOf([&] { f.ReadString(line); }), CFileException::invalidFile);
}

TEST_F(FileTest, StdioFileSkipsAMarkAndTakesWindowsLineEnds)
{
    WriteBytes("win.txt", "\xEF\xBB\xBF" "a\xC3\xA9" "b\r\nsecond\r\n");
    CStdioFile f(Path("win.txt"), CFile::modeRead);
    TCHAR buf[4];
    // Three units at most: "aéb" fits, the line end comes with the next call.
    ASSERT_NE(f.ReadString(buf, 4), nullptr);
    EXPECT_EQ(CString(buf), CString(u"aéb"));
    ASSERT_NE(f.ReadString(buf, 4), nullptr);
    EXPECT_EQ(CString(buf), CString(_T("\n")));
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString(_T("second")));
    EXPECT_EQ(f.ReadString(buf, 4), nullptr);

    // A character that does not fit is kept whole for the next call.
    WriteBytes("split.txt", "a\xF0\x9F\x98\x80");
    CStdioFile s(Path("split.txt"), CFile::modeRead);
    TCHAR two[3];
    ASSERT_NE(s.ReadString(two, 3), nullptr);
    EXPECT_EQ(CString(two), CString(_T("a")));
    ASSERT_NE(s.ReadString(two, 3), nullptr);
    EXPECT_EQ(CString(two), CString(u"😀"));
}

TEST_F(FileTest, FindFileMatchesWildcardsInOneFolder)
{
    WriteBytes("KcResourceENG.rcc", "12");
    WriteBytes("KcResourceJPN.rcc", "1234");
    WriteBytes("KcResource.txt", "");
    WriteBytes("other.rcc", "");
    WriteBytes(".hidden", "");
    QDir(m_dir.path()).mkdir("KcResourceDir.rcc");

    auto find = [&](const CString& pattern) {
        std::vector<CString> names;
        CFileFind finder;
        BOOL working = finder.FindFile(pattern);
        while (working) {
            working = finder.FindNextFile();
            names.push_back(finder.GetFileName());
        }
        return names;
    };
    const CString root = CString::FromQString(m_dir.path());
    using Names = std::vector<CString>;
    EXPECT_EQ(find(root + _T("/KcResource*.rcc")),
              (Names{_T("KcResourceDir.rcc"), _T("KcResourceENG.rcc"), _T("KcResourceJPN.rcc")}));
    EXPECT_EQ(find(root + _T("\\kcresource???.RCC")), (Names{_T("KcResourceDir.rcc"), _T("KcResourceENG.rcc"),
                                                            _T("KcResourceJPN.rcc")}));
    EXPECT_EQ(find(root + _T("/*.txt")), (Names{_T("KcResource.txt")}));
    EXPECT_EQ(find(root + _T("/KcResourceENG.rcc")), (Names{_T("KcResourceENG.rcc")}));
    EXPECT_EQ(find(root + _T("/*.*")).size(), 8u);  // with "." and ".."
    EXPECT_TRUE(find(root + _T("/*.pat")).empty());
    EXPECT_TRUE(find(root + _T("/missing/*.*")).empty());

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(root + _T("/*")));
    int dots = 0, dirs = 0;
    BOOL working = TRUE;
    while (working) {
        working = finder.FindNextFile();
        if (finder.IsDots()) {
            ++dots;
            EXPECT_TRUE(finder.IsDirectory());
            continue;
        }
        if (finder.IsDirectory())
            ++dirs;
        if (finder.GetFileName() == _T("KcResourceJPN.rcc")) {
            EXPECT_EQ(finder.GetLength(), 4u);
            EXPECT_EQ(finder.GetFilePath(), root + _T("/KcResourceJPN.rcc"));
            EXPECT_EQ(finder.GetFileTitle(), CString(_T("KcResourceJPN")));
            EXPECT_EQ(finder.GetRoot(), root);
            EXPECT_FALSE(finder.IsHidden());
        }
        if (finder.GetFileName() == _T(".hidden")) {
            EXPECT_TRUE(finder.IsHidden());
        }
    }
    EXPECT_EQ(dots, 2);
    EXPECT_EQ(dirs, 1);
    EXPECT_FALSE(finder.FindNextFile());
}
