#include <gtest/gtest.h>

#include <gsf/gsf-doc-meta-data.h>
#include <gsf/gsf-meta-names.h>
#include <gsf/gsf-msole-utils.h>
#include <gsf/gsf-output-memory.h>

#include <cstring>
#include <set>

#include "platform/afx/CByteArray.h"
#include "platform/ole/CodePageText.h"
#include "platform/ole/CompoundFileException.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySet.h"
#include "platform/ole/PropertySetStorage.h"

namespace {

typedef std::vector<BYTE> Bytes;

Bytes ToBytes(const CByteArray& data)
{
    return Bytes(data.GetData(), data.GetData() + data.GetSize());
}

Bytes Write(const PropertySet& set)
{
    CByteArray data;
    set.Write(data);
    return ToBytes(data);
}

DWORD Get32(const Bytes& b, size_t at)
{
    return DWORD(b[at]) | DWORD(b[at + 1]) << 8 | DWORD(b[at + 2]) << 16 | DWORD(b[at + 3]) << 24;
}

void Put32(Bytes& b, size_t at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<BYTE>(v >> (8 * i));
}

// Where a section starts in the stream.
size_t SectionAt(const Bytes& b, int index)
{
    return Get32(b, 28 + 20 * index + 16);
}

// Where the value of a property of the user-defined (second) section starts in the stream.
size_t OffsetOf(const Bytes& b, PROPID propid)
{
    const size_t section = SectionAt(b, 1);
    const DWORD count = Get32(b, section + 4);
    for (DWORD i = 0; i < count; ++i)
        if (Get32(b, section + 8 + i * 8) == propid)
            return section + Get32(b, section + 12 + i * 8);
    ADD_FAILURE() << "no property " << propid;
    return 0;
}

// The status and message of the CompoundFileException that reading throws (0 when it reads).
SCODE ReadStatus(const Bytes& b, CString* pMessage = nullptr)
{
    PropertySet set;
    try {
        set.Read(b.data(), b.size(), _T("\005DocumentSummaryInformation"));
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

PropertySet SampleUserSet()
{
    PropertySet set;
    set.SetSection(PropertySection(FMTID_DocSummaryInformation, 1252));
    PropertySection user(FMTID_UserDefinedProperties, 1252);
    user.SetNamed(_T("Name"), PropVariant::AnsiString(_T("text")));
    user.SetNamed(_T("Wide"), PropVariant::WideString(_T("wide")));
    user.SetNamed(_T("Number"), PropVariant::I4(5));
    set.SetSection(user);
    return set;
}

}  // namespace

TEST(PropertySet, WritesTheStandardByteLayout)
{
    PropertySet set;
    set.SetClassId(FMTID_SummaryInformation);
    PropertySection summary(FMTID_SummaryInformation, 1252);
    summary.Set(PIDSI_TITLE, PropVariant::AnsiString(_T("A")));
    set.SetSection(summary);
    const Bytes expected = {
        0xFE, 0xFF, 0x00, 0x00, 0x06, 0x00, 0x02, 0x00,  // byte order, version, system id
        0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9,  // class id
        0x01, 0x00, 0x00, 0x00,  // one section
        0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9,  // its format id
        0x30, 0x00, 0x00, 0x00,  // at 48
        0x2C, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // section: 44 bytes, two properties
        0x01, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00,  // code page at 24
        0x02, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00,  // title at 32
        0x02, 0x00, 0x00, 0x00, 0xE4, 0x04, 0x00, 0x00,  // VT_I2 1252
        0x1E, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 'A', 0x00, 0x00, 0x00,  // VT_LPSTR "A"
    };
    EXPECT_EQ(Write(set), expected);
}

TEST(PropertySet, EveryValueTypeRoundTrips)
{
    for (UINT codePage : {1252u, 932u, 1200u, 65001u}) {
        PropertySection section(FMTID_UserDefinedProperties, codePage);
        const PropVariant values[] = {
            PropVariant::AnsiString(_T("ansi")), PropVariant::WideString(_T("wide \u56f3")),
            PropVariant::BString(_T("b")),       PropVariant::AnsiString(_T("")),
            PropVariant::I2(-2),                 PropVariant::UI2(65535),
            PropVariant::I4(-123456),            PropVariant::UI4(4000000000u),
            PropVariant::I8(-(LONGLONG(1) << 40)), PropVariant::UI8(ULONGLONG(1) << 63),
            PropVariant::R4(1.5f),               PropVariant::R8(-1e300),
            PropVariant::Bool(TRUE),             PropVariant::Bool(FALSE),
            PropVariant::Date(36526.25),         PropVariant::FileTime(ULONGLONG(0x01D9000012345678)),
            PropVariant::Clsid(FMTID_SummaryInformation), PropVariant::Blob(reinterpret_cast<const BYTE*>("xyz"), 3),
            PropVariant(),                       PropVariant::Null(),
        };
        int n = 0;
        for (const PropVariant& value : values) {
            CString name;
            name.Format(_T("Name %d %s"), n++, codePage == 932 ? _T("\u56f3") : _T("\u00e9"));
            section.SetNamed(name, value);
        }
        PropertySet set;
        set.SetSection(PropertySection(FMTID_DocSummaryInformation, codePage));
        set.SetSection(section);
        const Bytes bytes = Write(set);
        PropertySet back;
        back.Read(bytes.data(), bytes.size(), _T("set"));
        ASSERT_EQ(back.GetSectionCount(), 2) << codePage;
        const PropertySection* read = back.FindSection(FMTID_UserDefinedProperties);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(*read, section) << codePage;
        EXPECT_EQ(read->GetName(3).Left(7), CString(_T("Name 1 "))) << codePage;
    }
}

TEST(PropertySet, AnsiTextsKeepOnlyWhatTheirCodePageHolds)
{
    const CString text(_T("A\u00e9\u56f3\U0001F600"));
    struct Case
    {
        UINT codePage;
        const char16_t* back;
    } cases[] = {
        {1252, u"A\u00e9??"},
        {932, u"A?\u56f3?"},
        {1200, u"A\u00e9\u56f3\U0001F600"},
        {65001, u"A\u00e9\u56f3\U0001F600"},
    };
    for (const Case& c : cases) {
        PropertySection section(FMTID_SummaryInformation, c.codePage);
        section.Set(PIDSI_TITLE, PropVariant::AnsiString(text));
        PropertySet set;
        set.SetSection(section);
        const Bytes bytes = Write(set);
        PropertySet back;
        back.Read(bytes.data(), bytes.size(), _T("set"));
        EXPECT_EQ(back.GetSection(0).Find(PIDSI_TITLE)->GetString(), CString(c.back)) << c.codePage;
    }
    // The program's code page is the one new sections take.
    const UINT old = CodePageText::GetAnsiCodePage();
    CodePageText::SetAnsiCodePage(932);
    EXPECT_EQ(PropertySection(FMTID_SummaryInformation).GetCodePage(), 932u);
    CodePageText::SetAnsiCodePage(old);
}

TEST(PropertySet, NamedPropertiesTakeFreeIdsAndCompareWithoutCase)
{
    PropertySection section(FMTID_UserDefinedProperties, 1200);
    EXPECT_EQ(section.SetNamed(_T("One"), PropVariant::I4(1)), PROPID(2));
    EXPECT_EQ(section.SetNamed(_T("Two"), PropVariant::I4(2)), PROPID(3));
    EXPECT_EQ(section.SetNamed(_T("ONE"), PropVariant::I4(10)), PROPID(2));
    EXPECT_EQ(section.GetCount(), 2);
    EXPECT_EQ(*section.Find(2), PropVariant::I4(10));
    EXPECT_FALSE(section.Set(PID_CODEPAGE, PropVariant::I2(1252)));
    EXPECT_FALSE(section.Set(PID_DICTIONARY, PropVariant::I4(0)));
    EXPECT_TRUE(section.Remove(2));
    EXPECT_EQ(section.FindName(_T("one")), PROPID(0));
    EXPECT_EQ(section.SetNamed(_T("Three"), PropVariant::I4(3)), PROPID(4));
    section.RemoveAll();
    EXPECT_EQ(section.GetCount(), 0);
    EXPECT_EQ(section.GetNameCount(), 0);
}

TEST(PropertySet, ReadsSetsThatLibgsfWrites)
{
    GsfDocMetaData* meta = gsf_doc_meta_data_new();
    auto insert = [&](const char* name, GType type, auto setter) {
        GValue* value = g_new0(GValue, 1);
        g_value_init(value, type);
        setter(value);
        gsf_doc_meta_data_insert(meta, g_strdup(name), value);
    };
    insert(GSF_META_NAME_TITLE, G_TYPE_STRING, [](GValue* v) { g_value_set_string(v, "K\xc3\xa4se"); });
    insert(GSF_META_NAME_MANAGER, G_TYPE_STRING, [](GValue* v) { g_value_set_string(v, "Boss"); });
    insert("Custom text", G_TYPE_STRING, [](GValue* v) { g_value_set_string(v, "value"); });
    insert("Custom number", G_TYPE_INT, [](GValue* v) { g_value_set_int(v, 12); });
    insert("Custom flag", G_TYPE_BOOLEAN, [](GValue* v) { g_value_set_boolean(v, TRUE); });

    // libgsf writes the document summary for a document and the summary for a component.
    auto written = [&](gboolean document) {
        GsfOutput* out = gsf_output_memory_new();
        EXPECT_TRUE(gsf_doc_meta_data_write_to_msole(meta, out, document));
        gsf_output_close(out);
        const guint8* p = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(out));
        Bytes bytes(p, p + gsf_output_size(out));
        g_object_unref(out);
        return bytes;
    };
    const Bytes summaryBytes = written(FALSE);
    const Bytes documentBytes = written(TRUE);
    g_object_unref(meta);

    PropertySet summary;
    summary.Read(summaryBytes.data(), summaryBytes.size(), _T("summary"));
    const PropertySection* s = summary.FindSection(FMTID_SummaryInformation);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->Find(PIDSI_TITLE), nullptr);
    EXPECT_EQ(s->Find(PIDSI_TITLE)->GetString(), CString(_T("K\u00e4se")));

    PropertySet document;
    document.Read(documentBytes.data(), documentBytes.size(), _T("document"));
    const PropertySection* d = document.FindSection(FMTID_DocSummaryInformation);
    ASSERT_NE(d, nullptr);
    ASSERT_NE(d->Find(PIDDSI_MANAGER), nullptr);
    EXPECT_EQ(d->Find(PIDDSI_MANAGER)->GetString(), CString(_T("Boss")));
    const PropertySection* u = document.FindSection(FMTID_UserDefinedProperties);
    ASSERT_NE(u, nullptr);
    ASSERT_NE(u->FindName(_T("Custom text")), PROPID(0));
    EXPECT_EQ(u->Find(u->FindName(_T("Custom text")))->GetString(), CString(_T("value")));
    ASSERT_NE(u->FindName(_T("Custom number")), PROPID(0));
    EXPECT_EQ(u->Find(u->FindName(_T("Custom number")))->GetInteger(), 12);
    ASSERT_NE(u->FindName(_T("Custom flag")), PROPID(0));
    EXPECT_TRUE(u->Find(u->FindName(_T("Custom flag")))->GetBool());
}

TEST(PropertySet, DamagedSetsRaiseClearErrors)
{
    const Bytes valid = Write(SampleUserSet());
    ASSERT_EQ(ReadStatus(valid), 0);
    const size_t section = SectionAt(valid, 1);
    auto patched = [&](size_t at, DWORD value) {
        Bytes b = valid;
        Put32(b, at, value);
        return b;
    };
    struct Case
    {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"shorter than the header", Bytes(valid.begin(), valid.begin() + 20)},
        {"byte order", patched(0, 0x0000FFFF)},
        {"version", patched(0, 0x0007FFFE)},
        {"section count", patched(24, 1000)},
        {"section offset past the end", patched(28 + 20 + 16, static_cast<DWORD>(valid.size()))},
        {"section offset inside the header", patched(28 + 20 + 16, 10)},
        {"section size past the end", patched(section, static_cast<DWORD>(valid.size()))},
        {"section size below its header", patched(section, 4)},
        {"property count", patched(section + 4, 0x10000000)},
        {"property offset", patched(section + 12, 0xFFFFFFF0)},
        {"ANSI text length", patched(OffsetOf(valid, 2) + 4, 0x7FFFFFFF)},
        {"wide text length", patched(OffsetOf(valid, 3) + 4, 0x80000001)},
        {"dictionary count", patched(OffsetOf(valid, PID_DICTIONARY), 0x20000000)},
        {"dictionary name length", patched(OffsetOf(valid, PID_DICTIONARY) + 8, 0xFFFFFFFF)},
        {"code page type", patched(OffsetOf(valid, PID_CODEPAGE), VT_LPSTR)},
        {"truncated in a value", Bytes(valid.begin(), valid.end() - 6)},
    };
    for (const Case& c : cases) {
        CString message;
        EXPECT_EQ(ReadStatus(c.bytes, &message), STG_E_DOCFILECORRUPT) << c.what;
        EXPECT_NE(message.Find(_T("DocumentSummaryInformation")), -1) << c.what << ": " << message.ToUtf8();
        EXPECT_NE(message.Find(_T("damaged")), -1) << c.what << ": " << message.ToUtf8();
    }
}

TEST(PropertySet, TypesItDoesNotKnowAreLeftOut)
{
    Bytes bytes = Write(SampleUserSet());
    Put32(bytes, OffsetOf(bytes, 2), VT_VECTOR | VT_LPSTR);
    PropertySet set;
    set.Read(bytes.data(), bytes.size(), _T("set"));
    const PropertySection& user = *set.FindSection(FMTID_UserDefinedProperties);
    EXPECT_EQ(user.Find(2), nullptr);
    EXPECT_EQ(*user.Find(3), PropVariant::WideString(_T("wide")));
    EXPECT_EQ(user.GetName(2), CString(_T("Name")));
}

TEST(PropertySetStorage, KeepsTheTwoSectionsOfTheDocumentSummaryTogether)
{
    CompoundStorage storage;
    PropertySetStorage sets(&storage);
    PropertySection section;
    EXPECT_FALSE(sets.Read(FMTID_SummaryInformation, section));
    EXPECT_FALSE(sets.Exists(FMTID_UserDefinedProperties));

    PropertySection user(FMTID_UserDefinedProperties, 1252);
    user.SetNamed(_T("Kept"), PropVariant::I4(1));
    sets.Write(user);
    EXPECT_TRUE(sets.Exists(FMTID_DocSummaryInformation));  // an empty one goes first
    PropertySection document(FMTID_DocSummaryInformation, 1252);
    document.Set(PIDDSI_COMPANY, PropVariant::AnsiString(_T("Works")));
    sets.Write(document);
    ASSERT_TRUE(sets.Read(FMTID_UserDefinedProperties, section));
    EXPECT_EQ(section, user);

    CByteArray data;
    ASSERT_EQ(storage.ReadStream(_T("\005DocumentSummaryInformation"), data), S_OK);
    PropertySet set;
    set.Read(data.GetData(), static_cast<SIZE_T>(data.GetSize()), _T("set"));
    ASSERT_EQ(set.GetSectionCount(), 2);
    EXPECT_EQ(set.GetSection(0).GetFormatId(), FMTID_DocSummaryInformation);
    EXPECT_EQ(set.GetSection(1).GetFormatId(), FMTID_UserDefinedProperties);

    EXPECT_EQ(sets.Delete(FMTID_UserDefinedProperties), S_OK);
    EXPECT_FALSE(sets.Exists(FMTID_UserDefinedProperties));
    ASSERT_TRUE(sets.Read(FMTID_DocSummaryInformation, section));
    EXPECT_EQ(section, document);
    EXPECT_EQ(sets.Delete(FMTID_DocSummaryInformation), S_OK);
    EXPECT_EQ(storage.GetElementCount(), 0);

    // The summary set carries its own format id as class id; a damaged set is written over.
    PropertySection summary(FMTID_SummaryInformation, 1252);
    summary.Set(PIDSI_TITLE, PropVariant::AnsiString(_T("T")));
    const BYTE junk[] = {1, 2, 3};
    storage.WriteStream(_T("\005SummaryInformation"), junk, sizeof junk);
    EXPECT_FALSE(sets.Exists(FMTID_SummaryInformation));
    EXPECT_THROW(
        {
            try {
                sets.Read(FMTID_SummaryInformation, section);
            } catch (CompoundFileException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
    sets.Write(summary, &FMTID_SummaryInformation);
    ASSERT_TRUE(sets.Read(FMTID_SummaryInformation, section));
    EXPECT_EQ(section, summary);
    ASSERT_EQ(storage.ReadStream(_T("\005SummaryInformation"), data), S_OK);
    set.Read(data.GetData(), static_cast<SIZE_T>(data.GetSize()), _T("set"));
    EXPECT_EQ(set.GetClassId(), FMTID_SummaryInformation);

    CompoundStorage readOnly(TRUE);
    PropertySetStorage locked(&readOnly);
    EXPECT_THROW(
        {
            try {
                locked.Write(summary);
            } catch (CompoundFileException* e) {
                const bool denied = e->m_sc == STG_E_ACCESSDENIED;
                e->Delete();
                if (denied)
                    throw 1;
            }
        },
        int);
}

TEST(PropertySetStorage, OtherSetsGetStreamNamesOfTheirFormatId)
{
    EXPECT_EQ(PropertySetStorage::GetStreamName(FMTID_SummaryInformation), CString(_T("\005SummaryInformation")));
    EXPECT_EQ(PropertySetStorage::GetStreamName(FMTID_UserDefinedProperties),
              CString(_T("\005DocumentSummaryInformation")));
    const FMTID a = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    const FMTID b = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 12}};
    const CString nameA = PropertySetStorage::GetStreamName(a);
    EXPECT_EQ(nameA.GetLength(), 27);
    EXPECT_TRUE(CompoundStorage::IsValidName(nameA));
    EXPECT_NE(nameA, PropertySetStorage::GetStreamName(b));
}
