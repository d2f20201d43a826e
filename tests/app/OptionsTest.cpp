// The options record's setters and text form, and the drawing environment's tables.

#include <gtest/gtest.h>

#include "app/DrawEnvironment.h"
#include "app/SystemEnvironment.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/InputConstValue.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"

TEST(SystemEnvironmentTest, SettersRefuseValuesOutOfRangeAndKeepTheOption)
{
    SystemEnvironment s;
    EXPECT_FALSE(s.SetSnapDivisionCount(101));
    EXPECT_EQ(s.m_SnapDivisionCount, 4);
    EXPECT_TRUE(s.SetSnapDivisionCount(100));
    EXPECT_FALSE(s.SetAutoRecoverTime(0));
    EXPECT_FALSE(s.SetAutoRecoverTime(121));
    EXPECT_EQ(s.m_AutoRecoverTime, 10);
    EXPECT_FALSE(s.SetSelectionShapeMode(4));
    EXPECT_TRUE(s.SetSelectionShapeMode(8));
    EXPECT_FALSE(s.SetGreekTextSize(31));
    EXPECT_FALSE(s.SetNudgeSteps(0.5));  // mode 0 takes 1 to 32767
    EXPECT_TRUE(s.SetNudgeMode(2));
    EXPECT_TRUE(s.SetNudgeSteps(0.5));
    EXPECT_FALSE(s.SetApplicationUpdatePeriod(4));

    // The graphics mode answers with the mode before the call.
    EXPECT_EQ(s.SetGraphicsMode(2), 0);
    EXPECT_EQ(s.m_GraphicsMode, 0);
    EXPECT_EQ(s.SetGraphicsMode(1), 0);
    EXPECT_EQ(s.SetGraphicsMode(0), 1);
    EXPECT_EQ(s.GetRenderingMode(), 2);
}

TEST(SystemEnvironmentTest, CopiesAreIndependent)
{
    SystemEnvironment a;
    SystemEnvironment b(a);
    InputConstValue constants;
    constants.Add(u'w', 2.0);
    b.SetInputConstValue(constants);
    b.SetPaperColor(RGB(9, 9, 9));
    EXPECT_EQ(a.GetInputConstValue()->GetSize(), 4);
    EXPECT_NE(a.m_PaperColor, b.m_PaperColor);
    a = b;
    EXPECT_TRUE(*a.GetInputConstValue() == constants);
    EXPECT_NE(a.GetInputConstValue(), b.GetInputConstValue());
}

TEST(SystemEnvironmentTest, InputConstantTextReadsBackAndSkipsBadPieces)
{
    struct Case {
        const char16_t* text;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"c=10.0,i=25.4,k=1000.0,m=1000.0", u"c=10,i=25.4,k=1000,m=1000"},
        {u"", u""},
        {u",,,", u""},
        {u"a=1,X=2,b=3", u"a=1,b=3"},
        {u"ab=5,c=6", u"c=6"},
        {u"q=,w=abc,y=7", u"y=7"},
        {u"=3,z=0.5", u"z=0.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.text).ToQString().toStdString());
        InputConstValue list;
        SystemEnvironment::ParseInputConstValue(CString(c.text), list);
        InputConstValue again;
        SystemEnvironment::ParseInputConstValue(SystemEnvironment::FormatInputConstValue(list), again);
        EXPECT_TRUE(list == again);
        InputConstValue expected;
        SystemEnvironment::ParseInputConstValue(CString(c.expected), expected);
        EXPECT_TRUE(list == expected);
    }
}

TEST(DrawEnvironmentTest, InitializeTwiceLeavesOneSetOfStandardTables)
{
    DrawEnvironment environment;
    EXPECT_EQ(environment.GetColorFeatureTable(), nullptr);
    environment.Initialize();
    const int colors = environment.GetColorFeatureTable()->GetColorSize();
    const int lineTypes = environment.GetLineTypeFeatureTable()->GetLineTypeSize();
    const int lineWidths = environment.GetLineWidthFeatureTable()->GetLineWidthSize();
    EXPECT_GT(colors, 0);
    EXPECT_GT(lineTypes, 0);
    EXPECT_GT(lineWidths, 0);
    environment.Initialize();
    EXPECT_EQ(environment.GetColorFeatureTable()->GetColorSize(), colors);
    EXPECT_EQ(environment.GetLineTypeFeatureTable()->GetLineTypeSize(), lineTypes);
    EXPECT_EQ(environment.GetLineWidthFeatureTable()->GetLineWidthSize(), lineWidths);
}
