#include "OleTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CFileException.h"
#include "platform/ole/COleStreamFile.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySetStorage.h"

namespace oletest {

const CLSID kDocumentClass = {0xC98A81D9, 0xF66F, 0x4E72, {0xB4, 0x01, 0xE2, 0x8F, 0xB9, 0x71, 0x3B, 0x3D}};
const CLSID kInnerClass = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

std::string RunGsf(const std::string& args, int& exitCode)
{
    std::string command = "gsf " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (pipe == nullptr) {
        exitCode = -1;
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    exitCode = pclose(pipe);
    return out;
}

bool HaveGsf()
{
    return std::system("command -v gsf >/dev/null 2>&1") == 0;
}

std::string Quote(const CString& path)
{
    std::string quoted(1, '\'');
    quoted += path.ToUtf8();
    quoted += '\'';
    return quoted;
}

std::vector<BYTE> BigBytes()
{
    std::vector<BYTE> data(70000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>((i * 7 + i / 251) & 0xFF);
    return data;
}

void FillSample(CompoundFile& file)
{
    CompoundStorage* root = file.GetRootStorage();
    ASSERT_EQ(WriteClassStg(root, kDocumentClass), S_OK);

    // The document stream, written through an archive as the document writes it.
    COleStreamFile stream;
    CFileException error;
    ASSERT_TRUE(stream.CreateStream(root, _T("QZ2Document"),
                                    CFile::modeReadWrite | CFile::shareExclusive | CFile::modeCreate, &error));
    {
        CArchive ar(&stream, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        ar << static_cast<LONG>(42) << 2.5 << CString(_T("drawing"));
        const std::vector<BYTE> big = BigBytes();
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar.Close();
    }
    stream.Close();

    const BYTE thumbnail[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(root->WriteStream(_T("QZ2Thumbnail"), thumbnail, sizeof thumbnail), S_OK);

    CompoundStorage* inner = nullptr;
    ASSERT_EQ(root->CreateStorage(_T("Objects"), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &inner), S_OK);
    ASSERT_EQ(inner->SetClass(kInnerClass), S_OK);
    const BYTE contents[] = {'i', 'n', 'n', 'e', 'r'};
    ASSERT_EQ(inner->WriteStream(_T("Contents"), contents, sizeof contents), S_OK);

    PropertySetStorage sets(root);
    PropertySection summary(FMTID_SummaryInformation, 1252);
    summary.Set(PIDSI_TITLE, PropVariant::AnsiString(_T("Gear housing")));
    summary.Set(PIDSI_SUBJECT, PropVariant::AnsiString(_T("Side view")));
    summary.Set(PIDSI_AUTHOR, PropVariant::AnsiString(_T("M\u00fcller")));
    summary.Set(PIDSI_KEYWORDS, PropVariant::AnsiString(_T("gear; housing")));
    summary.Set(PIDSI_COMMENTS, PropVariant::AnsiString(_T("")));
    summary.Set(PIDSI_LASTSAVE_DTM, PropVariant::FileTime(ULONGLONG(133000000000000000)));
    sets.Write(summary, &FMTID_SummaryInformation);

    PropertySection docSummary(FMTID_DocSummaryInformation, 1252);
    docSummary.Set(PIDDSI_CATEGORY, PropVariant::AnsiString(_T("Parts")));
    docSummary.Set(PIDDSI_MANAGER, PropVariant::AnsiString(_T("Head of design")));
    docSummary.Set(PIDDSI_COMPANY, PropVariant::AnsiString(_T("Works Ltd")));
    sets.Write(docSummary);

    PropertySection user(FMTID_UserDefinedProperties, 1252);
    user.SetNamed(_T("Text"), PropVariant::AnsiString(_T("plain")));
    user.SetNamed(_T("Wide"), PropVariant::WideString(_T("\u56f3\u9762")));
    user.SetNamed(_T("Count"), PropVariant::I4(-7));
    user.SetNamed(_T("Ratio"), PropVariant::R8(0.125));
    user.SetNamed(_T("Checked"), PropVariant::Bool(TRUE));
    user.SetNamed(_T("Due"), PropVariant::Date(45000.5));
    user.SetNamed(_T("Stamp"), PropVariant::FileTime(ULONGLONG(132000000000000000)));
    sets.Write(user);
}

void ExpectSample(const CompoundFile& file)
{
    const CompoundStorage* root = file.GetRootStorage();
    ASSERT_NE(root, nullptr);
    CLSID clsid;
    ASSERT_EQ(ReadClassStg(root, &clsid), S_OK);
    EXPECT_EQ(clsid, kDocumentClass);

    COleStreamFile stream;
    ASSERT_TRUE(stream.OpenStream(const_cast<CompoundStorage*>(root), _T("QZ2Document"), CFile::modeRead));
    {
        CArchive ar(&stream, CArchive::load, 4096);
        LONG n = 0;
        double d = 0;
        CString s;
        ar >> n >> d >> s;
        EXPECT_EQ(n, 42);
        EXPECT_EQ(d, 2.5);
        EXPECT_EQ(s, CString(_T("drawing")));
        const std::vector<BYTE> big = BigBytes();
        std::vector<BYTE> got(big.size() + 10);
        EXPECT_EQ(ar.Read(got.data(), static_cast<UINT>(got.size())), big.size());
        got.resize(big.size());
        EXPECT_EQ(got, big);
        ar.Close();
    }

    CByteArray thumbnail;
    ASSERT_EQ(root->ReadStream(_T("qz2thumbnail"), thumbnail), S_OK);  // names compare without case
    ASSERT_EQ(thumbnail.GetSize(), 5);
    EXPECT_EQ(thumbnail[4], 5);

    CompoundStorage* inner = nullptr;
    ASSERT_EQ(root->OpenStorage(_T("Objects"), STGM_READ, &inner), S_OK);
    EXPECT_EQ(inner->GetClass(), kInnerClass);
    CByteArray contents;
    ASSERT_EQ(inner->ReadStream(_T("Contents"), contents), S_OK);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(contents.GetData()), static_cast<size_t>(contents.GetSize())),
              "inner");

    PropertySetStorage sets(const_cast<CompoundStorage*>(root));
    PropertySection summary;
    ASSERT_TRUE(sets.Read(FMTID_SummaryInformation, summary));
    EXPECT_EQ(summary.GetCodePage(), 1252u);
    ASSERT_NE(summary.Find(PIDSI_TITLE), nullptr);
    EXPECT_EQ(*summary.Find(PIDSI_TITLE), PropVariant::AnsiString(_T("Gear housing")));
    EXPECT_EQ(*summary.Find(PIDSI_AUTHOR), PropVariant::AnsiString(_T("M\u00fcller")));
    EXPECT_EQ(*summary.Find(PIDSI_COMMENTS), PropVariant::AnsiString(_T("")));
    EXPECT_EQ(*summary.Find(PIDSI_LASTSAVE_DTM), PropVariant::FileTime(ULONGLONG(133000000000000000)));

    PropertySection docSummary;
    ASSERT_TRUE(sets.Read(FMTID_DocSummaryInformation, docSummary));
    EXPECT_EQ(*docSummary.Find(PIDDSI_MANAGER), PropVariant::AnsiString(_T("Head of design")));
    EXPECT_EQ(*docSummary.Find(PIDDSI_COMPANY), PropVariant::AnsiString(_T("Works Ltd")));
    EXPECT_EQ(*docSummary.Find(PIDDSI_CATEGORY), PropVariant::AnsiString(_T("Parts")));

    PropertySection user;
    ASSERT_TRUE(sets.Read(FMTID_UserDefinedProperties, user));
    ASSERT_EQ(user.GetCount(), 7);
    const char16_t* names[] = {u"Text", u"Wide", u"Count", u"Ratio", u"Checked", u"Due", u"Stamp"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(user.GetName(user.GetPropertyId(i)), CString(names[i])) << i;
    EXPECT_EQ(user.GetValue(0), PropVariant::AnsiString(_T("plain")));
    EXPECT_EQ(user.GetValue(1), PropVariant::WideString(_T("\u56f3\u9762")));
    EXPECT_EQ(user.GetValue(2), PropVariant::I4(-7));
    EXPECT_EQ(user.GetValue(3), PropVariant::R8(0.125));
    EXPECT_EQ(user.GetValue(4), PropVariant::Bool(TRUE));
    EXPECT_EQ(user.GetValue(5), PropVariant::Date(45000.5));
    EXPECT_EQ(user.GetValue(6), PropVariant::FileTime(ULONGLONG(132000000000000000)));
}

std::vector<unsigned char> ReadBytes(const CString& path)
{
    std::ifstream in(path.ToUtf8(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path.ToUtf8(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace oletest
