// Typed values of one settings section: what is read back, and what is refused.

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <cstdlib>
#include <vector>

#include "app/RegistrySection.h"
#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"

namespace {

class RegistrySectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        setenv("XDG_CONFIG_HOME", m_home.path().toUtf8().constData(), 1);
    }
    void Put(const char16_t* name, DWORD type, const std::vector<BYTE>& bytes)
    {
        SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
        ASSERT_EQ(store->CreateKey(kKey, nullptr), ERROR_SUCCESS);
        ASSERT_EQ(store->SetValue(kKey, name, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    }
    const std::u16string kKey = u"Software\\Test\\Section";
    QTemporaryDir m_home;
};

}  // namespace

TEST_F(RegistrySectionTest, ValuesReadBackWithTheirTypes)
{
    {
        RegistrySection section(HKEY_CURRENT_USER);
        ASSERT_TRUE(section.Create(CString(u"SOFTWARE\\Test\\Section\\")));
        EXPECT_TRUE(section.Write(u"Int", -7));
        EXPECT_TRUE(section.Write(u"Text", u"abc"));
        EXPECT_TRUE(section.Write(u"Double", 0.1));
    }
    RegistrySection section(HKEY_CURRENT_USER);
    ASSERT_TRUE(section.Open(CString(u"SOFTWARE\\Test\\Section\\")));
    int n = 0;
    CString text;
    double d = 0.0;
    EXPECT_TRUE(section.Read(u"Int", n));
    EXPECT_EQ(n, -7);
    EXPECT_TRUE(section.Read(u"Text", text));
    EXPECT_EQ(text, CString(u"abc"));
    EXPECT_TRUE(section.Read(u"Double", d));
    EXPECT_EQ(d, 0.1);
    // A value of another type is not read as this one, and the out value is left alone.
    n = 5;
    EXPECT_FALSE(section.Read(u"Text", n));
    EXPECT_EQ(n, 5);
    EXPECT_FALSE(section.Read(u"Missing", text));
    EXPECT_FALSE(RegistrySection(HKEY_CURRENT_USER).Open(CString(u"SOFTWARE\\Test\\Nowhere")));
}

TEST_F(RegistrySectionTest, OddSizedUnterminatedTextsAndWrongSizedDoublesAreHandled)
{
    // "hi" and half a character, no terminator.
    Put(u"Odd", REG_SZ, {'h', 0, 'i', 0, 'x'});
    Put(u"Long", REG_BINARY, std::vector<BYTE>(12, 0x40));
    Put(u"Short", REG_BINARY, std::vector<BYTE>(4, 0x40));
    RegistrySection section(HKEY_CURRENT_USER);
    ASSERT_TRUE(section.Open(CString(u"Software\\Test\\Section")));
    CString text;
    EXPECT_TRUE(section.Read(u"Odd", text));
    EXPECT_EQ(text, CString(u"hi"));
    double d = 3.0;
    EXPECT_FALSE(section.Read(u"Long", d));
    EXPECT_FALSE(section.Read(u"Short", d));
    EXPECT_EQ(d, 3.0);
}
