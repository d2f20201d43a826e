// File kinds by extension (and content for the older drawings) and the parts of a path.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "libs/vevure/FileTool.h"
#include "platform/afx/CString.h"

namespace {

CString Path(const QTemporaryDir& dir, const char* name)
{
    return CString((dir.path() + "/" + name).toStdU16String().c_str());
}

void Write(const CString& path, const QByteArray& bytes)
{
    QFile f(QString::fromUtf16(static_cast<LPCTSTR>(path), path.GetLength()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(FileToolTest, KindsByExtension)
{
    struct { const char16_t* path; int type; } cases[] = {
        {u"a.kvcd", 0}, {u"/x/A.KVCT", 1}, {u"b.kvcb", 2}, {u"c.kvcr", 7}, {u"d.qzt", 5}, {u"e.qzb", 6},
        {u"f.dxf", 10}, {u"g.DWG", 11},   {u"h.jwc", 12},  {u"i.jwk", 13},  {u"j.jww", 14}, {u"k.sfc", 15},
        {u"l.p21", 16}, {u"m.jws", 17},   {u"n.txt", -1},  {u"kvcd", -1},   {u"dir.kvcd/file", -1},
        {u"", -1},      {u"o.", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.path));
        EXPECT_EQ(c.type, FileTool::GetFileType(CString(c.path)));
    }
}

TEST(FileToolTest, OlderDrawingsAreToldApartByTheirContent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString compound = Path(dir, "old.qz2");
    const CString flat = Path(dir, "older.qzc");
    Write(compound, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest", 12));
    Write(flat, QByteArray("QZ flat file"));
    EXPECT_EQ(3, FileTool::GetFileType(compound));
    EXPECT_EQ(4, FileTool::GetFileType(flat));
    EXPECT_EQ(4, FileTool::GetFileType(Path(dir, "missing.qz2")));

    EXPECT_TRUE(FileTool::IsFileExist(compound));
    EXPECT_FALSE(FileTool::IsFileExist(Path(dir, "missing.qz2")));
    EXPECT_FALSE(FileTool::IsFileExist(CString(dir.path().toStdU16String().c_str())));  // a folder
    EXPECT_FALSE(FileTool::IsFileExist(CString()));
}

TEST(FileToolTest, PartsOfAPath)
{
    const CString unix(u"/home/u/drawings/plan.v2.kvcd");
    EXPECT_EQ(CString(u"/home/u/drawings/"), FileTool::SplitFileName(unix, 3));
    EXPECT_EQ(CString(u"plan.v2"), FileTool::SplitFileName(unix, 4));
    EXPECT_EQ(CString(u"plan.v2.kvcd"), FileTool::SplitFileName(unix, 0x14));
    EXPECT_EQ(CString(u".kvcd"), FileTool::SplitFileName(unix, 0x10));

    const CString windows(u"C:\\work\\plan.kvcd");
    EXPECT_EQ(CString(u"C:\\work\\"), FileTool::SplitFileName(windows, 3));
    EXPECT_EQ(CString(u"C:"), FileTool::SplitFileName(windows, 1));
    EXPECT_EQ(CString(u"plan"), FileTool::SplitFileName(windows, 4));

    EXPECT_EQ(CString(u"plan"), FileTool::SplitFileName(CString(u"plan"), 0x14));
    EXPECT_EQ(CString(), FileTool::SplitFileName(CString(u"plan"), 3));
    EXPECT_EQ(CString(u"/dir.x/"), FileTool::SplitFileName(CString(u"/dir.x/file"), 3));
    EXPECT_EQ(CString(u"file"), FileTool::SplitFileName(CString(u"/dir.x/file"), 0x14));
    EXPECT_EQ(CString(), FileTool::SplitFileName(CString(), 0x17));
}

}  // namespace
