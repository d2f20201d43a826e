// Line and shape hatch patterns and the document's pattern table: rules of the values, ids, names
// unique ignoring case, deep copies, pattern files and checked archive storage.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ArchiveBytes.h"
#include "ThrowsInvalidArg.h"
#include "libs/vevure/HatchPatternTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/ShapeHatchPattern.h"

using namespace settings_test;

namespace {

LineHatchPattern MakeLinePattern(const char16_t* name, int items)
{
    LineHatchPattern p;
    EXPECT_TRUE(p.SetPatternName(CString(name)));
    for (int i = 0; i < items; ++i) {
        LineHatchPatternLineItem item;
        EXPECT_TRUE(item.SetAngle(10.0 * i));
        EXPECT_TRUE(item.SetSpace(1.0 + i));
        EXPECT_TRUE(item.SetPoint(RuVaPnt2d(i, -i)));
        EXPECT_TRUE(item.SetColorNo(static_cast<short>(i)));
        EXPECT_EQ(i, p.AddLineItem(item));
    }
    return p;
}

ShapeHatchPattern MakeShapePattern(const char16_t* name)
{
    ShapeHatchPattern p;
    EXPECT_TRUE(p.SetPatternName(CString(name)));
    Line2dFeature line;
    EXPECT_TRUE(p.AddFeature(&line));
    EXPECT_TRUE(p.SetSpace1(4.0));
    EXPECT_TRUE(p.SetAngle(-30.0, 60.0));
    return p;
}

TEST(LineHatchPatternTest, ItemValuesFollowTheirRules)
{
    LineHatchPatternLineItem item;
    EXPECT_TRUE(item.SetAngle(360.0));
    EXPECT_FALSE(item.SetAngle(360.5));
    EXPECT_FALSE(item.SetAngle(-1.0));
    EXPECT_TRUE(item.SetSpace(0.0));
    EXPECT_FALSE(item.SetSpace(1e15));
    EXPECT_FALSE(item.SetPoint(RuVaPnt2d(-1e15, 0.0)));
    EXPECT_TRUE(item.SetPoint(RuVaPnt2d(-1e14, 0.0)));
    EXPECT_FALSE(item.SetColorNo(257));
    EXPECT_TRUE(item.SetColorNo(-1));
    EXPECT_FALSE(item.SetLineTypeNo(32767));
    EXPECT_FALSE(item.SetLineWidthNo(16));
    EXPECT_EQ(360.0, item.GetAngle());
    EXPECT_EQ(0.0, item.GetSpace());
}

TEST(LineHatchPatternTest, AtMost32ItemsAndGuardedIndexes)
{
    LineHatchPattern p = MakeLinePattern(u"Many", 32);
    EXPECT_EQ(-1, p.AddLineItem(LineHatchPatternLineItem()));
    EXPECT_EQ(32, p.GetLineItemCount());
    EXPECT_TRUE(ThrowsInvalidArg([&] { p.GetLineItem(32); }));
    EXPECT_FALSE(p.SetLineAngle(32, 10.0));
    EXPECT_FALSE(p.SetLineSpace(-1, 10.0));
    EXPECT_FALSE(p.SetLineAngle(0, 400.0));
    EXPECT_TRUE(p.SetLineAngle(0, 90.0));
    EXPECT_TRUE(p.SetLineWidthNo(31, 3));
    EXPECT_EQ(3, p.GetLineItem(31).GetLineWidthNo());
    EXPECT_FALSE(p.DeleteLineItem(32));
    EXPECT_TRUE(p.DeleteLineItem(0));
    EXPECT_EQ(31, p.GetLineItemCount());
    EXPECT_EQ(1.0 + 1, p.GetLineItem(0).GetSpace());
}

TEST(HatchPatternTest, CloneAndCopyAreDeepAndKindBound)
{
    const LineHatchPattern line = MakeLinePattern(u"L", 2);
    std::unique_ptr<HatchPatternBase> clone(line.Clone());
    ASSERT_TRUE(clone->IsKindOf(RUNTIME_CLASS(LineHatchPattern)));
    EXPECT_TRUE(clone->IsEqual(line));
    EXPECT_FALSE(clone->IsShapePattern());

    ShapeHatchPattern shape = MakeShapePattern(u"S");
    EXPECT_FALSE(clone->Copy(shape));
    EXPECT_TRUE(clone->IsEqual(line));

    ShapeHatchPattern copy;
    ASSERT_TRUE(copy.Copy(shape));
    EXPECT_TRUE(copy.IsEqual(shape));
    EXPECT_TRUE(copy.IsShapePattern());
    EXPECT_NE(copy.GetFeature(0), shape.GetFeature(0));
    copy.RemoveAllFeatures();
    EXPECT_EQ(1, shape.GetFeatureCount());
    EXPECT_FALSE(copy.IsEqual(shape));
}

TEST(ShapeHatchPatternTest, SpacingsAndAnglesFollowTheirRules)
{
    ShapeHatchPattern p;
    EXPECT_FALSE(p.AddFeature(nullptr));
    EXPECT_FALSE(p.SetSpace1(0.0));
    EXPECT_FALSE(p.SetSpace2(1e15));
    EXPECT_FALSE(p.SetAngle(90.0, 120.0));
    EXPECT_FALSE(p.SetAngle(30.0, 0.0));
    EXPECT_FALSE(p.SetAngle(30.0, 180.0));
    EXPECT_FALSE(p.SetAngle(30.0, 30.0));
    EXPECT_TRUE(p.SetAngle(30.0, 30.000001));
    EXPECT_TRUE(p.SetAngle(-89.0, 1.0));
    EXPECT_EQ(-89.0, p.GetAngle1());
    EXPECT_EQ(1.0, p.GetAngle2());
    EXPECT_TRUE(ThrowsInvalidArg([&] { p.GetFeature(0); }));
}

TEST(HatchPatternTableTest, IdsNamesAndReplacement)
{
    HatchPatternTable table;
    const LineHatchPattern a = MakeLinePattern(u"Brick", 1);
    const long idA = table.AddHatchPattern(&a);
    EXPECT_EQ(1, idA);
    LineHatchPattern sameName = MakeLinePattern(u"BRICK", 2);
    EXPECT_EQ(-1, table.AddHatchPattern(&sameName));
    EXPECT_EQ(-1, table.AddHatchPattern(nullptr));
    LineHatchPattern unnamed;
    EXPECT_EQ(-1, table.AddHatchPattern(&unnamed));
    const ShapeHatchPattern s = MakeShapePattern(u"Stars");
    const long idS = table.AddHatchPattern(&s);
    EXPECT_EQ(2, idS);
    EXPECT_EQ(idS, table.GetHatchPatternID(CString(u"stars")));
    EXPECT_TRUE(table.IsPatternNameExists(CString(u"brick")));
    EXPECT_TRUE(table.GetHatchPattern(idS)->IsShapePattern());
    EXPECT_EQ(nullptr, table.GetHatchPattern(99));
    EXPECT_TRUE(ThrowsInvalidArg([&] { table.GetHatchPatternByIndex(2); }));

    // Replacing keeps the id and the place; a name of another pattern is refused.
    sameName.SetPatternID(777);
    EXPECT_TRUE(table.SetHatchPattern(idA, &sameName));
    EXPECT_EQ(idA, table.GetHatchPatternByIndex(0)->GetPatternID());
    EXPECT_EQ(CString(u"BRICK"), table.GetHatchPatternByIndex(0)->GetPatternName());
    EXPECT_FALSE(table.SetHatchPattern(idS, &sameName));
    EXPECT_FALSE(table.SetHatchPattern(42, &a));
    EXPECT_FALSE(table.SetHatchPatternName(idS, CString(u"brick")));
    EXPECT_FALSE(table.SetHatchPatternName(idS, CString()));
    EXPECT_TRUE(table.SetHatchPatternName(idS, CString(u"STARS")));

    // Ids are never given twice.
    EXPECT_TRUE(table.DeleteHatchPattern(idA));
    EXPECT_FALSE(table.DeleteHatchPattern(idA));
    const long idNew = table.AddHatchPattern(&a);
    EXPECT_EQ(3, idNew);
    EXPECT_EQ(1, table.GetHatchPatternIndex(idNew));

    HatchPatternTable copy(table);
    EXPECT_TRUE(copy.IsEqual(table));
    EXPECT_NE(copy.GetHatchPattern(idS), table.GetHatchPattern(idS));
    EXPECT_TRUE(copy.SetHatchPatternName(idS, CString(u"Other")));
    EXPECT_FALSE(copy.IsEqual(table));
}

TEST(HatchPatternTableTest, ArchiveRoundTripAndDamage)
{
    HatchPatternTable table;
    const LineHatchPattern a = MakeLinePattern(u"Brick", 3);
    const ShapeHatchPattern s = MakeShapePattern(u"Stars");
    ASSERT_NE(-1, table.AddHatchPattern(&a));
    ASSERT_NE(-1, table.AddHatchPattern(&s));
    ASSERT_TRUE(table.DeleteHatchPattern(1));
    ASSERT_NE(-1, table.AddHatchPattern(&a));
    const Bytes bytes = Store([&](CArchive& ar) { table.Serialize(ar); });
    HatchPatternTable loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded.IsEqual(table));
    const LineHatchPattern c = MakeLinePattern(u"Next", 1);
    EXPECT_EQ(4, loaded.AddHatchPattern(&c));  // the next id survives

    HatchPatternTable target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_EQ(0, target.GetHatchPatternCount()); });

    auto tableWith = [](LONG nextId, std::initializer_list<std::pair<LONG, const char16_t*>> entries) {
        return Store([&](CArchive& ar) {
            ar << WORD(1) << nextId;
            ar.WriteCount(entries.size());
            for (auto [id, name] : entries) {
                ar << id;
                LineHatchPattern p;
                p.SetPatternName(CString(name));
                ar.WriteClass(RUNTIME_CLASS(LineHatchPattern));
                p.Serialize(ar);
            }
        });
    };
    EXPECT_EQ(-1, Load(tableWith(3, {{1, u"A"}, {2, u"B"}}), [&](CArchive& ar) { target.Serialize(ar); }));
    target.RemoveAllHatchPatterns();
    const Bytes damaged[] = {tableWith(3, {{1, u"A"}, {1, u"B"}}),   // id twice
                             tableWith(3, {{1, u"A"}, {2, u"a"}}),   // name twice
                             tableWith(2, {{2, u"A"}}),              // id not below the next
                             tableWith(3, {{0, u"A"}}),              // no id
                             tableWith(0, {}),                       // no next id
                             tableWith(3, {{1, u""}})};              // no name
    for (const Bytes& d : damaged)
        EXPECT_NE(-1, Load(d, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_EQ(0, target.GetHatchPatternCount());

    // A class that is not a pattern.
    const Bytes wrongClass = Store([&](CArchive& ar) {
        ar << WORD(1) << LONG(2);
        ar.WriteCount(1);
        ar << LONG(1);
        Line2dFeature line;
        ar.WriteClass(line.GetRuntimeClass());
        line.Serialize(ar);
    });
    EXPECT_EQ(CArchiveException::badClass, Load(wrongClass, [&](CArchive& ar) { target.Serialize(ar); }));
}

TEST(HatchPatternTableTest, PatternFilesOfAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString folder(dir.path().toStdU16String().c_str());
    const LineHatchPattern a = MakeLinePattern(u"Brick", 2);
    const ShapeHatchPattern s = MakeShapePattern(u"Stars");
    ASSERT_TRUE(HatchPatternTable::SavePatternFile(a, folder + u"/a.kvhp"));
    ASSERT_TRUE(HatchPatternTable::SavePatternFile(s, folder + u"/b.kvhp"));
    ASSERT_TRUE(HatchPatternTable::SavePatternFile(a, folder + u"/c.kvhp"));  // a name already taken
    QFile junk(dir.path() + "/d.kvhp");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a pattern");
    junk.close();
    QFile other(dir.path() + "/e.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    HatchPatternTable table;
    EXPECT_EQ(2, table.LoadPatternFiles(folder));
    ASSERT_EQ(2, table.GetHatchPatternCount());
    EXPECT_TRUE(table.GetHatchPatternByIndex(0)->IsEqual(a));
    EXPECT_TRUE(table.GetHatchPatternByIndex(1)->IsEqual(s));
    EXPECT_EQ(0, HatchPatternTable().LoadPatternFiles(folder + u"/missing"));
    EXPECT_EQ(0, HatchPatternTable().LoadPatternFiles(CString()));
    EXPECT_FALSE(HatchPatternTable::SavePatternFile(a, folder + u"/missing/x.kvhp"));
    EXPECT_FALSE(QDir(dir.path()).exists("c.kvhp.tmp"));
}

}  // namespace
