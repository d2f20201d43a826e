// Replays damaged versions of a valid compound file and of a property set stream: truncations, single
// byte changes over the header, the directory and the sector tables, and random changes elsewhere. Every
// one must be read or refused with an exception; none may crash or allocate without bound.

#include <gtest/gtest.h>

#include <random>

#include "OleTestSupport.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/CException.h"
#include "platform/ole/COleStreamFile.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"
#include "platform/ole/PropertySection.h"
#include "platform/ole/PropertySet.h"
#include "platform/ole/PropertySetStorage.h"

using namespace oletest;

namespace {

typedef std::vector<unsigned char> Bytes;

void ReadEverything(const CompoundStorage& storage, int depth)
{
    for (const STATSTG& element : storage.EnumElements()) {
        if (element.type == STGTY_STORAGE) {
            CompoundStorage* inner = nullptr;
            ASSERT_EQ(storage.OpenStorage(element.strName, STGM_READ, &inner), S_OK);
            if (depth < 100)
                ReadEverything(*inner, depth + 1);
        } else {
            CByteArray data;
            ASSERT_EQ(storage.ReadStream(element.strName, data), S_OK);
            EXPECT_EQ(static_cast<ULONGLONG>(data.GetSize()), element.cbSize);
        }
    }
}

// TRUE when the bytes were read, FALSE when they were refused with an exception.
bool TryCompoundFile(const Bytes& bytes)
{
    try {
        CompoundFile file;
        file.OpenFromMemory(bytes.data(), bytes.size(), TRUE, _T("fuzz"));
        ReadEverything(*file.GetRootStorage(), 0);
        PropertySetStorage sets(file.GetRootStorage());
        for (const FMTID* fmtid : {&FMTID_SummaryInformation, &FMTID_DocSummaryInformation, &FMTID_UserDefinedProperties}) {
            PropertySection section;
            try {
                sets.Read(*fmtid, section);
            } catch (CException* e) {
                e->Delete();
            }
        }
        COleStreamFile stream;
        if (stream.OpenStream(file.GetRootStorage(), _T("QZ2Document"), CFile::modeRead)) {
            CArchive ar(&stream, CArchive::load);
            LONG n;
            double d;
            CString s;
            ar >> n >> d >> s;
        }
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool TryPropertySet(const Bytes& bytes)
{
    try {
        PropertySet set;
        set.Read(bytes.data(), bytes.size(), _T("fuzz"));
        CByteArray again;
        set.Write(again);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

Bytes SampleFile()
{
    CompoundFile file;
    file.CreateInMemory();
    FillSample(file);
    CByteArray bytes;
    file.SaveToMemory(bytes);
    return Bytes(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

DWORD Get32(const Bytes& b, size_t at)
{
    return DWORD(b[at]) | DWORD(b[at + 1]) << 8 | DWORD(b[at + 2]) << 16 | DWORD(b[at + 3]) << 24;
}

}  // namespace

TEST(FuzzReplay, TruncatedCompoundFiles)
{
    const Bytes valid = SampleFile();
    ASSERT_TRUE(TryCompoundFile(valid));
    int refused = 0;
    for (size_t length = 0; length < valid.size(); length += (length < 2048 ? 1 : 509)) {
        if (!TryCompoundFile(Bytes(valid.begin(), valid.begin() + length)))
            ++refused;
    }
    EXPECT_GT(refused, 0);
}

TEST(FuzzReplay, CompoundFilesWithChangedBytes)
{
    const Bytes valid = SampleFile();
    // The header (with the first sector table entries), the first directory sector and the first
    // sector of the sector table, each byte changed in turn.
    std::vector<size_t> positions;
    for (size_t i = 0; i < 512; ++i)
        positions.push_back(i);
    const size_t directory = (size_t(Get32(valid, 0x30)) + 1) * 512;
    const size_t fat = (size_t(Get32(valid, 0x4C)) + 1) * 512;
    for (size_t base : {directory, fat})
        for (size_t i = 0; i < 512 && base + i < valid.size(); ++i)
            positions.push_back(base + i);
    int refused = 0;
    for (size_t position : positions) {
        for (unsigned char value : {0x00, 0xFF, 0x80}) {
            Bytes bytes = valid;
            bytes[position] = bytes[position] == value ? static_cast<unsigned char>(value ^ 0x01) : value;
            if (!TryCompoundFile(bytes))
                ++refused;
        }
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        Bytes bytes = valid;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int k = 0; k < changes; ++k)
            bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
        if (!TryCompoundFile(bytes))
            ++refused;
    }
    EXPECT_GT(refused, 0);
}

TEST(FuzzReplay, DamagedPropertySets)
{
    CompoundFile file;
    file.CreateInMemory();
    FillSample(file);
    for (const char16_t* name : {u"\005SummaryInformation", u"\005DocumentSummaryInformation"}) {
        CByteArray data;
        ASSERT_EQ(file.GetRootStorage()->ReadStream(name, data), S_OK);
        const Bytes valid(data.GetData(), data.GetData() + data.GetSize());
        ASSERT_TRUE(TryPropertySet(valid));
        for (size_t length = 0; length < valid.size(); ++length)
            TryPropertySet(Bytes(valid.begin(), valid.begin() + length));
        for (size_t position = 0; position < valid.size(); ++position) {
            for (unsigned char value : {0x00, 0xFF, 0x7F, 0x80}) {
                Bytes bytes = valid;
                bytes[position] = value;
                TryPropertySet(bytes);
            }
        }
        std::mt19937 random(99);
        for (int round = 0; round < 2000; ++round) {
            Bytes bytes = valid;
            const int changes = 1 + static_cast<int>(random() % 6);
            for (int k = 0; k < changes; ++k)
                bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
            TryPropertySet(bytes);
        }
    }
}
