// The store file: exact types through another process, its text, the read-only machine store,
// two writers at once and damaged files.

#include <QtCore/QDirIterator>

#include <cstring>
#include <random>

#include "tests/platform/win/registry/RegistryFixture.h"

namespace {

const char16_t* const kKey = u"Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Test";

struct TypedValue {
  const char16_t* name;
  DWORD type;
  std::vector<BYTE> data;
};

std::vector<TypedValue> EveryShapeOfValue()
{
  const DWORD dword = 0xfffffffe;
  const ULONGLONG qword = 0x0123456789abcdefULL;
  const double scale = -1.0 / 3.0;
  const std::u16string mixed = std::u16string(u"a \"quoted\" \\ path\nnext\ttab\r 設定 🙂 end") + u'\0';
  const std::u16string withZero = std::u16string(u"before") + u'\0' + u"after" + u'\0';
  const std::u16string lone = std::u16string(u"x") + char16_t(0xdc00) + u"\x01\x7f" + u'\0';
  const std::u16string multi = std::u16string(u"first") + u'\0' + u"第二" + u'\0' + u'\0';
  const std::u16string expand = std::u16string(u"%HOME%\\drawings") + u'\0';
  return {
      {u"Dword", REG_DWORD, Bytes(&dword, 4)},
      {u"Qword", REG_QWORD, Bytes(&qword, 8)},
      {u"Double", REG_BINARY, Bytes(&scale, 8)},
      {u"EmptyBinary", REG_BINARY, {}},
      {u"Mixed", REG_SZ, Utf16Bytes(mixed)},
      {u"EmptyString", REG_SZ, Utf16Bytes(std::u16string(1, u'\0'))},
      {u"EmbeddedZero", REG_SZ, Utf16Bytes(withZero)},
      {u"LoneSurrogate", REG_SZ, Utf16Bytes(lone)},
      {u"Expand", REG_EXPAND_SZ, Utf16Bytes(expand)},
      {u"Multi", REG_MULTI_SZ, Utf16Bytes(multi)},
      {u"EmptyMulti", REG_MULTI_SZ, Utf16Bytes(std::u16string(1, u'\0'))},
      // Shapes that the readable forms cannot hold come back byte for byte all the same.
      {u"UnterminatedString", REG_SZ, Utf16Bytes(u"abc")},
      {u"OddString", REG_SZ, {'a', 0, 'b'}},
      {u"ShortDword", REG_DWORD, {1, 2, 3}},
      {u"LongQword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {u"DoubleZeroMulti", REG_MULTI_SZ, {0, 0, 0, 0}},
      {u"None", REG_NONE, {0xde, 0xad}},
      {u"Custom", 0x12345, {0xff}},
      {u"名前 \"quoted\"", REG_DWORD, Bytes(&dword, 4)},
  };
}

TEST_F(RegistryTest, EveryValueTypeComesBackExactlyFromAnotherProcess)
{
  const std::vector<TypedValue> values = EveryShapeOfValue();
  // Read once here first, so this process holds the store in memory before the other one writes.
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));

  const pid_t child = Spawn([&] {
    for (const TypedValue& v : values)
      if (Set(HKEY_CURRENT_USER, kKey, v.name, v.type, v.data.data(), DWORD(v.data.size())) != ERROR_SUCCESS) return 1;
    return 0;
  });
  ASSERT_EQ(Wait(child), 0);

  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  for (const TypedValue& v : values) {
    SCOPED_TRACE(QString::fromStdU16String(v.name).toStdString());
    DWORD type = 0;
    LONG rc = 0;
    EXPECT_EQ(Get(HKEY_CURRENT_USER, kKey, v.name, &type, &rc), v.data);
    EXPECT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(type, v.type);
    std::vector<BYTE> data;
    ASSERT_EQ(fresh.GetValue(kKey, v.name, &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, v.type);
    EXPECT_EQ(data, v.data);
  }
}

TEST_F(RegistryTest, RandomTypesAndBytesComeBackExactly)
{
  // Bytes that fall just inside or outside the readable forms: zeros, surrogates, short lengths.
  std::mt19937 random(20261210);
  const BYTE pool[] = {0, 0, 0, 'a', '"', '\\', '\n', 0xd8, 0xdc, 0xff, 0x30, 0x7f};
  std::vector<TypedValue> values;
  std::vector<std::u16string> names;
  for (int i = 0; i < 300; ++i) names.push_back(u"v" + QString::number(i).toStdU16String());
  SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
  store->BeginBatch();
  for (int i = 0; i < 300; ++i) {
    const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_QWORD, 99};
    TypedValue v{names[i].c_str(), types[random() % 8], {}};
    const size_t size = random() % 12;
    for (size_t k = 0; k < size; ++k) v.data.push_back(pool[random() % sizeof pool]);
    ASSERT_EQ(Set(HKEY_CURRENT_USER, kKey, v.name, v.type, v.data.data(), DWORD(v.data.size())), ERROR_SUCCESS);
    values.push_back(v);
  }
  ASSERT_EQ(store->EndBatch(), ERROR_SUCCESS);

  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  for (const TypedValue& v : values) {
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(fresh.GetValue(kKey, v.name, &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, v.type) << QString::fromStdU16String(v.name).toStdString();
    EXPECT_EQ(data, v.data) << QString::fromStdU16String(v.name).toStdString();
  }
}

TEST_F(RegistryTest, MutatedFilesNeverCrashTheReader)
{
  const QByteArray good =
      "Korvan settings 1\n"
      "[HKEY_CURRENT_USER\\Software\\Korvan]\n"
      "\"Major\"=dword:4\n"
      "\"Big\"=qword:18446744073709551615\n"
      "\"Title\"=string:\"\xe5\x9b\xb3 \\\"a\\\" \\u00e9\\n\"\n"
      "@=multi:\"a\",\"b\"\n"
      "\"Scale\"=binary:00 00 00 00 00 00 f0 3f\n"
      "\"Odd\"=hex(4):01 02\n"
      "[HKEY_CURRENT_USER\\Software\\Korvan\\Sub]\n"
      "end\n";
  std::mt19937 random(7);
  const QString file = Dir() + QStringLiteral("/mutated/registry.conf");
  WriteFile(file, good);
  {
    SettingsStore store(file.toStdU16String(), u"HKEY_CURRENT_USER", true);
    ASSERT_EQ(store.KeyExists(u"Software\\Korvan\\Sub"), ERROR_SUCCESS);
    std::vector<BYTE> title;
    ASSERT_EQ(store.GetValue(u"Software\\Korvan", u"Title", nullptr, &title), ERROR_SUCCESS);
    EXPECT_EQ(title, Utf16Bytes(std::u16string(u"図 \"a\" é\n") + u'\0'));
  }
  int parsed = 0;
  testing::internal::CaptureStderr();
  for (int round = 0; round < 400; ++round) {
    QByteArray bytes = good;
    for (int edits = 1 + random() % 3; edits > 0; --edits) {
      const qsizetype at = random() % bytes.size();
      switch (random() % 3) {
      case 0: bytes[at] = char(random()); break;
      case 1: bytes.remove(at, 1 + random() % 4); break;
      default: bytes.insert(at, char(" \"\\[]=:,@0af\n\xff"[random() % 15])); break;
      }
    }
    WriteFile(file, bytes);
    SettingsStore store(file.toStdU16String(), u"HKEY_CURRENT_USER", true);
    SettingsStore::KeyInfo info;
    ASSERT_EQ(store.QueryInfo(u"", &info), ERROR_SUCCESS);
    std::u16string name;
    DWORD type = 0;
    std::vector<BYTE> data;
    for (DWORD i = 0; store.EnumValue(u"Software\\Korvan", i, &name, &type, &data) == ERROR_SUCCESS; ++i) {}
    if (store.KeyExists(u"Software\\Korvan") == ERROR_SUCCESS) ++parsed;
  }
  testing::internal::GetCapturedStderr();
  EXPECT_GT(parsed, 0);  // some edits (inside texts, in hex digits) leave a valid file
}

TEST_F(RegistryTest, TheFileIsReadableText)
{
  const DWORD major = 4;
  const double one = 1.0;
  const std::u16string title = std::u16string(u"図面 \"A\"\\1") + u'\0';
  const std::u16string list = std::u16string(u"a") + u'\0' + u"b" + u'\0' + u'\0';
  ASSERT_EQ(SetDword(kKey, u"Major", major), ERROR_SUCCESS);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, kKey, u"Scale", REG_BINARY, &one, 8), ERROR_SUCCESS);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, kKey, u"Title", REG_SZ, title.data(), DWORD(title.size() * 2)), ERROR_SUCCESS);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, kKey, nullptr, REG_MULTI_SZ, list.data(), DWORD(list.size() * 2)), ERROR_SUCCESS);
  HKEY empty = Create(HKEY_CURRENT_USER, u"Software\\Korvan\\Empty");
  RegCloseKey(empty);

  const QString expected = QStringLiteral(
      "Korvan settings 1\n"
      "; Settings of HKEY_CURRENT_USER, kept by the program. Edit only while it is not running.\n"
      "\n[HKEY_CURRENT_USER\\Software]\n"
      "\n[HKEY_CURRENT_USER\\Software\\Korvan]\n"
      "\n[HKEY_CURRENT_USER\\Software\\Korvan\\Empty]\n"
      "\n[HKEY_CURRENT_USER\\Software\\Korvan\\Rivedi VEZ Dadazizo]\n"
      "\n[HKEY_CURRENT_USER\\Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0]\n"
      "\n[HKEY_CURRENT_USER\\Software\\Korvan\\Rivedi VEZ Dadazizo\\4.0\\Test]\n"
      "\"Major\"=dword:4\n"
      "\"Scale\"=binary:00 00 00 00 00 00 f0 3f\n"
      "\"Title\"=string:\"図面 \\\"A\\\"\\\\1\"\n"
      "@=multi:\"a\",\"b\"\n"
      "\nend\n");
  EXPECT_EQ(QString::fromUtf8(ReadFile(UserFile())), expected);
}

TEST_F(RegistryTest, TheMachineStoreIsReadOnly)
{
  const QByteArray machine =
      "Korvan settings 1\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Korvan\\Rivedi VEZ ENG 4\\Language]\n"
      "\"LANG\"=string:\"JPN\"\n"
      "end\n";
  WriteFile(MachineFile(), machine);
  const std::u16string jpn = std::u16string(u"JPN") + u'\0';
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, u"Software\\Korvan\\Rivedi VEZ ENG 4\\Language", u"LANG"), Utf16Bytes(jpn));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\Korvan\\Rivedi VEZ ENG 4\\Language"));

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Software\\Korvan\\Rivedi VEZ ENG 4\\Language", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  const DWORD v = 1;
  EXPECT_EQ(RegSetValueEx(key, u"LANG", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValue(key, u"LANG"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteTree(key, nullptr), ERROR_ACCESS_DENIED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyEx(key, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, u"Software\\Korvan"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadFile(MachineFile()), machine);
  EXPECT_FALSE(QFile::exists(MachineFile() + QStringLiteral(".lock")));

  // A damaged machine store is reported and read as empty, and left where it is.
  WriteFile(MachineFile(), "Korvan settings 1\n[HKEY_LOCAL_MACHINE\\Software]\nnonsense\nend\n");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, u"Software"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, u"Software"));
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("damaged"), std::string::npos) << message;
  EXPECT_EQ(message.find("damaged"), message.rfind("damaged")) << "reported once: " << message;
  EXPECT_TRUE(QFile::exists(MachineFile()));
}

TEST_F(RegistryTest, TwoWritersAtOnceLoseNothing)
{
  constexpr int kWrites = 40;
  ASSERT_EQ(SetDword(u"Software\\Race", u"before", 1), ERROR_SUCCESS);
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  auto writer = [&](int who) {
    return Spawn([&, who] {
      close(gate[1]);
      char c;
      (void)!read(gate[0], &c, 1);  // both start when the gate closes
      for (int i = 0; i < kWrites; ++i) {
        const std::u16string name = (who ? u"b" : u"a") + QString::number(i).toStdU16String();
        if (SetDword(u"Software\\Race", name.c_str(), DWORD(who * 1000 + i)) != ERROR_SUCCESS) return 1;
        const std::u16string own = who ? u"Software\\Race\\B" : u"Software\\Race\\A";
        if (SetDword(own.c_str(), name.c_str(), DWORD(i)) != ERROR_SUCCESS) return 2;
      }
      return 0;
    });
  };
  const pid_t a = writer(0);
  const pid_t b = writer(1);
  close(gate[0]);
  close(gate[1]);
  EXPECT_EQ(Wait(a), 0);
  EXPECT_EQ(Wait(b), 0);

  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  SettingsStore::KeyInfo info;
  ASSERT_EQ(fresh.QueryInfo(u"Software\\Race", &info), ERROR_SUCCESS);
  EXPECT_EQ(info.values, DWORD(2 * kWrites + 1));
  EXPECT_EQ(info.subKeys, 2u);
  for (int who = 0; who < 2; ++who) {
    for (int i = 0; i < kWrites; ++i) {
      const std::u16string name = (who ? u"b" : u"a") + QString::number(i).toStdU16String();
      const DWORD shared = DWORD(who * 1000 + i);
      const DWORD own = DWORD(i);
      EXPECT_EQ(Get(HKEY_CURRENT_USER, u"Software\\Race", name.c_str()), Bytes(&shared, 4));
      EXPECT_EQ(Get(HKEY_CURRENT_USER, who ? u"Software\\Race\\B" : u"Software\\Race\\A", name.c_str()),
                Bytes(&own, 4));
    }
  }
}

TEST_F(RegistryTest, ABatchWritesOnceAtItsEndAndAnotherWriterWaitsForIt)
{
  ASSERT_EQ(SetDword(kKey, u"Before", 1), ERROR_SUCCESS);
  const QByteArray before = ReadFile(UserFile());
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  const pid_t other = Spawn([&] {
    close(gate[1]);
    char c;
    (void)!read(gate[0], &c, 1);
    return SetDword(kKey, u"Other", 2) == ERROR_SUCCESS ? 0 : 1;
  });
  close(gate[0]);
  SettingsStore* store = SettingsStore::Get(SettingsStore::CurrentUser);
  store->BeginBatch();
  store->BeginBatch();
  for (int i = 0; i < 30; ++i)
    ASSERT_EQ(SetDword(kKey, (u"b" + QString::number(i).toStdU16String()).c_str(), DWORD(i)), ERROR_SUCCESS);
  const DWORD seven = 7;
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kKey, u"b7"), Bytes(&seven, 4));  // seen here at once
  close(gate[1]);  // the other instance writes now, while this one holds the store
  EXPECT_EQ(store->EndBatch(), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(UserFile()), before);
  EXPECT_EQ(store->EndBatch(), ERROR_SUCCESS);
  ASSERT_EQ(Wait(other), 0);

  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  SettingsStore::KeyInfo info;
  ASSERT_EQ(fresh.QueryInfo(kKey, &info), ERROR_SUCCESS);
  EXPECT_EQ(info.values, 32u);
  std::vector<BYTE> data;
  EXPECT_EQ(fresh.GetValue(kKey, u"Other", nullptr, &data), ERROR_SUCCESS);
  EXPECT_EQ(fresh.GetValue(kKey, u"b29", nullptr, &data), ERROR_SUCCESS);
}

QStringList SetAsideFiles(const QString& store)
{
  const QFileInfo info(store);
  return QDir(info.absolutePath()).entryList({info.fileName() + QStringLiteral(".corrupt-*")}, QDir::Files);
}

TEST_F(RegistryTest, ADamagedStoreIsSetAsideAndDefaultsAreUsed)
{
  const QByteArray good =
      "Korvan settings 1\n"
      "[HKEY_CURRENT_USER\\Software\\Korvan]\n"
      "\"Major\"=dword:4\n"
      "\"Scale\"=binary:00 00 00 00 00 00 f0 3f\n"
      "end\n";
  static const char kGarbage[] = "\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0\x10\x10";
  struct Case {
    const char* what;
    QByteArray content;
  };
  const Case cases[] = {
      {"unparsable line", QByteArray(good).replace("\"Major\"=dword:4", "Major = 4")},
      {"bad hex", QByteArray(good).replace("f0 3f", "f0 3g")},
      {"odd hex", QByteArray(good).replace("f0 3f", "f0 3")},
      {"number out of range", QByteArray(good).replace("dword:4", "dword:4294967296")},
      {"unknown type", QByteArray(good).replace("dword:4", "float:4")},
      {"unknown escape", QByteArray(good).replace("dword:4", "string:\"a\\qb\"")},
      {"unclosed text", QByteArray(good).replace("dword:4", "string:\"abc")},
      {"truncated", good.left(good.indexOf("f0 3f"))},
      {"truncated at a line end", good.left(good.indexOf("end\n"))},
      {"value before any key", QByteArray("Korvan settings 1\n\"A\"=dword:1\nend\n")},
      {"key of another root", QByteArray(good).replace("HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE")},
      {"no first line", good.mid(good.indexOf('\n') + 1)},
      {"text after the end", good + "\"B\"=dword:2\n"},
      {"not UTF-8", QByteArray(good).replace("Korvan]", "Korvan\xff\xfe]")},
      {"binary garbage", QByteArray(kGarbage, sizeof kGarbage - 1)},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseConfig(QStringLiteral("damaged%1").arg(n++));
    WriteFile(UserFile(), c.content);

    testing::internal::CaptureStderr();
    LONG rc = 0;
    Get(HKEY_CURRENT_USER, u"Software\\Korvan", u"Major", nullptr, &rc);
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);  // so the caller takes its default
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("damaged"), std::string::npos) << message;
    EXPECT_NE(message.find(".corrupt-"), std::string::npos) << message;

    const QStringList aside = SetAsideFiles(UserFile());
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(ReadFile(QFileInfo(UserFile()).absolutePath() + u'/' + aside.first()), c.content);
    EXPECT_FALSE(QFile::exists(UserFile()));

    // The program goes on: new settings are kept, and nothing is reported again.
    testing::internal::CaptureStderr();
    EXPECT_EQ(SetDword(u"Software\\Korvan", u"Major", 5), ERROR_SUCCESS);
    const DWORD five = 5;
    EXPECT_EQ(Get(HKEY_CURRENT_USER, u"Software\\Korvan", u"Major"), Bytes(&five, 4));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(SetAsideFiles(UserFile()).size(), 1);
  }
}

TEST_F(RegistryTest, AStoreDamagedWhileRunningIsSetAsideOnItsNextUse)
{
  ASSERT_EQ(SetDword(kKey, u"Major", 4), ERROR_SUCCESS);
  WriteFile(UserFile(), "Korvan settings 1\n[HKEY_CURRENT_USER\\Software]\n\"x\"=dword:-1\nend\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(SetDword(kKey, u"Minor", 21), ERROR_SUCCESS);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("damaged"), std::string::npos);
  EXPECT_EQ(SetAsideFiles(UserFile()).size(), 1);
  LONG rc = 0;
  Get(HKEY_CURRENT_USER, kKey, u"Major", nullptr, &rc);
  EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
  const DWORD minor = 21;
  SettingsStore fresh(SettingsStore::UserFilePath(), u"HKEY_CURRENT_USER", true);
  std::vector<BYTE> data;
  ASSERT_EQ(fresh.GetValue(kKey, u"Minor", nullptr, &data), ERROR_SUCCESS);
  EXPECT_EQ(data, Bytes(&minor, 4));
}

}  // namespace
