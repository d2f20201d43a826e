// The application's settings calls reach the per-user store under
// Software\<registry key>\<profile name>\<section>, keep their types, and survive a reload.

#include <gtest/gtest.h>

#include "platform/win/CWinApp.h"
#include "platform/win/Registry.h"

#include <cstring>
#include <memory>

namespace {

class CProfileApp : public CWinApp {
public:
  CProfileApp() : CWinApp(u"Profile test") {}
};

class AppProfileTest : public ::testing::Test {
protected:
  void SetUp() override {
    app = std::make_unique<CProfileApp>();
    app->SetRegistryKey(u"Korvan");
    app->SetProfileName(u"Test Profile\\4.0");
  }
  std::unique_ptr<CProfileApp> app;
};

TEST_F(AppProfileTest, ValuesRoundTripWithTheirTypes) {
  EXPECT_TRUE(app->WriteProfileInt(u"Options", u"Count", -7));
  EXPECT_TRUE(app->WriteProfileString(u"Options", u"Name", u"円弧 arc"));
  BYTE bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_TRUE(app->WriteProfileBinary(u"Options", u"Blob", bytes, sizeof bytes));

  EXPECT_EQ(static_cast<int>(app->GetProfileInt(u"Options", u"Count", 0)), -7);
  EXPECT_EQ(app->GetProfileString(u"Options", u"Name"), CString(u"円弧 arc"));
  LPBYTE data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(app->GetProfileBinary(u"Options", u"Blob", &data, &size));
  ASSERT_EQ(size, sizeof bytes);
  EXPECT_EQ(std::memcmp(data, bytes, size), 0);
  delete[] data;

  // The values lie where the registry path says.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Korvan\\Test Profile\\4.0\\Options", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0, value = 0, bytesRead = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, u"Count", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &bytesRead),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  RegCloseKey(key);
}

TEST_F(AppProfileTest, MissingValuesAndWrongTypesGiveTheDefault) {
  EXPECT_EQ(app->GetProfileInt(u"Nowhere", u"Count", 42), 42u);
  EXPECT_EQ(app->GetProfileString(u"Nowhere", u"Name", u"fallback"), CString(u"fallback"));
  app->WriteProfileString(u"Options", u"Text", u"12");
  EXPECT_EQ(app->GetProfileInt(u"Options", u"Text", 5), 5u);
  LPBYTE data = reinterpret_cast<LPBYTE>(1);
  UINT size = 99;
  EXPECT_FALSE(app->GetProfileBinary(u"Options", u"Text", &data, &size));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(AppProfileTest, NullEntryDeletesTheSectionAndNullValueTheEntry) {
  app->WriteProfileString(u"Section", u"A", u"1");
  app->WriteProfileString(u"Section", u"B", u"2");
  EXPECT_TRUE(app->WriteProfileString(u"Section", u"A", nullptr));
  EXPECT_EQ(app->GetProfileString(u"Section", u"A", u"gone"), CString(u"gone"));
  EXPECT_EQ(app->GetProfileString(u"Section", u"B"), CString(u"2"));
  EXPECT_TRUE(app->WriteProfileString(u"Section", nullptr, nullptr));
  EXPECT_EQ(app->GetProfileString(u"Section", u"B", u"gone"), CString(u"gone"));
}

TEST(AppProfileWithoutKey, NoRegistryKeyMeansNoSettings) {
  CProfileApp app;
  EXPECT_EQ(app.GetAppRegistryKey(), nullptr);
  EXPECT_FALSE(app.WriteProfileInt(u"Options", u"Count", 1));
  EXPECT_EQ(app.GetProfileInt(u"Options", u"Count", 3), 3u);
}

}  // namespace
