// The colour, line-type and line-width tables: standard entries, fixed entries that cannot change,
// lookups, edits and checked archive storage.

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "ArchiveBytes.h"
#include "ThrowsInvalidArg.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"

using namespace settings_test;

namespace {

LineTypeFeature MakeLineType(short no, const char16_t* name, std::initializer_list<double> segments)
{
    LineTypeFeature lt;
    std::vector<double> s(segments);
    EXPECT_TRUE(lt.SetLineType(no, CString(name), s.data(), static_cast<int>(s.size())));
    return lt;
}

TEST(ColorFeatureTableTest, StandardTableHas256DistinctlyNumberedColours)
{
    ColorFeatureTable table;
    EXPECT_EQ(0, table.GetColorSize());
    EXPECT_EQ(nullptr, table.GetColor(1));
    table.InitializeColors();
    ASSERT_EQ(256, table.GetColorSize());
    std::set<COLORREF> colours;
    for (short no = 1; no <= 256; ++no) {
        const ColorFeature* c = table.GetColor(no);
        ASSERT_NE(nullptr, c);
        EXPECT_EQ(no, c->GetColorNo());
        EXPECT_FALSE(c->GetColorName().IsEmpty());
        EXPECT_EQ(0u, c->GetColorRef() & 0xFF000000);
        colours.insert(c->GetColorRef());
    }
    EXPECT_GT(colours.size(), 240u);
    EXPECT_EQ(nullptr, table.GetColor(0));      // by layer
    EXPECT_EQ(nullptr, table.GetColor(257));
    EXPECT_EQ(nullptr, table.GetColor(-1));
    EXPECT_EQ(RGB(255, 0, 0), table.GetColorRef(2));
    EXPECT_EQ(RGB(0, 0, 0), table.GetColorRef(999));
    EXPECT_TRUE(table.GetColorName(0).IsEmpty());
}

TEST(ColorFeatureTableTest, OnlyUserColoursChange)
{
    ColorFeatureTable table;
    table.InitializeColors();
    const ColorFeatureTable before = table;
    for (short no : {-1, 0, 1, 16, 257}) {
        SCOPED_TRACE(no);
        EXPECT_FALSE(table.SetColor(no, RGB(1, 2, 3)));
    }
    EXPECT_TRUE(table == before);
    EXPECT_TRUE(table.SetColor(17, 0xFF000000 | RGB(1, 2, 3), CString(u"Mine")));
    EXPECT_EQ(RGB(1, 2, 3), table.GetColorRef(17));
    EXPECT_EQ(CString(u"Mine"), table.GetColorName(17));
    EXPECT_TRUE(table.SetColor(256, RGB(9, 9, 9)));
    EXPECT_FALSE(table == before);
}

TEST(ColorFeatureTableTest, FindColorNumberByRefGivesTheLowestNumberOrMinusOne)
{
    ColorFeatureTable table;
    table.InitializeColors();
    EXPECT_EQ(2, table.FindColorNumberByRef(RGB(255, 0, 0)));
    ASSERT_TRUE(table.SetColor(40, RGB(255, 0, 0)));
    EXPECT_EQ(2, table.FindColorNumberByRef(RGB(255, 0, 0)));
    ASSERT_TRUE(table.SetColor(41, RGB(1, 2, 250)));
    EXPECT_EQ(41, table.FindColorNumberByRef(RGB(1, 2, 250)));
    EXPECT_EQ(-1, table.FindColorNumberByRef(RGB(1, 2, 251)));
}

TEST(ColorFeatureTableTest, ArchiveRoundTripAndDamage)
{
    ColorFeatureTable table;
    table.InitializeColors();
    ASSERT_TRUE(table.SetColor(100, RGB(10, 20, 30), CString(u"Sea")));
    const Bytes bytes = Store([&](CArchive& ar) { table.Serialize(ar); });
    ColorFeatureTable loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == table);
    EXPECT_EQ(CString(u"Sea"), loaded.GetColorName(100));

    // 257 colours.
    ColorFeatureTable target;
    const Bytes tooMany = Store([&](CArchive& ar) {
        ar.WriteCount(257);
        for (int i = 0; i < 257; ++i)
            ar << DWORD(0) << CString(u"c");
    });
    EXPECT_EQ(CArchiveException::genericException, Load(tooMany, [&](CArchive& ar) { target.Serialize(ar); }));
    // A colour with bits above RGB.
    const Bytes badRgb = Store([&](CArchive& ar) {
        ar.WriteCount(1);
        ar << DWORD(0x01000000) << CString(u"c");
    });
    EXPECT_EQ(CArchiveException::genericException, Load(badRgb, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_EQ(0, target.GetColorSize());
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_EQ(0, target.GetColorSize()); });
}

TEST(LineTypeFeatureTest, SegmentsAndNameAreChecked)
{
    LineTypeFeature lt;
    const double good[] = {5.0, 2.0, 0.5};
    const double zero[] = {5.0, 0.0};
    const double huge[] = {1e15};
    const double eleven[11] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(lt.SetLineType(20, CString(), good, 3));
    EXPECT_FALSE(lt.SetLineType(20, CString(u"A"), zero, 2));
    EXPECT_FALSE(lt.SetLineType(20, CString(u"A"), huge, 1));
    EXPECT_FALSE(lt.SetLineType(20, CString(u"A"), eleven, 11));
    EXPECT_FALSE(lt.SetLineType(20, CString(u"A"), nullptr, 2));
    EXPECT_FALSE(lt.SetLineType(-4, CString(u"A"), good, 3));
    EXPECT_EQ(0, lt.GetLineTypeSegment());
    ASSERT_TRUE(lt.SetLineType(20, CString(u"A"), good, 3));
    EXPECT_EQ(3, lt.GetLineTypeSegment());
    double out[2] = {};
    EXPECT_EQ(3, lt.GetLineTypeSegment(out, 2));
    EXPECT_EQ(2.0, out[1]);
    EXPECT_EQ(0.5, lt.GetLineTypeSegmentAt(2));
    EXPECT_TRUE(ThrowsInvalidArg([&] { lt.GetLineTypeSegmentAt(3); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { lt.GetLineTypeSegmentAt(-1); }));
}

class LineTypeFeatureTableTest : public ::testing::Test {
protected:
    void SetUp() override { table.InitializeLineTypes(); }
    LineTypeFeatureTable table;
};

TEST_F(LineTypeFeatureTableTest, StandardTableIsByLayerAndFifteenFixedTypes)
{
    ASSERT_EQ(16, table.GetLineTypeSize());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(i, table.GetAt(i)->GetLineTypeNo());
    EXPECT_EQ(0, table.GetAt(1)->GetLineTypeSegment());  // continuous
    EXPECT_EQ(10, table.GetLineTypeByNo(15)->GetLineTypeSegment());
    EXPECT_TRUE(ThrowsInvalidArg([&] { table.GetAt(16); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { table.GetAt(-1); }));
    EXPECT_EQ(nullptr, table.GetLineTypeByNo(16));
    EXPECT_FALSE(table.IsExistLineTypeNo(16));
    EXPECT_TRUE(table.IsExistLineTypeNo(0));
}

TEST_F(LineTypeFeatureTableTest, UserLineTypesAreAddedReplacedAndDeleted)
{
    EXPECT_TRUE(table.SetLineType(MakeLineType(16, u"A", {5.0, 2.0})));
    EXPECT_TRUE(table.SetLineType(MakeLineType(17, u"B", {1.0})));
    EXPECT_EQ(18, table.GetLineTypeSize());
    EXPECT_EQ(16, table.GetLineTypeNoByName(CString(u"A")));
    EXPECT_EQ(16, table.LineTypeNameToIndex(CString(u"A")));
    EXPECT_EQ(-1, table.GetLineTypeNoByName(CString(u"a")));  // names are exact
    EXPECT_EQ(CString(u"B"), table.GetLineTypeName(17));

    // A name another line type has is refused; the same line type may keep its name.
    EXPECT_FALSE(table.SetLineType(MakeLineType(18, u"A", {1.0})));
    EXPECT_FALSE(table.SetLineType(MakeLineType(17, u"A", {1.0})));
    EXPECT_TRUE(table.SetLineType(MakeLineType(17, u"B", {3.0, 1.0})));
    EXPECT_EQ(17, table.GetAt(17)->GetLineTypeNo());
    EXPECT_EQ(2, table.GetAt(17)->GetLineTypeSegment());
    // Fixed and out-of-range numbers are refused.
    EXPECT_FALSE(table.SetLineType(MakeLineType(3, u"C", {1.0})));
    EXPECT_FALSE(table.SetLineType(MakeLineType(0, u"C", {1.0})));

    EXPECT_FALSE(table.DeleteLineTypeByNo(5));
    EXPECT_FALSE(table.DeleteLineTypeByNo(99));
    EXPECT_TRUE(table.DeleteLineTypeByNo(16));
    EXPECT_FALSE(table.IsExistLineTypeNo(16));
    EXPECT_EQ(17, table.GetLineTypeSize());
}

TEST_F(LineTypeFeatureTableTest, UpDownMovesOnlyAmongUserLineTypes)
{
    ASSERT_TRUE(table.SetLineType(MakeLineType(16, u"A", {1.0})));
    ASSERT_TRUE(table.SetLineType(MakeLineType(17, u"B", {1.0})));
    ASSERT_TRUE(table.SetLineType(MakeLineType(18, u"C", {1.0})));
    EXPECT_FALSE(table.UpDownIndex(16, TRUE));   // the first user line type cannot go up
    EXPECT_FALSE(table.UpDownIndex(18, FALSE));  // the last cannot go down
    EXPECT_FALSE(table.UpDownIndex(15, FALSE));  // fixed ones do not move
    EXPECT_FALSE(table.UpDownIndex(40, TRUE));
    EXPECT_TRUE(table.UpDownIndex(18, TRUE));
    EXPECT_EQ(18, table.GetAt(17)->GetLineTypeNo());
    EXPECT_EQ(17, table.GetAt(18)->GetLineTypeNo());
    EXPECT_TRUE(table.UpDownIndex(16, FALSE));
    EXPECT_EQ(16, table.GetAt(17)->GetLineTypeNo());
}

TEST_F(LineTypeFeatureTableTest, ArchiveRoundTripAndDamage)
{
    ASSERT_TRUE(table.SetLineType(MakeLineType(30000, u"Long one", {5.0, 2.0, 0.5, 2.0})));
    const Bytes bytes = Store([&](CArchive& ar) { table.Serialize(ar); });
    LineTypeFeatureTable loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == table);

    LineTypeFeatureTable target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_EQ(0, target.GetLineTypeSize()); });

    auto tableOf = [](std::initializer_list<std::pair<short, const char16_t*>> entries, BYTE segments = 0) {
        return Store([&](CArchive& ar) {
            ar.WriteCount(entries.size());
            for (auto [no, name] : entries) {
                ar << no << CString(name) << segments;
                for (BYTE i = 0; i < segments; ++i)
                    ar << 1.0;
            }
        });
    };
    const Bytes damaged[] = {
        tableOf({{1, u"By layer"}}),                  // position 0 must be number 0
        tableOf({{0, u"By layer"}, {2, u"X"}}),       // fixed numbers in their places
        tableOf({{0, u"By layer"}, {1, u"X"}, {1, u"Y"}}),
        tableOf({{0, u"X"}, {1, u"X"}}),              // names used twice
        tableOf({{0, u"By layer"}}, 11),              // too many segments
        tableOf({{0, u""}}),                          // no name
    };
    for (const Bytes& b : damaged)
        EXPECT_EQ(CArchiveException::genericException, Load(b, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_EQ(0, target.GetLineTypeSize());
}

TEST(LineWidthFeatureTableTest, FixedAndUserWidths)
{
    LineWidthFeatureTable table;
    EXPECT_EQ(0.0, table.GetLineWidth(1));
    table.InitializeLineWidths();
    ASSERT_EQ(16, table.GetLineWidthSize());
    EXPECT_EQ(0.0, table.GetLineWidth(0));
    EXPECT_EQ(0.13, table.GetLineWidth(1));
    EXPECT_EQ(0.0, table.GetLineWidth(16));
    EXPECT_EQ(nullptr, table.GetLineWidthFeature(16));
    EXPECT_EQ(nullptr, table.GetLineWidthFeature(-1));
    EXPECT_EQ(9, table.GetLineWidthFeature(9)->GetLineWidthNo());

    struct { short no; double width; bool ok; } cases[] = {
        {9, 0.5, false}, {10, 0.5, true}, {15, 3.0, true}, {16, 1.0, false},
        {12, 0.0, false}, {12, -1.0, false}, {12, 1e15, false}, {12, 1e15 - 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.no);
        const double before = table.GetLineWidth(c.no);
        EXPECT_EQ(c.ok, table.SetLineWidth(c.no, c.width) != FALSE);
        EXPECT_EQ(c.ok ? c.width : before, table.GetLineWidth(c.no));
    }
}

TEST(LineWidthFeatureTableTest, ArchiveRoundTripAndDamage)
{
    LineWidthFeatureTable table;
    table.InitializeLineWidths();
    ASSERT_TRUE(table.SetLineWidth(11, 0.42));
    const Bytes bytes = Store([&](CArchive& ar) { table.Serialize(ar); });
    LineWidthFeatureTable loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == table);

    LineWidthFeatureTable target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_EQ(0, target.GetLineWidthSize()); });
    Bytes negative = bytes;
    const double bad = -0.5;
    std::memcpy(&negative[negative.size() - sizeof(double)], &bad, sizeof(double));
    EXPECT_EQ(CArchiveException::genericException, Load(negative, [&](CArchive& ar) { target.Serialize(ar); }));
    const Bytes tooMany = Store([&](CArchive& ar) {
        ar.WriteCount(17);
        for (int i = 0; i < 17; ++i)
            ar << (i == 0 ? 0.0 : 1.0);
    });
    EXPECT_EQ(CArchiveException::genericException, Load(tooMany, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_EQ(0, target.GetLineWidthSize());
}

}  // namespace
