// The DWG route through a real child process: the installed converter on bad files, a PATH without node,
// and stand-in node programs that crash, fail or hang (cancelled through the progress callback).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/AcadConvert.h"
#include "libs/conv/DwgConverter.h"
#include "libs/vevure/Draw2dDocument.h"

namespace {

// Sets an environment variable for one test and puts it back afterwards.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class DwgConverterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        doc.InitDocument();
    }

    QString WriteFile(const QString& name, const QByteArray& bytes, bool bExecutable = false)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        if (bExecutable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
        return path;
    }

    // A converter folder whose "node" is the given shell script (on a PATH of its own).
    void StandIn(const QByteArray& script)
    {
        WriteFile(QStringLiteral("bin/node"), "#!/bin/sh\n" + script, true);
        WriteFile(QStringLiteral("conv/dwg2dxf.mjs"), "// stand-in\n");
        WriteFile(QStringLiteral("conv/libredwg-web.js"), "");
        WriteFile(QStringLiteral("conv/libredwg-web.wasm"), "");
    }

    QTemporaryDir dir;
    Draw2dDocument doc;
    ACadConvSetting setting;
};

bool ConverterInstalled()
{
    DwgConverter converter;
    return converter.IsInstalled();
}

}  // namespace

TEST_F(DwgConverterTest, BadDwgFilesFailThroughTheRealConverter)
{
    // scripts/setup.sh installs the converter and the build lays it beside the program.
    ASSERT_TRUE(ConverterInstalled()) << "run scripts/setup.sh: node and the DWG converter are missing";
    QByteArray garbage(300, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 73 + 11) & 255);
    QByteArray truncated("AC1015");
    truncated.append(garbage.left(40));
    for (const QByteArray& bytes : {garbage, truncated}) {
        const QString path = WriteFile(QStringLiteral("bad.dwg"), bytes);
        AcadConvert convert;
        EXPECT_EQ(convert.ReadFile(CString::FromQString(path), &doc, &setting), AcadConvert::resultDwgReaderFailed);
        EXPECT_EQ(doc.GetFeatureCount(), 0);
    }
}

TEST_F(DwgConverterTest, WithoutNodeTheReaderIsNotInstalled)
{
    ScopedEnv path("PATH", dir.path().toUtf8());
    const QString dwg = WriteFile(QStringLiteral("plan.dwg"), "AC1015");
    AcadConvert convert;
    EXPECT_EQ(convert.ReadFile(CString::FromQString(dwg), &doc, &setting), AcadConvert::resultDwgReaderMissing);
}

TEST_F(DwgConverterTest, StandInsThatCrashFailOrWriteNothingGiveFailure)
{
    const QByteArray scripts[] = {"kill -SEGV $$\n", "exit 3\n", "exit 0\n"};
    for (const QByteArray& script : scripts) {
        SCOPED_TRACE(script.toStdString());
        StandIn(script);
        ScopedEnv path("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ":/usr/bin:/bin");
        DwgConverter converter;
        converter.SetConverterFolder(CString::FromQString(dir.filePath(QStringLiteral("conv"))));
        std::string dxf;
        EXPECT_EQ(converter.ConvertToDxf(CString::FromQString(WriteFile(QStringLiteral("a.dwg"), "x")), dxf), -6);
        EXPECT_TRUE(dxf.empty());
    }
}

TEST_F(DwgConverterTest, AStandInThatWritesDxfIsReadAsDxf)
{
    // The child gets: --liftoff-only, the script, the DWG and the DXF to write.
    StandIn("printf '0\\nSECTION\\n2\\nENTITIES\\n0\\nLINE\\n8\\n0\\n10\\n0\\n20\\n0\\n11\\n4\\n21\\n3\\n0\\nENDSEC\\n0\\nEOF\\n' > \"$4\"\n");
    ScopedEnv path("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ":/usr/bin:/bin");
    DwgConverter converter;
    converter.SetConverterFolder(CString::FromQString(dir.filePath(QStringLiteral("conv"))));
    std::string dxf;
    ASSERT_EQ(converter.ConvertToDxf(CString::FromQString(WriteFile(QStringLiteral("a.dwg"), "x")), dxf), 0);
    AcadConvert convert;
    EXPECT_EQ(convert.ReadDxfData(dxf.data(), dxf.size(), _T("a"), &doc, &setting), 1);
}

TEST_F(DwgConverterTest, CancellingKillsAHangingChild)
{
    const QString pidFile = dir.filePath(QStringLiteral("pid"));
    StandIn("echo $$ > '" + pidFile.toUtf8() + "'\nexec sleep 600\n");
    ScopedEnv path("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ":/usr/bin:/bin");
    DwgConverter converter;
    converter.SetConverterFolder(CString::FromQString(dir.filePath(QStringLiteral("conv"))));
    struct State { QString pidFile; int steps = 0; } state{pidFile};
    // The user presses Escape once the child is known to run.
    converter.SetNotifyProgressFunction(
        [](NotifyProgressInfo* info, void* user) -> int {
            auto* s = static_cast<State*>(user);
            if (info->m_nKind != NotifyProgressInfo::kindStep)
                return 1;
            ++s->steps;
            return QFileInfo(s->pidFile).size() > 0 ? 0 : 1;
        },
        &state);
    std::string dxf;
    EXPECT_EQ(converter.ConvertToDxf(CString::FromQString(WriteFile(QStringLiteral("a.dwg"), "x")), dxf), -100);
    QFile f(pidFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pid = f.readAll().trimmed();
    ASSERT_FALSE(pid.isEmpty());
    // No child is left: its process is gone (reaped by the converter).
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));
}

TEST_F(DwgConverterTest, EveryDwgInTheSampleFolderOpens)
{
    const QByteArray folder = qgetenv("KC_DWG_SAMPLES");
    if (folder.isEmpty())
        GTEST_SKIP() << "KC_DWG_SAMPLES names no folder of DWG files";
    const QStringList files = QDir(QString::fromLocal8Bit(folder)).entryList({QStringLiteral("*.dwg")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        Draw2dDocument one;
        one.InitDocument();
        AcadConvert convert;
        EXPECT_GE(convert.ReadFile(CString::FromQString(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name), &one,
                                   &setting),
                  0);
    }
}
