// Named style collections: names unique ignoring case, complete styles only, the current style,
// deep copies and checked archive storage.

#include <gtest/gtest.h>

#include "ArchiveBytes.h"
#include "ThrowsInvalidArg.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/afx/CStringArray.h"

using namespace settings_test;

namespace {

GeneralFeatureSetting Colour(short no)
{
    GeneralFeatureSetting s;
    EXPECT_TRUE(s.SetColorNo(no));
    return s;
}

TEST(SettingStylesTest, StylesAreKeptInOrderUnderNamesUniqueIgnoringCase)
{
    GeneralFeatureSettingStyles styles;
    const GeneralFeatureSetting red = Colour(2);
    const GeneralFeatureSetting blue = Colour(4);
    int index = -1;
    EXPECT_TRUE(styles.SetSettingStyle(CString(u"Outline"), &red, 1, &index));
    EXPECT_EQ(0, index);
    EXPECT_TRUE(styles.SetSettingStyle(CString(u"Centre"), &blue));
    // The same name in other letters replaces the style in place, under the new spelling.
    EXPECT_TRUE(styles.SetSettingStyle(CString(u"OUTLINE"), &blue, 1, &index));
    EXPECT_EQ(0, index);
    ASSERT_EQ(2, styles.GetSettingStyleCount());
    EXPECT_EQ(CString(u"OUTLINE"), styles.GetSettingStyleName(0));
    EXPECT_EQ(1, styles.GetSettingStyle(CString(u"outline"))->IsEqual(blue));
    EXPECT_EQ(nullptr, styles.GetSettingStyle(CString(u"Other")));
    EXPECT_TRUE(ThrowsInvalidArg([&] { styles.GetSettingStyleName(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { styles.GetSettingStyleAt(-1); }));

    CStringArray names;
    names.Add(CString(u"stale"));
    styles.GetSettingStyleNameArray(names, 1);
    ASSERT_EQ(2, names.GetSize());
    EXPECT_EQ(CString(u"Centre"), names[1]);
    styles.GetSettingStyleNameArray(names, 0);
    EXPECT_EQ(4, names.GetSize());
}

TEST(SettingStylesTest, RefusedStylesChangeNothing)
{
    GeneralFeatureSettingStyles styles;
    const GeneralFeatureSetting ok = Colour(3);
    GeneralFeatureSetting mixed;
    ASSERT_TRUE(mixed.SetLineTypeNo(SettingValue::kUndefinedNo));
    const TextSetting text;
    CString tooLong;
    for (int i = 0; i < 256; ++i)
        tooLong += u'n';
    EXPECT_FALSE(styles.SetSettingStyle(CString(), &ok));
    EXPECT_FALSE(styles.SetSettingStyle(tooLong, &ok));
    EXPECT_TRUE(styles.SetSettingStyle(tooLong.Left(255), &ok));
    EXPECT_FALSE(styles.SetSettingStyle(CString(u"A"), nullptr));
    EXPECT_FALSE(styles.SetSettingStyle(CString(u"A"), &mixed));  // undefined values
    EXPECT_FALSE(styles.SetSettingStyle(CString(u"A"), &text));   // another kind
    EXPECT_EQ(1, styles.GetSettingStyleCount());
}

// A hatch style without a pattern of the table (id -1) is complete.
TEST(SettingStylesTest, DefaultHatchStyleCanBeRegistered)
{
    HatchSettingStyles styles;
    const HatchSetting hatch;
    ASSERT_EQ(-1, hatch.GetPatternID());
    EXPECT_FALSE(hatch.HasUndefinedValue());
    EXPECT_TRUE(styles.SetSettingStyle(CString(u"Solid"), &hatch));
}

TEST(SettingStylesTest, CurrentStyleFollowsRemoval)
{
    GeneralFeatureSettingStyles styles;
    const GeneralFeatureSetting s = Colour(1);
    for (const char16_t* name : {u"A", u"B", u"C"})
        ASSERT_TRUE(styles.SetSettingStyle(CString(name), &s));
    EXPECT_TRUE(styles.GetCurrentSettingStyleName().IsEmpty());
    EXPECT_EQ(nullptr, styles.GetCurrentSettingStyle());
    EXPECT_FALSE(styles.SetCurrentSettingStyleName(CString(u"D")));
    EXPECT_TRUE(styles.SetCurrentSettingStyleName(CString(u"c")));
    EXPECT_EQ(CString(u"C"), styles.GetCurrentSettingStyleName());
    EXPECT_TRUE(styles.RemoveSettingStyle(CString(u"A")));  // the current one moves down a place
    EXPECT_EQ(CString(u"C"), styles.GetCurrentSettingStyleName());
    EXPECT_FALSE(styles.RemoveSettingStyle(CString(u"A")));
    EXPECT_TRUE(styles.RemoveSettingStyle(CString(u"C")));
    EXPECT_TRUE(styles.GetCurrentSettingStyleName().IsEmpty());
    EXPECT_TRUE(styles.SetCurrentSettingStyleName(CString(u"B")));
    EXPECT_TRUE(styles.SetCurrentSettingStyleName(CString()));
    EXPECT_TRUE(styles.GetCurrentSettingStyleName().IsEmpty());
}

TEST(SettingStylesTest, CopiesAreDeepAndOnlyBetweenOneKind)
{
    DimensionSettingStyles styles;
    DimensionSetting dim;
    ASSERT_TRUE(dim.SetArrowSize1(3.0));
    ASSERT_TRUE(styles.SetSettingStyle(CString(u"ISO"), &dim));
    ASSERT_TRUE(styles.SetCurrentSettingStyleName(CString(u"ISO")));

    DimensionSettingStyles copy(styles);
    EXPECT_TRUE(copy.IsEqual(styles));
    EXPECT_NE(copy.GetSettingStyle(CString(u"ISO")), styles.GetSettingStyle(CString(u"ISO")));
    ASSERT_TRUE(dim.SetArrowSize1(5.0));
    ASSERT_TRUE(copy.SetSettingStyle(CString(u"ISO"), &dim));
    EXPECT_EQ(3.0, static_cast<const DimensionSetting*>(styles.GetSettingStyle(CString(u"ISO")))->GetArrowSize1());
    EXPECT_FALSE(copy.IsEqual(styles));

    DimensionSettingStyles assigned;
    assigned = styles;
    EXPECT_TRUE(assigned.IsEqual(styles));
    EXPECT_EQ(CString(u"ISO"), assigned.GetCurrentSettingStyleName());

    HatchSettingStyles hatches;
    EXPECT_FALSE(hatches.Copy(styles));
    EXPECT_FALSE(hatches.IsEqual(styles));
    EXPECT_TRUE(assigned.Copy(copy));
    EXPECT_TRUE(assigned.IsEqual(copy));
}

TEST(SettingStylesTest, ArchiveRoundTripAndDamage)
{
    TextSettingStyles styles;
    TextSetting a;
    ASSERT_TRUE(a.SetFontName(CString(u"Gothic")));
    TextSetting b;
    ASSERT_TRUE(b.SetHeight(10.0));
    ASSERT_TRUE(styles.SetSettingStyle(CString(u"Title"), &a));
    ASSERT_TRUE(styles.SetSettingStyle(CString(u"Note"), &b));
    ASSERT_TRUE(styles.SetCurrentSettingStyleName(CString(u"Note")));
    const Bytes bytes = Store([&](CArchive& ar) { styles.Serialize(ar); });
    TextSettingStyles loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded.IsEqual(styles));
    EXPECT_EQ(CString(u"Note"), loaded.GetCurrentSettingStyleName());

    TextSettingStyles target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_EQ(0, target.GetSettingStyleCount()); });

    auto collection = [](std::initializer_list<const char16_t*> names, LONG current, bool undefinedHeight) {
        return Store([&](CArchive& ar) {
            ar << WORD(1);
            ar.WriteCount(names.size());
            for (const char16_t* name : names) {
                ar << CString(name);
                TextSetting t;
                if (undefinedHeight) {
                    EXPECT_TRUE(t.SetHeight(SettingValue::kUndefinedDouble));
                }
                t.Serialize(ar);
            }
            ar << current;
        });
    };
    EXPECT_EQ(-1, Load(collection({u"A", u"B"}, 1, false), [&](CArchive& ar) { target.Serialize(ar); }));
    target.RemoveAllSettingStyles();
    const Bytes damaged[] = {collection({u"A", u"a"}, -1, false),  // names twice
                             collection({u""}, -1, false),         // no name
                             collection({u"A"}, 1, false),         // current past the end
                             collection({u"A"}, -2, false),
                             collection({u"A"}, 0, true)};         // an incomplete style
    for (const Bytes& d : damaged)
        EXPECT_EQ(CArchiveException::genericException, Load(d, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_EQ(0, target.GetSettingStyleCount());
}

}  // namespace
