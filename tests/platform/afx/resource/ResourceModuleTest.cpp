// Language libraries: loading, the resource chain, the language loader and damaged files.

#include <gtest/gtest.h>

#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include "platform/afx/ResourceModule.h"

namespace {

std::u16string U(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())); }
QString Q(const std::u16string& s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }

const QString kResourceDir = QStringLiteral(KC_TEST_RESOURCE_DIR);

QString LibraryPath(const char* code) { return kResourceDir + QStringLiteral("/KcResource%1.rcc").arg(QLatin1String(code)); }

std::unique_ptr<ResourceModule> LoadOrFail(const QString& path) {
  std::u16string reason;
  auto module = ResourceModule::Load(U(path), &reason);
  EXPECT_TRUE(module) << Q(reason).toStdString();
  return module;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// Builds a module file from (name in module, content) pairs with Qt's resource compiler.
QString BuildModule(const QTemporaryDir& dir, const QString& name, const std::vector<std::pair<QString, QByteArray>>& files,
                    const QStringList& rccOptions = {QStringLiteral("--no-compress")}) {
  const QString src = dir.filePath(name + QStringLiteral("-src"));
  QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\">\n";
  for (const auto& [file, content] : files) {
    WriteFile(src + QLatin1Char('/') + file, content);
    qrc += "<file alias=\"" + file.toUtf8() + "\">" + (src + QLatin1Char('/') + file).toUtf8() + "</file>\n";
  }
  qrc += "</qresource></RCC>\n";
  WriteFile(src + QStringLiteral("/module.qrc"), qrc);
  const QString out = dir.filePath(name);
  QProcess rcc;
  rcc.start(QStringLiteral(KC_TEST_RCC), QStringList{QStringLiteral("--binary")} + rccOptions +
                                             QStringList{QStringLiteral("-o"), out, src + QStringLiteral("/module.qrc")});
  EXPECT_TRUE(rcc.waitForFinished(60000));
  EXPECT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  return out;
}

std::u16string Text(UINT id) {
  std::u16string text = u"not cleared";
  AfxLoadStringResource(id, text);
  return text;
}

// Every test leaves the process-wide chain as it found it: empty.
class ResourceTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
  void TearDown() override {
    AfxSetResourceHandle(nullptr);
    for (ResourceModule* m : added)
      AfxRemoveResourceModule(m);
    AfxClearProgramStrings();
  }
  void Add(ResourceModule* m) {
    AfxAddResourceModule(m);
    added.push_back(m);
  }
  QTemporaryDir tmp;
  std::vector<ResourceModule*> added;
};

TEST_F(ResourceTest, BothLanguagesLoadTogetherAndKeepTheirOwnTexts) {
  auto eng = LoadOrFail(LibraryPath("ENG"));
  auto jpn = LoadOrFail(LibraryPath("JPN"));
  ASSERT_TRUE(eng && jpn);
  EXPECT_NE(eng->GetMapRoot(), jpn->GetMapRoot());

  struct Case {
    UINT id;
    std::u16string eng, jpn;
  } cases[] = {
      {57344, u"Rivedi VEZ", u"Rivedi VEZ"},
      {0xE001, u"Ready", u"準備完了"},
      {57346, u"For Help, press F1", u"ヘルプを表示するには F1 キーを押してください"},
      {10062, u"The file could not be read.", u"ファイルを読み込めませんでした。"},
      {10063, u"\nThe file is damaged or incomplete.", u"\nファイルが壊れているか、不完全です。"},
      {10270, u"\t", u"\t"},
      {10128, u" Properties", u" のプロパティ"},  // leading space kept
  };
  for (const Case& c : cases) {
    std::u16string e, j;
    EXPECT_TRUE(eng->FindString(c.id, e)) << c.id;
    EXPECT_TRUE(jpn->FindString(c.id, j)) << c.id;
    EXPECT_EQ(e, c.eng) << c.id;
    EXPECT_EQ(j, c.jpn) << c.id;
  }

  // Freeing one leaves the other readable.
  eng.reset();
  std::u16string j;
  EXPECT_TRUE(jpn->FindString(0xE001, j));
  EXPECT_EQ(j, u"準備完了");
}

TEST_F(ResourceTest, UnknownNumberGivesFalseAndEmptyText) {
  auto eng = LoadOrFail(LibraryPath("ENG"));
  ASSERT_TRUE(eng);
  std::u16string text = u"stale";
  EXPECT_FALSE(eng->FindString(1, text));
  EXPECT_TRUE(text.empty());

  AfxSetResourceHandle(eng.get());
  EXPECT_EQ(Text(0xE001), u"Ready");
  for (UINT id : {0u, 1u, 65535u, 65536u, 0xFFFFFFFFu}) {
    text = u"stale";
    EXPECT_FALSE(AfxLoadStringResource(id, text)) << id;
    EXPECT_TRUE(text.empty()) << id;
  }
}

TEST_F(ResourceTest, StringTableEscapesAndFormats) {
  const QString path = BuildModule(tmp, QStringLiteral("esc.rcc"),
                                   {{QStringLiteral("strings.txt"),
                                     "# comment\r\n\r\n"
                                     "1\tline\\nbreak\r\n"
                                     "0x2\ttab\\there\n"
                                     "0X00ff\tback\\\\slash\\\\n\n"
                                     "4\t\n"
                                     "5\t#not a comment; [brackets]\n"
                                     "65535\tlast\n"}});
  auto m = LoadOrFail(path);
  ASSERT_TRUE(m);
  struct {
    UINT id;
    std::u16string text;
  } cases[] = {{1, u"line\nbreak"}, {2, u"tab\there"}, {255, u"back\\slash\\n"}, {4, u""}, {5, u"#not a comment; [brackets]"},
               {65535, u"last"}};
  for (const auto& c : cases) {
    std::u16string text;
    EXPECT_TRUE(m->FindString(c.id, text)) << c.id;
    EXPECT_EQ(text, c.text) << c.id;
  }
}

TEST_F(ResourceTest, BadStringTablesAreRefusedWithTheLine) {
  struct {
    const char* table;
    const char* reasonPart;
  } cases[] = {
      {"1\tok\n2 no tab\n", "line 2"},
      {"1\tok\n1\tagain\n", "repeats"},
      {"0x1\tok\n1\tagain\n", "repeats"},
      {"65536\ttoo big\n", "bad number"},
      {"-1\tnegative\n", "bad number"},
      {" 1\tspace\n", "bad number"},
      {"0x\tempty hex\n", "bad number"},
      {"1\tunknown \\q escape\n", "escape"},
      {"1\tends with \\\n", "backslash"},
  };
  int n = 0;
  for (const auto& c : cases) {
    const QString path = BuildModule(tmp, QStringLiteral("bad%1.rcc").arg(n++), {{QStringLiteral("strings.txt"), c.table}});
    std::u16string reason;
    EXPECT_FALSE(ResourceModule::Load(U(path), &reason)) << c.table;
    EXPECT_TRUE(Q(reason).contains(QLatin1String(c.reasonPart))) << c.table << " -> " << Q(reason).toStdString();
  }
  const QString noTable = BuildModule(tmp, QStringLiteral("notable.rcc"), {{QStringLiteral("MENU/1"), "x"}});
  std::u16string reason;
  EXPECT_FALSE(ResourceModule::Load(U(noTable), &reason));
  EXPECT_TRUE(Q(reason).contains(QLatin1String("no string table")));
}

TEST_F(ResourceTest, MissingAndUnreadableModulesFailWithAReason) {
  std::u16string reason;
  EXPECT_FALSE(ResourceModule::Load(U(tmp.filePath(QStringLiteral("KcResourceXXX.rcc"))), &reason));
  EXPECT_TRUE(Q(reason).contains(QLatin1String("not found")));

  EXPECT_FALSE(ResourceModule::Load(U(tmp.path()), &reason));  // a folder
  EXPECT_FALSE(reason.empty());

  EXPECT_EQ(AfxLoadResourceModule(u"", &reason), nullptr);
  AfxFreeResourceModule(nullptr);  // ignored

  const QString locked = tmp.filePath(QStringLiteral("locked.rcc"));
  QFile::copy(LibraryPath("ENG"), locked);
  QFile::setPermissions(locked, QFileDevice::Permissions());
  if (geteuid() != 0) {  // the superuser reads anything
    EXPECT_FALSE(ResourceModule::Load(U(locked), &reason));
    EXPECT_TRUE(Q(reason).contains(QLatin1String("cannot read")));
  }
}

TEST_F(ResourceTest, DamagedFilesAreRefusedWithoutHarm) {
  const QString path = tmp.filePath(QStringLiteral("bad.rcc"));
  const QByteArray good = ReadAll(BuildModule(tmp, QStringLiteral("good.rcc"),
                                              {{QStringLiteral("strings.txt"), "1\tone\n2\ttwo\n"},
                                               {QStringLiteral("MENU/128"), "menu bytes"},
                                               {QStringLiteral("BITMAP/130.png"), "png bytes"}}));
  ASSERT_GT(good.size(), 24);

  const QByteArray garbage[] = {
      QByteArray(),
      QByteArray("qres"),
      QByteArray(4096, '\xAB'),
      QByteArray("qres\0\0\0\x03\xff\xff\xff\xf0\0\0\0\x20\0\0\0\x20\0\0\0\0", 24),
      QByteArray("qres\0\0\0\x09", 8) + QByteArray(40, '\0'),  // unknown version
  };
  for (const QByteArray& bytes : garbage) {
    WriteFile(path, bytes);
    std::u16string reason;
    EXPECT_FALSE(ResourceModule::Load(U(path), &reason)) << bytes.size();
    EXPECT_FALSE(reason.empty());
  }

  // Every cut and every changed byte either loads or is refused; nothing reads outside the file.
  int loaded = 0;
  for (qsizetype len = 0; len < good.size(); ++len) {
    WriteFile(path, good.left(len));
    EXPECT_FALSE(ResourceModule::Load(U(path))) << "cut at " << len;
  }
  for (qsizetype pos = 0; pos < good.size(); ++pos) {
    for (char flip : {'\xFF', '\x80', '\x01'}) {
      QByteArray bytes = good;
      bytes[pos] = char(bytes[pos] ^ flip);
      WriteFile(path, bytes);
      auto m = ResourceModule::Load(U(path));
      if (m) {
        ++loaded;
        std::u16string text;
        std::vector<BYTE> data;
        m->FindString(1, text);
        m->FindResourceData("MENU", 128, data);
        m->FindResourceData("BITMAP", 130, data);
      }
    }
  }
  EXPECT_GT(loaded, 0);  // changes inside texts still give a usable module
}

TEST_F(ResourceTest, CompressionKinds) {
  const QByteArray big = "1\t" + QByteArray(20000, 'a') + "\n";
  auto zlib = LoadOrFail(BuildModule(tmp, QStringLiteral("zlib.rcc"), {{QStringLiteral("strings.txt"), big}},
                                     {QStringLiteral("--compress-algo"), QStringLiteral("zlib"), QStringLiteral("--threshold"),
                                      QStringLiteral("0")}));
  ASSERT_TRUE(zlib);
  std::u16string text;
  EXPECT_TRUE(zlib->FindString(1, text));
  EXPECT_EQ(text.size(), 20000u);

  const QString zstd = BuildModule(tmp, QStringLiteral("zstd.rcc"), {{QStringLiteral("strings.txt"), big}},
                                   {QStringLiteral("--compress-algo"), QStringLiteral("zstd"), QStringLiteral("--threshold"),
                                    QStringLiteral("0")});
  std::u16string reason;
  auto m = ResourceModule::Load(U(zstd), &reason);
  if (!m) {  // a resource compiler without zstd writes zlib instead, which loads
    EXPECT_TRUE(Q(reason).contains(QLatin1String("compression"))) << Q(reason).toStdString();
  }
}

TEST_F(ResourceTest, TypedResourceData) {
  auto m = LoadOrFail(BuildModule(tmp, QStringLiteral("typed.rcc"),
                                  {{QStringLiteral("strings.txt"), "1\tone\n"},
                                   {QStringLiteral("MENU/128"), "menu 128"},
                                   {QStringLiteral("MENU/1280"), "menu 1280"},
                                   {QStringLiteral("BITMAP/130.png"), QByteArray("\x89PNG\0\1", 6)}}));
  ASSERT_TRUE(m);
  std::vector<BYTE> data;
  ASSERT_TRUE(m->FindResourceData("MENU", 128, data));
  EXPECT_EQ(std::string(data.begin(), data.end()), "menu 128");
  ASSERT_TRUE(m->FindResourceData("BITMAP", 130, data));
  EXPECT_EQ(std::string(data.begin(), data.end()), std::string("\x89PNG\0\1", 6));

  for (auto [type, id] : std::vector<std::pair<const char*, UINT>>{
           {"MENU", 12}, {"MENU", 129}, {"DIALOG", 128}, {"menu", 128}, {"", 128}, {nullptr, 128}, {"../MENU", 128}, {"MENU/", 128}}) {
    data.assign(3, 7);
    EXPECT_FALSE(m->FindResourceData(type, id, data)) << (type ? type : "null") << " " << id;
    EXPECT_TRUE(data.empty());
  }

  const QString bitmapPath = Q(m->GetResourcePath("BITMAP", 130));
  EXPECT_TRUE(bitmapPath.startsWith(Q(m->GetMapRoot()) + QStringLiteral("/BITMAP/130.png"))) << bitmapPath.toStdString();
  EXPECT_EQ(ReadAll(bitmapPath), QByteArray("\x89PNG\0\1", 6));
  EXPECT_TRUE(m->GetResourcePath("MENU", 129).empty());

  AfxSetResourceHandle(m.get());
  EXPECT_EQ(AfxFindResourceModule("MENU", 128), m.get());
  EXPECT_EQ(AfxFindResourceModule("MENU", 129), nullptr);
  EXPECT_TRUE(AfxFindResourceData("MENU", 1280, data));
  EXPECT_EQ(std::string(data.begin(), data.end()), "menu 1280");
  EXPECT_FALSE(AfxFindResourceData("TOOLBAR", 1, data));
}

TEST_F(ResourceTest, ChainSearchOrder) {
  auto lang = LoadOrFail(BuildModule(tmp, QStringLiteral("lang.rcc"),
                                     {{QStringLiteral("strings.txt"), "1\tlanguage\n"}, {QStringLiteral("MENU/5"), "lang menu"}}));
  auto extA = LoadOrFail(BuildModule(tmp, QStringLiteral("a.rcc"),
                                     {{QStringLiteral("strings.txt"), "1\tA\n2\tA\n3\tA\n"}, {QStringLiteral("MENU/5"), "A menu"}}));
  auto extB = LoadOrFail(BuildModule(tmp, QStringLiteral("b.rcc"), {{QStringLiteral("strings.txt"), "2\tB\n"}}));
  ASSERT_TRUE(lang && extA && extB);

  // Before any module joins, only the program's own texts answer.
  AfxSetProgramString(57344, u"Program title");
  AfxSetProgramString(3, u"program");
  EXPECT_EQ(Text(57344), u"Program title");
  EXPECT_EQ(Text(1), u"");

  AfxSetResourceHandle(lang.get());
  EXPECT_EQ(AfxGetResourceHandle(), lang.get());
  Add(extA.get());
  Add(extB.get());
  EXPECT_EQ(Text(1), u"language");  // the resource handle comes first
  EXPECT_EQ(Text(2), u"B");         // then the extension added last
  EXPECT_EQ(Text(3), u"A");         // modules before the program's own table
  EXPECT_EQ(Text(57344), u"Program title");
  EXPECT_EQ(AfxFindStringResourceModule(2), extB.get());
  EXPECT_EQ(AfxFindStringResourceModule(57344), nullptr);
  std::vector<BYTE> data;
  EXPECT_TRUE(AfxFindResourceData("MENU", 5, data));
  EXPECT_EQ(std::string(data.begin(), data.end()), "lang menu");

  // Adding a module again moves it to the front of the extensions.
  Add(extA.get());
  EXPECT_EQ(Text(2), u"A");

  AfxRemoveResourceModule(extA.get());
  EXPECT_EQ(Text(2), u"B");
  EXPECT_EQ(Text(3), u"program");
  AfxSetResourceHandle(nullptr);
  EXPECT_EQ(Text(1), u"");

  // Freeing a module takes it out of the chain.
  ResourceModule* owned = AfxLoadResourceModule(U(BuildModule(tmp, QStringLiteral("c.rcc"), {{QStringLiteral("strings.txt"), "1\tC\n"}})));
  ASSERT_NE(owned, nullptr);
  AfxSetResourceHandle(owned);
  AfxAddResourceModule(owned);
  EXPECT_EQ(Text(1), u"C");
  AfxFreeResourceModule(owned);
  EXPECT_EQ(AfxGetResourceHandle(), nullptr);
  EXPECT_EQ(Text(1), u"");

  AfxClearProgramStrings();
  EXPECT_EQ(Text(57344), u"");
}

TEST_F(ResourceTest, HandlesRoundTrip) {
  auto m = LoadOrFail(LibraryPath("ENG"));
  ASSERT_TRUE(m);
  HRESMODULE h = m->GetHandle();
  EXPECT_EQ(ResourceModule::FromHandle(h), m.get());
  EXPECT_EQ(m->GetPath(), U(LibraryPath("ENG")));
}

struct LanguageCase {
  const char* name;
  std::vector<QString> files;  // copied from the build ("ENG", "JPN") or written as garbage (anything else)
  const char* code;
  const char* expectLoaded;    // file name, or "" for none
  std::vector<QString> expectTried;
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class LanguageLoaderTest : public ResourceTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguageLoaderTest, LoadsTheLanguageOrAnyLibraryOfTheFamily) {
  const LanguageCase& c = GetParam();
  const QString dir = tmp.filePath(QStringLiteral("resource"));
  QDir().mkpath(dir);
  for (const QString& f : c.files) {
    const QString target = dir + QStringLiteral("/KcResource%1.rcc").arg(f);
    if (f == QLatin1String("ENG") || f == QLatin1String("JPN"))
      ASSERT_TRUE(QFile::copy(LibraryPath(f.toLatin1().constData()), target));
    else
      WriteFile(target, "not a library");
  }
  QFile::copy(LibraryPath("ENG"), dir + QStringLiteral("/OtherENG.rcc"));  // not of the family

  LanguageModuleResult r = AfxLoadLanguageModule(U(dir), U(QString::fromLatin1(c.code)));
  std::unique_ptr<ResourceModule, void (*)(ResourceModule*)> owned(r.pModule, AfxFreeResourceModule);
  if (*c.expectLoaded) {
    ASSERT_NE(r.pModule, nullptr) << Q(r.reason).toStdString();
    EXPECT_EQ(Q(r.fileName), dir + QLatin1Char('/') + QLatin1String(c.expectLoaded));
    EXPECT_TRUE(r.reason.empty());
  } else {
    EXPECT_EQ(r.pModule, nullptr);
    EXPECT_FALSE(r.reason.empty());
  }
  std::vector<QString> tried;
  for (const auto& t : r.tried)
    tried.push_back(QFileInfo(Q(t)).fileName());
  EXPECT_EQ(tried, c.expectTried);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageLoaderTest,
    ::testing::Values(
        LanguageCase{"own", {"ENG", "JPN"}, "ENG", "KcResourceENG.rcc", {}},
        LanguageCase{"ownJapanese", {"ENG", "JPN"}, "JPN", "KcResourceJPN.rcc", {}},
        LanguageCase{"onlyJapanese", {"JPN"}, "ENG", "KcResourceJPN.rcc", {"KcResourceENG.rcc"}},
        LanguageCase{"unknownCode", {"JPN", "ENG"}, "FRA", "KcResourceENG.rcc", {"KcResourceFRA.rcc"}},
        LanguageCase{"brokenBeforeGood", {"AAA", "JPN"}, "ENG", "KcResourceJPN.rcc", {"KcResourceENG.rcc", "KcResourceAAA.rcc"}},
        LanguageCase{"none", {}, "ENG", "", {"KcResourceENG.rcc"}},
        LanguageCase{"allBroken", {"AAA", "ZZZ"}, "XXX", "",
                     {"KcResourceXXX.rcc", "KcResourceAAA.rcc", "KcResourceZZZ.rcc"}}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST_F(ResourceTest, BrokenOwnLibraryIsTriedAgainInTheSearch) {
  const QString dir = tmp.filePath(QStringLiteral("resource"));
  WriteFile(dir + QStringLiteral("/KcResourceENG.rcc"), "broken");
  ASSERT_TRUE(QFile::copy(LibraryPath("JPN"), dir + QStringLiteral("/KcResourceJPN.rcc")));
  LanguageModuleResult r = AfxLoadLanguageModule(U(dir + QLatin1Char('/')), u"ENG");
  std::unique_ptr<ResourceModule, void (*)(ResourceModule*)> owned(r.pModule, AfxFreeResourceModule);
  ASSERT_NE(r.pModule, nullptr);
  ASSERT_EQ(r.tried.size(), 2u);
  EXPECT_EQ(Q(r.tried[0]), dir + QStringLiteral("/KcResourceENG.rcc"));
  EXPECT_EQ(Q(r.tried[1]), dir + QStringLiteral("/KcResourceENG.rcc"));
}

TEST(ProgramFolder, ResourceFolderIsBesideTheProgram) {
  const QString expected = QDir(kResourceDir).canonicalPath() + QLatin1Char('/');
  EXPECT_EQ(QDir(Q(AfxGetResourceFolder())).canonicalPath() + QLatin1Char('/'), expected);
  EXPECT_TRUE(Q(AfxGetProgramFolder()).endsWith(QLatin1Char('/')));
  EXPECT_TRUE(QFile::exists(Q(AfxGetResourceFolder()) + QStringLiteral("KcResourceENG.rcc")));

  {
    int argc = 1;
    char arg0[] = "test_afx_resource";
    char* argv[] = {arg0, nullptr};
    QCoreApplication app(argc, argv);
    EXPECT_EQ(QDir(Q(AfxGetResourceFolder())).canonicalPath() + QLatin1Char('/'), expected);
  }
}

}  // namespace
