// Values of the application's settings sections through the registry manager.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "command/RegistryManager.h"
#include "platform/win/Registry.h"

namespace {

const TCHAR kSection[] = _T("RegistryManagerTest\\Values");

class RegistryManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { registry.WriteProfileString(_T("RegistryManagerTest"), nullptr, nullptr); }
    RegistryManager registry{HKEY_CURRENT_USER};
};

}  // namespace

TEST_F(RegistryManagerTest, MissingValuesGiveTheDefault)
{
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("n"), 42), 42u);
    double value = 1.25;
    EXPECT_FALSE(registry.GetProfileBinary(kSection, _T("d"), &value));
    EXPECT_EQ(value, 1.25);
    EXPECT_EQ(registry.GetProfileString(kSection, _T("s"), _T("none")), CString(_T("none")));
}

// Looking values up in a section that is not there leaves the settings as they were: no section is made.
TEST_F(RegistryManagerTest, ReadingAMissingSectionCreatesNothing)
{
    registry.GetProfileInt(kSection, _T("n"), 0);
    registry.GetProfileString(kSection, _T("s"));
    double value = 0;
    registry.GetProfileBinary(kSection, _T("d"), &value);
    HKEY hApp = registry.GetAppRegistryKey();
    ASSERT_NE(hApp, nullptr);
    HKEY hSection = nullptr;
    EXPECT_NE(RegOpenKeyEx(hApp, _T("RegistryManagerTest"), 0, KEY_READ, &hSection), ERROR_SUCCESS);
    if (hSection != nullptr)
        RegCloseKey(hSection);
    RegCloseKey(hApp);

    // A section that exists is read as before.
    ASSERT_TRUE(registry.WriteProfileInt(kSection, _T("n"), 3));
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("n"), 0), 3u);
}

TEST_F(RegistryManagerTest, ValuesRoundTrip)
{
    EXPECT_TRUE(registry.WriteProfileInt(kSection, _T("n"), -7));
    EXPECT_EQ(static_cast<int>(registry.GetProfileInt(kSection, _T("n"), 0)), -7);
    EXPECT_TRUE(registry.WriteProfileString(kSection, _T("s"), _T("text")));
    EXPECT_EQ(registry.GetProfileString(kSection, _T("s")), CString(_T("text")));
    for (double d : {0.1, -0.0, std::numeric_limits<double>::denorm_min(), 1e308}) {
        ASSERT_TRUE(registry.WriteProfileDouble(kSection, _T("d"), &d));
        double back = 0;
        ASSERT_TRUE(registry.GetProfileBinary(kSection, _T("d"), &back));
        EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0);
    }
}

TEST_F(RegistryManagerTest, DeletingValuesAndSections)
{
    registry.WriteProfileInt(kSection, _T("a"), 1);
    registry.WriteProfileInt(kSection, _T("b"), 2);
    EXPECT_TRUE(registry.WriteProfileString(kSection, _T("a"), nullptr));
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("a"), 9), 9u);
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("b"), 9), 2u);
    EXPECT_TRUE(registry.WriteProfileString(kSection, nullptr, nullptr));
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("b"), 9), 9u);
}

TEST_F(RegistryManagerTest, BinaryOfAnotherSizeIsRefused)
{
    HKEY hKey = registry.GetSectionKey(kSection);
    ASSERT_NE(hKey, nullptr);
    const BYTE longer[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_EQ(RegSetValueEx(hKey, _T("long"), 0, REG_BINARY, longer, sizeof longer), ERROR_SUCCESS);
    RegCloseKey(hKey);
    double value = 3.5;
    EXPECT_FALSE(registry.GetProfileBinary(kSection, _T("long"), &value));
    EXPECT_EQ(value, 3.5);
    // An integer read of a value that is not a DWORD gives the default.
    EXPECT_EQ(registry.GetProfileInt(kSection, _T("long"), 5), 5u);
}
