// The registry calls as the program uses them: sizes, errors, keys and their order, handles.

#include "tests/platform/win/registry/RegistryFixture.h"

namespace {

const char16_t* const kOptions = u"Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Options";

TEST_F(RegistryTest, SizeQueryThenReadAndTooSmallBuffersStayUntouched)
{
  const std::u16string text = u"hello";
  ASSERT_EQ(Set(HKEY_CURRENT_USER, kOptions, u"Name", REG_SZ, text.c_str(), DWORD((text.size() + 1) * 2)),
            ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kOptions, 0, KEY_READ, &key), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueEx(key, u"Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 12u);

  BYTE small[16];
  std::memset(small, 0xcd, sizeof small);
  size = 4;
  type = 0;
  EXPECT_EQ(RegQueryValueEx(key, u"Name", nullptr, &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(type, DWORD(REG_SZ));
  for (BYTE b : small) EXPECT_EQ(b, 0xcd);

  char16_t exact[6];
  size = sizeof exact;
  EXPECT_EQ(RegQueryValueEx(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(std::u16string(exact), text);

  // A buffer without its size is refused, a missing value reported.
  EXPECT_EQ(RegQueryValueEx(key, u"Name", nullptr, nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueEx(key, u"Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, LongerBinaryIsNeverCopiedPastAnEightByteBuffer)
{
  BYTE sixteen[16];
  for (int i = 0; i < 16; ++i) sixteen[i] = BYTE(i + 1);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, kOptions, u"LastUpdateCheckTime", REG_BINARY, sixteen, 16), ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kOptions, 0, KEY_READ, &key), ERROR_SUCCESS);
  struct {
    BYTE value[8];
    BYTE guard[8];
  } buffer;
  std::memset(&buffer, 0xee, sizeof buffer);
  DWORD size = 8;
  EXPECT_EQ(RegQueryValueEx(key, u"LastUpdateCheckTime", nullptr, nullptr, buffer.value, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 16u);
  for (BYTE b : buffer.value) EXPECT_EQ(b, 0xee);
  for (BYTE b : buffer.guard) EXPECT_EQ(b, 0xee);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsWholeSubtree)
{
  ASSERT_EQ(SetDword(u"Software\\T\\A", u"a", 1), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(u"Software\\T\\A\\B\\C", u"c", 3), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(u"Software\\T\\D", u"d", 4), ERROR_SUCCESS);
  HKEY inside = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\T\\A\\B", 0, KEY_ALL_ACCESS, &inside), ERROR_SUCCESS);

  HKEY t = Create(HKEY_CURRENT_USER, u"Software\\T");
  EXPECT_EQ(RegDeleteKey(t, u"a"), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\T\\A"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\T\\A\\B\\C"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Software\\T\\D"));
  EXPECT_EQ(RegDeleteKey(t, u"A"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(t, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, u""), ERROR_ACCESS_DENIED);

  // A handle to a deleted key stays valid as a handle but finds nothing.
  DWORD value = 7;
  EXPECT_EQ(RegSetValueEx(inside, u"x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(inside), ERROR_SUCCESS);

  // Emptying a key keeps the key itself.
  ASSERT_EQ(SetDword(u"Software\\T\\D\\E", u"e", 5), ERROR_SUCCESS);
  HKEY d = Create(HKEY_CURRENT_USER, u"Software\\T\\D");
  EXPECT_EQ(RegDeleteTree(d, nullptr), ERROR_SUCCESS);
  DWORD subKeys = 9, values = 9;
  EXPECT_EQ(RegQueryInfoKey(d, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 0u);
  EXPECT_EQ(values, 0u);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Software\\T\\D"));
  EXPECT_EQ(RegDeleteTree(t, u"D"), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\T\\D"));
  RegCloseKey(d);
  RegCloseKey(t);
}

std::vector<std::u16string> EnumKeys(HKEY key)
{
  std::vector<std::u16string> names;
  for (DWORD i = 0;; ++i) {
    char16_t name[256];
    DWORD count = 256;
    const LONG rc = RegEnumKeyEx(key, i, name, &count, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) {
      EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
      break;
    }
    names.emplace_back(name, count);
  }
  return names;
}

std::vector<std::u16string> EnumValueNames(HKEY key)
{
  std::vector<std::u16string> names;
  for (DWORD i = 0;; ++i) {
    char16_t name[256];
    DWORD count = 256;
    const LONG rc = RegEnumValue(key, i, name, &count, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) {
      EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
      break;
    }
    names.emplace_back(name, count);
  }
  return names;
}

TEST_F(RegistryTest, SubkeysEnumerateSortedAndValuesInCreationOrder)
{
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma", u"Delta"}) {
    HKEY parent = Create(HKEY_CURRENT_USER, u"Software\\Order");
    HKEY child = Create(parent, name);
    RegCloseKey(child);
    RegCloseKey(parent);
  }
  for (const char16_t* name : {u"zeta", u"alpha", u"Mu"}) ASSERT_EQ(SetDword(u"Software\\Order", name, 1), ERROR_SUCCESS);
  const std::u16string longest = u"a value with a long name";
  ASSERT_EQ(Set(HKEY_CURRENT_USER, u"Software\\Order", longest.c_str(), REG_BINARY, "0123456789", 10), ERROR_SUCCESS);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Order", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(EnumKeys(key), (std::vector<std::u16string>{u"Alpha", u"beta", u"Delta", u"gamma"}));
  EXPECT_EQ(EnumValueNames(key), (std::vector<std::u16string>{u"zeta", u"alpha", u"Mu", longest}));

  // The order is the same for a store read afresh from the file.
  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  std::u16string name;
  ASSERT_EQ(fresh.EnumValue(u"Software\\Order", 2, &name, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(name, u"Mu");
  ASSERT_EQ(fresh.EnumKey(u"Software\\Order", 0, &name), ERROR_SUCCESS);
  EXPECT_EQ(name, u"Alpha");

  // A name buffer one character short, and a data buffer too small.
  char16_t shortName[5];
  DWORD count = 5;
  EXPECT_EQ(RegEnumKeyEx(key, 0, shortName, &count, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  count = 5;
  DWORD type = 0;
  BYTE data[4];
  DWORD size = sizeof data;
  char16_t valueName[64];
  count = 64;
  EXPECT_EQ(RegEnumValue(key, 3, valueName, &count, nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 10u);

  DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValue = 0;
  EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values, &maxValueName,
                            &maxValue, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 4u);
  EXPECT_EQ(maxSubKey, 5u);
  EXPECT_EQ(values, 4u);
  EXPECT_EQ(maxValueName, DWORD(longest.size()));
  EXPECT_EQ(maxValue, 10u);
  RegCloseKey(key);
}

TEST_F(RegistryTest, KeysAndValueNamesMatchWithoutCaseAndKeepTheirFirstSpelling)
{
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Options\\", 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\korvan\\RIVEDI VEZ DADAZIZO\\4.0\\options", 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  DWORD value = 4;
  ASSERT_EQ(RegSetValueEx(key, u"Major", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_SUCCESS);
  value = 5;
  ASSERT_EQ(RegSetValueEx(key, u"MAJOR", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_SUCCESS);
  EXPECT_EQ(EnumValueNames(key), std::vector<std::u16string>{u"Major"});
  RegCloseKey(key);

  EXPECT_EQ(Get(HKEY_CURRENT_USER, u"\\software\\KORVAN\\\\rivedi vez dadazizo\\4.0\\OPTIONS", u"major"),
            Bytes(&value, 4));
  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"software\\korvan", 0, KEY_READ, &software), ERROR_SUCCESS);
  EXPECT_EQ(EnumKeys(software), std::vector<std::u16string>{u"Rivedi VEZ Dadazizo"});
  RegCloseKey(software);
}

TEST_F(RegistryTest, MissingKeysAndValuesAndDeletedValues)
{
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Nowhere", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);

  ASSERT_EQ(SetDword(kOptions, u"Keep", 1), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(kOptions, u"Drop", 2), ERROR_SUCCESS);
  key = Create(HKEY_CURRENT_USER, kOptions);
  EXPECT_EQ(RegDeleteValue(key, u"drop"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(key, u"Drop"), ERROR_FILE_NOT_FOUND);
  LONG rc = 0;
  Get(HKEY_CURRENT_USER, kOptions, u"Drop", nullptr, &rc);
  EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
  DWORD one = 1;
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kOptions, u"Keep"), Bytes(&one, 4));

  // The unnamed value: a null name and an empty name are the same value.
  const DWORD unnamed = 99;
  EXPECT_EQ(RegSetValueEx(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&unnamed), 4), ERROR_SUCCESS);
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kOptions, u""), Bytes(&unnamed, 4));
  EXPECT_EQ(RegDeleteValue(key, u""), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, BadHandlesAndMissingRightsAreRefusedWithoutACrash)
{
  HKEY key = Create(HKEY_CURRENT_USER, kOptions);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  DWORD size = 0;
  const DWORD v = 1;
  for (HKEY bad : {key, static_cast<HKEY>(nullptr), reinterpret_cast<HKEY>(0x1000), HKEY_CLASSES_ROOT}) {
    EXPECT_EQ(RegCloseKey(bad), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueEx(bad, u"x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueEx(bad, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_INVALID_HANDLE);
    HKEY sub = nullptr;
    EXPECT_EQ(RegOpenKeyEx(bad, u"x", 0, KEY_READ, &sub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegFlushKey(bad), ERROR_INVALID_HANDLE);
  }
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kOptions, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueEx(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValue(key, u"x"), ERROR_ACCESS_DENIED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyEx(key, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kOptions, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueEx(key, u"x", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueEx(key, u"x", 0, REG_DWORD, nullptr, 4), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);

  // Key names that could not be written to the file are refused.
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\a\nb", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub,
                           nullptr),
            ERROR_INVALID_PARAMETER);
  const char16_t lone[] = {u'x', char16_t(0xd800), 0};
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, lone, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(sub, nullptr);
}

}  // namespace
