// The build check that keeps the language libraries in step.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace {

struct CheckCase {
  const char* name;
  QByteArray reference;
  QByteArray other;
  bool passes;
  const char* messagePart;
  std::vector<const char*> referenceFiles = {};
  std::vector<const char*> otherFiles = {};
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class StringTableCheckTest : public ::testing::TestWithParam<CheckCase> {};

void Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST_P(StringTableCheckTest, ComparesTwoLanguages) {
  const CheckCase& c = GetParam();
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString ref = tmp.filePath(QStringLiteral("ENG")), other = tmp.filePath(QStringLiteral("JPN"));
  Write(ref + QStringLiteral("/strings.txt"), c.reference);
  Write(other + QStringLiteral("/strings.txt"), c.other);
  for (const char* f : c.referenceFiles)
    Write(ref + QLatin1Char('/') + QLatin1String(f), "x");
  for (const char* f : c.otherFiles)
    Write(other + QLatin1Char('/') + QLatin1String(f), "x");

  QProcess cmake;
  cmake.setProcessChannelMode(QProcess::MergedChannels);
  cmake.start(QStringLiteral(KC_TEST_CMAKE), {QStringLiteral("-DREFERENCE=") + ref, QStringLiteral("-DOTHER=") + other,
                                              QStringLiteral("-P"), QStringLiteral(KC_TEST_CHECK_SCRIPT)});
  ASSERT_TRUE(cmake.waitForFinished(60000));
  const QString output = QString::fromUtf8(cmake.readAll());
  EXPECT_EQ(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0, c.passes) << output.toStdString();
  if (*c.messagePart) {
    EXPECT_TRUE(output.contains(QLatin1String(c.messagePart))) << output.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringTableCheckTest,
    ::testing::Values(
        CheckCase{"same", "# c\n1\tOne\n\n0x10\tSixteen; [x]\n", "16\t十六\n1\t一\n", true, ""},
        CheckCase{"missingInOther", "1\ta\n2\tb\n", "1\ta\n", false, "not in"},
        CheckCase{"extraInOther", "1\ta\n", "1\ta\n3\tc\n", false, "3"},
        CheckCase{"repeat", "1\ta\n1\tb\n", "1\ta\n", false, "repeats"},
        CheckCase{"repeatByHex", "1\ta\n", "1\ta\n0x1\tb\n", false, "repeats"},
        CheckCase{"noTab", "1\ta\n2 b\n", "1\ta\n", false, ":2:"},
        CheckCase{"badEscape", "1\ta\\x\n", "1\ta\n", false, "escape"},
        CheckCase{"trailingBackslash", "1\ta\\\n2\tb\n", "1\ta\n2\tb\n", false, ":1: unknown escape or backslash"},
        CheckCase{"outOfRange", "65536\ta\n", "65536\ta\n", false, "out of range"},
        CheckCase{"escapesAccepted", "1\t\\n\\t\\\\\n", "1\t\\\\\\\\\n", true, ""},
        CheckCase{"sameResourceFiles", "1\ta\n", "1\ta\n", true, "", {"MENU/128", "BITMAP/1.png"}, {"BITMAP/1.png", "MENU/128"}},
        CheckCase{"differentResourceFiles", "1\ta\n", "1\ta\n", false, "MENU/129", {"MENU/128"}, {"MENU/129"}}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

}  // namespace
