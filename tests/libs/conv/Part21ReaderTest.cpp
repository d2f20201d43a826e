// The exchange-structure reader on its own: values of every kind, string escapes, and each kind of bad
// input with its code and the line the detail names.

#include <gtest/gtest.h>

#include <string>

#include "libs/conv/Part21Reader.h"

namespace {

std::string Wrap(const std::string& data, const std::string& header = "FILE_DESCRIPTION(('x'),'2;1');\n")
{
    return "ISO-10303-21;\nHEADER;\n" + header + "ENDSEC;\nDATA;\n" + data + "ENDSEC;\nEND-ISO-10303-21;\n";
}

struct Parsed {
    int result = 0;
    std::string detail;
    Part21Reader* reader = nullptr;
};

}  // namespace

TEST(Part21ReaderTest, ReadsInstancesOfEveryValueKind)
{
    const std::string text = Wrap(
        "#1 = POINT('p', (1., -2.5E1), 3, .T., $, *, \"0F\", #2, LENGTH(4.));\n"
        "/* a comment\n over two lines */\n"
        "#2 = ( A(1) B('b') );\n");
    Part21Reader reader(text.data(), text.size());
    ASSERT_EQ(reader.Parse(), 0) << reader.GetDetail().ToUtf8();
    ASSERT_EQ(reader.GetHeader().size(), 1u);
    EXPECT_EQ(reader.GetHeader()[0].name, "FILE_DESCRIPTION");
    ASSERT_EQ(reader.GetInstances().size(), 2u);
    const Part21Reader::Instance* p = reader.Find(1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->name, "POINT");
    EXPECT_EQ(p->line, 6);
    ASSERT_EQ(p->params.size(), 9u);
    EXPECT_EQ(p->params[0].text, CString(_T("p")));
    ASSERT_EQ(p->params[1].items.size(), 2u);
    EXPECT_DOUBLE_EQ(p->params[1].items[1].real, -25.0);
    EXPECT_EQ(p->params[2].kind, Part21Reader::Value::kindInteger);
    EXPECT_EQ(p->params[2].integer, 3);
    EXPECT_EQ(p->params[3].name, "T");
    EXPECT_EQ(p->params[4].kind, Part21Reader::Value::kindOmitted);
    EXPECT_EQ(p->params[5].kind, Part21Reader::Value::kindDerived);
    EXPECT_EQ(p->params[6].kind, Part21Reader::Value::kindBinary);
    EXPECT_EQ(p->params[7].kind, Part21Reader::Value::kindReference);
    EXPECT_EQ(p->params[8].name, "LENGTH");
    const Part21Reader::Instance* complex = reader.Find(2);
    ASSERT_NE(complex, nullptr);
    EXPECT_TRUE(complex->name.empty());
    ASSERT_EQ(complex->params.size(), 2u);
    EXPECT_EQ(complex->params[1].name, "B");
    ASSERT_EQ(reader.GetComments().size(), 1u);
    EXPECT_EQ(reader.GetComments()[0].line, 7);
}

TEST(Part21ReaderTest, DecodesStringEscapesAndRawShiftJis)
{
    struct Case {
        const char* written;
        std::u16string expected;
    };
    const Case cases[] = {
        {"'it''s'", u"it's"},
        {"'a\\\\b'", u"a\\b"},
        {"'\\S\\D'", u"\u00C4"},                      // 'D' + 128 in ISO 8859-1
        {"'\\X\\E9t\\X\\E9'", u"\u00E9t\u00E9"},
        {"'\\X2\\65E5672C\\X0\\go'", u"\u65E5\u672Cgo"},
        {"'\\X4\\0001F600\\X0\\'", u"\U0001F600"},
        // Raw Shift-JIS, whose second byte may be a backslash (0x95 0x5C is one character).
        {"'\x93\xfa\x96\x7b\x95\x5c'", u"\u65E5\u672C\u8868"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const std::string text = Wrap(std::string("#1 = T(") + c.written + ");\n");
        Part21Reader reader(text.data(), text.size());
        ASSERT_EQ(reader.Parse(), 0) << reader.GetDetail().ToUtf8();
        EXPECT_EQ(reader.Find(1)->params[0].text.str(), c.expected);
    }
}

TEST(Part21ReaderTest, BadInputGivesItsCodeAndLine)
{
    const std::string deep = std::string(70, '(') + std::string(70, ')');
    struct Case {
        std::string text;
        int code;
        const char* detail;
    };
    const Case cases[] = {
        {"garbage", Part21Reader::resultNotPart21, "line 1: not an ISO 10303-21 file"},
        {"", Part21Reader::resultNotPart21, "line 1: not an ISO 10303-21 file"},
        {Wrap("#56 = T(1, 2;\n"), Part21Reader::resultDamaged, "line 6: ')' expected in #56"},
        {Wrap("#1 = T(#7);\n"), Part21Reader::resultDamaged, "line 6: #7 referenced in #1 does not exist"},
        {Wrap("#1 = T(#2);\n#2 = T(#3);\n#3 = T(#1);\n"), Part21Reader::resultDamaged,
         "line 6: reference cycle through #1"},
        {Wrap("#1 = T('\\Q\\');\n"), Part21Reader::resultDamaged, "line 6: bad escape in a string"},
        {Wrap("#1 = T('\\X2\\65E\\X0\\');\n"), Part21Reader::resultDamaged, "line 6: bad escape \\X2\\"},
        {Wrap("#1 = T(1);\n#1 = T(2);\n"), Part21Reader::resultDamaged, "line 7: #1 defined twice"},
        {Wrap("#1 = T" + deep + ";\n"), Part21Reader::resultBeyondLimits, "line 6: lists nested too deep in #1"},
        {Wrap("#1 = T('" + std::string(Part21Reader::kMaxStringSize + 1, 'a') + "');\n"),
         Part21Reader::resultBeyondLimits, "line 6: string too long"},
        {Wrap("#1 = T(" + std::string(Part21Reader::kMaxTokenLength + 1, '1') + ");\n"),
         Part21Reader::resultBeyondLimits, "line 6: token too long"},
        {"ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\n#1 = T(1);\n", Part21Reader::resultDamaged,
         "line 6: ENDSEC; expected"},
        {"ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\nENDSEC;\n", Part21Reader::resultDamaged,
         "line 6: END-ISO-10303-21; expected"},
        {Wrap("/* open comment\n"), Part21Reader::resultDamaged, "line 6: comment not closed"},
        {Wrap("#1 = T('open);\n"), Part21Reader::resultDamaged, "line 6: string not closed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail);
        Part21Reader reader(c.text.data(), c.text.size());
        EXPECT_EQ(reader.Parse(), c.code);
        EXPECT_EQ(reader.GetDetail().ToUtf8(), c.detail);
    }
}

TEST(Part21ReaderTest, ALongReferenceChainIsNoCycle)
{
    // Walked without recursion: a chain of many instances neither overflows the stack nor counts as a cycle.
    std::string data;
    const int n = 50000;
    for (int i = 1; i < n; ++i)
        data += "#" + std::to_string(i) + "=T(#" + std::to_string(i + 1) + ");\n";
    data += "#" + std::to_string(n) + "=T($);\n";
    const std::string text = Wrap(data);
    Part21Reader reader(text.data(), text.size());
    EXPECT_EQ(reader.Parse(), 0) << reader.GetDetail().ToUtf8();
}

TEST(Part21ReaderTest, OneInstanceOfAFeatureComment)
{
    Part21Reader::Instance inst;
    CString detail;
    EXPECT_EQ(Part21Reader::ParseInstanceText("\n#10 = line_feature('1','2')\n", 40, inst, detail), 0);
    EXPECT_EQ(inst.name, "LINE_FEATURE");
    EXPECT_EQ(inst.id, 10);
    EXPECT_EQ(inst.line, 41);
    EXPECT_EQ(Part21Reader::ParseInstanceText("\n#10 = line_feature('1'\n", 40, inst, detail),
              Part21Reader::resultDamaged);
    EXPECT_EQ(detail.ToUtf8(), "line 42: ')' expected in #10");
}
