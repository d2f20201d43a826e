// The embedded-file record an object shape keeps: written and read back whole, every damaged form refused
// as a whole, and stored names made plain file names that stay inside their folder.

#include <gtest/gtest.h>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/OleObject2dFeature.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <memory>

#include <string>
#include <vector>

namespace {

EmbeddedFileRecord Sample(bool link)
{
    EmbeddedFileRecord r;
    r.m_bLink = link ? TRUE : FALSE;
    r.m_strFileName = _T("Plan \u65e5\u672c.pdf");
    r.m_strMimeType = _T("application/pdf");
    r.m_preview = {0x89, 'P', 'N', 'G'};
    if (link)
        r.m_strLinkPath = _T("/home/user/Plan.pdf");
    else
        r.m_data = {1, 2, 3, 0, 255};
    return r;
}

TEST(EmbeddedFileRecordTest, EmbeddedAndLinkedRecordsReadBackWhole)
{
    for (bool link : {false, true}) {
        const EmbeddedFileRecord r = Sample(link);
        const std::vector<BYTE> bytes = r.Write();
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(EmbeddedFileRecord::IsRecord(bytes.data(), bytes.size()));
        EmbeddedFileRecord back;
        ASSERT_TRUE(back.Read(bytes)) << link;
        EXPECT_EQ(back.m_bLink, r.m_bLink);
        EXPECT_EQ(back.m_strFileName, r.m_strFileName);
        EXPECT_EQ(back.m_strMimeType, r.m_strMimeType);
        EXPECT_EQ(back.m_preview, r.m_preview);
        EXPECT_EQ(back.m_data, r.m_data);
        EXPECT_EQ(back.m_strLinkPath, r.m_strLinkPath);
        EXPECT_EQ(back.Write(), bytes);
    }
}

TEST(EmbeddedFileRecordTest, DamagedRecordsAreRefusedAndLeaveTheReaderUnchanged)
{
    const std::vector<BYTE> good = Sample(false).Write();
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"not ours", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0}});
    cases.push_back({"one byte short", std::vector<BYTE>(good.begin(), good.end() - 1)});
    cases.push_back({"magic only", std::vector<BYTE>(good.begin(), good.begin() + 8)});
    std::vector<BYTE> trailing = good;
    trailing.push_back(0);
    cases.push_back({"a byte after the record", trailing});
    std::vector<BYTE> version = good;
    version[8] = 2;
    cases.push_back({"an unknown version", version});
    std::vector<BYTE> flags = good;
    flags[10] = 0x80;
    cases.push_back({"unknown flags", flags});
    std::vector<BYTE> huge = good;
    huge[12 + 7] = 0x7F;  // the name's length runs far beyond the bytes
    cases.push_back({"a length beyond the bytes", huge});
    EmbeddedFileRecord control;
    control.m_strFileName = _T("a\x01.txt");
    control.m_strMimeType = _T("text/plain");
    cases.push_back({"a control character in the name", control.Write()});
    for (const Case& c : cases) {
        EmbeddedFileRecord r = Sample(true);
        EXPECT_FALSE(r.Read(c.bytes)) << c.what;
        EXPECT_EQ(r.m_strLinkPath, CString(_T("/home/user/Plan.pdf"))) << c.what;
    }
}

TEST(EmbeddedFileRecordTest, StoredNamesBecomePlainFileNames)
{
    struct Case {
        const TCHAR* stored;
        const TCHAR* plain;
    } cases[] = {
        {_T("report.odt"), _T("report.odt")},
        {_T("../../.bashrc"), _T("bashrc")},
        {_T("/etc/passwd"), _T("passwd")},
        {_T("C:\\Users\\me\\doc.txt"), _T("doc.txt")},
        {_T("a..b.txt"), _T("a.b.txt")},
        {_T("line\nbreak\t.txt"), _T("linebreak.txt")},
        {_T(".."), _T("embedded")},
        {_T(""), _T("embedded")},
        {_T("  .hidden  "), _T("hidden")},
        {_T("dir/"), _T("embedded")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EmbeddedFileRecord::MakeSafeFileName(c.stored), CString(c.plain)) << CString(c.stored).ToUtf8();
    // Long names keep their extension.
    const CString longName = EmbeddedFileRecord::MakeSafeFileName(CString(std::string(300, 'x').c_str()) + _T(".png"));
    EXPECT_EQ(longName.GetLength(), 200);
    EXPECT_EQ(longName.Right(4), CString(_T(".png")));
}

}  // namespace

namespace {

QRgb Centre(const OleObject2dFeature& shape)
{
    Feature2dList one;
    one.AddFeature(&shape);
    Draw2dDocument doc;
    doc.InitDocument();
    std::unique_ptr<QImage> image(DrawingManager::CreateFeatureListImage(&doc, &one, 40, 40, 0xFFFFFF, 0.0));
    return image != nullptr ? image->pixel(20, 20) : 0;
}

// An object shape shows its stored preview; a linked picture shows the file as it is now, and a linked
// file that is gone no picture at all.
TEST(EmbeddedFileRecordTest, LinkedPicturesFollowTheirFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("linked.png"));
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path, "PNG"));
    EmbeddedFileRecord r;
    r.m_bLink = TRUE;
    r.m_strFileName = _T("linked.png");
    r.m_strMimeType = _T("image/png");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    r.m_preview.assign(png.begin(), png.end());
    r.m_strLinkPath = CString::FromQString(path);
    const std::vector<BYTE> bytes = r.Write();
    OleObject2dFeature shape;
    ASSERT_TRUE(shape.SetPoint(RuVaPnt2d(0, 0)));
    shape.SetItemData(bytes.data(), bytes.size());
    EXPECT_EQ(qRed(Centre(shape)), 255);
    EXPECT_EQ(qBlue(Centre(shape)), 0);
    // The file changes: the shape shows the new picture, its stored bytes stay.
    QImage blue(30, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(path, "PNG"));
    EXPECT_EQ(qBlue(Centre(shape)), 255);
    EXPECT_EQ(qRed(Centre(shape)), 0);
    EXPECT_EQ(shape.GetItemData(), bytes);
    // Gone: its frame and name only.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(Centre(shape), qRgb(255, 255, 255));
}

}  // namespace
