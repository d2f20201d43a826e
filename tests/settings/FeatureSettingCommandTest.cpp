// Which page each style entry opens, the dimension entry reopening the dimension page shown last.

#include <gtest/gtest.h>

#include "app/CQZ2App.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/FeatureSettingCommand.h"
#include "tests/support/app/SharedAppEnvironment.h"

namespace {

using QZ2Command::FeatureSettingCommand;

TEST(FeatureSettingCommandTest, EachEntryOpensItsPage)
{
    ASSERT_NE(TheApp(), nullptr);
    struct Case {
        const char16_t* identifier;
        int page;
    } cases[] = {{u"Korvan.Settings.BasicShapeSetting", 12}, {u"Korvan.Settings.PointMarkerSetting", 1},
                 {u"Korvan.Settings.TextSetting", 2},        {u"Korvan.Settings.LeadSetting", 3},
                 {u"Korvan.Settings.BalloonSetting", 4},     {u"Korvan.Settings.HatchSetting", 11},
                 {u"Korvan.Settings.Unknown", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FeatureSettingCommand::InitialPage(CString(c.identifier)), c.page)
            << QString::fromUtf16(c.identifier).toStdString();

    const CString dimension(u"Korvan.Settings.DimensionSetting");
    const int saved = TheApp()->m_nLastStylePage;
    for (auto [last, expected] : {std::pair{8, 8}, std::pair{10, 10}, std::pair{5, 5}, std::pair{2, 5},
                                  std::pair{11, 5}, std::pair{0, 5}}) {
        TheApp()->m_nLastStylePage = last;
        EXPECT_EQ(FeatureSettingCommand::InitialPage(dimension), expected) << "last page " << last;
    }
    TheApp()->m_nLastStylePage = saved;
}

}  // namespace
