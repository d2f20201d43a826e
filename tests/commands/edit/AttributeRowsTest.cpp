// The attribute dialog's rows: merging the lists of several objects and applying the edits back.

#include <algorithm>

#include <gtest/gtest.h>

#include "commands/shape/AttributeRows.h"

using QZ2Command::AttributeRows;

namespace {

FeatureAttribute List(std::initializer_list<std::pair<const char16_t*, const char16_t*>> items)
{
    FeatureAttribute list;
    for (const auto& [name, value] : items)
        list.AddAttribute(CString(name), CString(value), 0);
    return list;
}

CString ValueOf(const FeatureAttribute& list, const char16_t* name)
{
    const int index = list.FindAttribute(CString(name));
    return index >= 0 ? list.GetAttributeValue(index) : CString(_T("<none>"));
}

TEST(AttributeRowsTest, MergeShowsTheSharedValueOnly)
{
    struct Case {
        const char* what;
        AttributeRows::Lists lists;
        CString value;
        int shared;
    };
    const Case cases[] = {
        {"values differ", {{1, List({{u"A", u"1"}})}, {2, List({{u"A", u"2"}})}}, _T(""), 1},
        {"values equal", {{1, List({{u"A", u"1"}})}, {2, List({{u"A", u"1"}})}}, _T("1"), 1},
        {"second lacks it", {{1, List({{u"A", u"1"}})}, {2, List({{u"B", u"1"}})}}, _T(""), 0},
        {"first lacks it", {{1, List({{u"B", u"1"}})}, {2, List({{u"A", u"1"}})}}, _T(""), 0},
        // An empty first value is a value: "" and "x" differ.
        {"empty then x", {{1, List({{u"A", u""}})}, {2, List({{u"A", u"x"}})}}, _T(""), 1},
        {"one object", {{1, List({{u"A", u"7"}})}}, _T("7"), 0},
    };
    for (const Case& c : cases) {
        AttributeRows rows;
        rows.Build(c.lists);
        const auto& all = rows.GetRows();
        auto it = std::find_if(all.begin(), all.end(), [](const AttributeRows::Row& r) { return r.name == _T("A"); });
        ASSERT_NE(it, all.end()) << c.what;
        EXPECT_EQ(it->value, c.value) << c.what;
        EXPECT_EQ(it->shared, c.shared) << c.what;
    }
}

TEST(AttributeRowsTest, EditsApplyToEveryList)
{
    const AttributeRows::Lists lists = {{1, List({{u"A", u"1"}, {u"B", u"x"}})}, {2, List({{u"A", u"2"}})}};
    AttributeRows::Lists out;
    CString duplicate;

    // A rename keeps the values that differed.
    AttributeRows rename;
    rename.Build(lists);
    rename.SetName(0, _T("C"));
    ASSERT_TRUE(rename.Apply(lists, out, duplicate, FALSE));
    EXPECT_EQ(ValueOf(out[1], u"C"), CString(_T("1")));
    EXPECT_EQ(ValueOf(out[2], u"C"), CString(_T("2")));
    EXPECT_EQ(ValueOf(out[1], u"A"), CString(_T("<none>")));

    // A value typed for the row reaches both; a renamed row only where the name exists.
    AttributeRows value;
    value.Build(lists);
    value.SetValue(0, _T("9"));
    value.SetName(1, _T("D"));
    ASSERT_TRUE(value.Apply(lists, out, duplicate, FALSE));
    EXPECT_EQ(ValueOf(out[1], u"A"), CString(_T("9")));
    EXPECT_EQ(ValueOf(out[2], u"A"), CString(_T("9")));
    EXPECT_EQ(ValueOf(out[1], u"D"), CString(_T("x")));
    EXPECT_EQ(out[2].GetAttributeCount(), 1);

    // Deleting removes it everywhere; a new name that one list has sets that list's value only there.
    AttributeRows add;
    add.Build(lists);
    add.DeleteRow(0);
    const int fresh = add.AddRow(_T("Attribute"));
    EXPECT_EQ(add.GetRows()[fresh].name, CString(_T("Attribute 1")));
    EXPECT_EQ(add.GetRows()[add.AddRow(_T("Attribute"))].name, CString(_T("Attribute 2")));
    add.SetName(fresh, _T("B"));
    add.SetValue(fresh, _T("new"));
    ASSERT_TRUE(add.Apply(lists, out, duplicate, FALSE));
    EXPECT_EQ(ValueOf(out[1], u"A"), CString(_T("<none>")));
    EXPECT_EQ(ValueOf(out[2], u"A"), CString(_T("<none>")));
    EXPECT_EQ(ValueOf(out[1], u"B"), CString(_T("new")));
    EXPECT_EQ(ValueOf(out[2], u"B"), CString(_T("new")));
    EXPECT_EQ(ValueOf(out[1], u"Attribute 2"), CString(_T("")));

    // Two names equal but for case are refused, naming the one found second.
    AttributeRows clash;
    clash.Build(lists);
    clash.SetName(0, _T("b"));
    EXPECT_EQ(clash.FindOtherName(0, _T("b")), 1);
    EXPECT_FALSE(clash.Apply(lists, out, duplicate, FALSE));
    EXPECT_EQ(duplicate.CompareNoCase(_T("b")), 0);
}

TEST(AttributeRowsTest, TextHasATabAfterTheNumberColumn)
{
    const AttributeRows::Lists lists = {{1, List({{u"B", u"2"}, {u"A", u"1"}})}, {2, FeatureAttribute()},
                                        {3, List({{u"A", u"x"}})}};
    EXPECT_EQ(AttributeRows::MakeText(lists, {_T("B"), _T("A")}, TRUE, {{1, 7}, {3, 9}}),
              CString(_T("No\tA\tB\r\n7\t1\t2\r\n9\tx\t\r\n")));
    EXPECT_EQ(AttributeRows::MakeText(lists, {_T("A")}, FALSE, {}), CString(_T("A\r\n1\r\nx\r\n")));
}

}  // namespace
