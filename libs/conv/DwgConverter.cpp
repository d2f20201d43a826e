#include "libs/conv/DwgConverter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr long long kMaxDxfSize = 1LL << 31;

}  // namespace

CString DwgConverter::GetConverterFolder() const
{
    if (!m_strFolder.IsEmpty())
        return m_strFolder;
    // The program's own folder, also when no application object exists (tools, tests).
    const QString program = QCoreApplication::instance() != nullptr
                                ? QCoreApplication::applicationDirPath()
                                : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return CString::FromQString(program + QStringLiteral("/dwg"));
}

CString DwgConverter::FindNode() const
{
    return CString::FromQString(QStandardPaths::findExecutable(QStringLiteral("node")));
}

BOOL DwgConverter::IsInstalled() const
{
    const QString folder = GetConverterFolder().ToQString();
    return !FindNode().IsEmpty() && QFileInfo::exists(folder + QStringLiteral("/dwg2dxf.mjs")) &&
           QFileInfo::exists(folder + QStringLiteral("/libredwg-web.js")) &&
           QFileInfo::exists(folder + QStringLiteral("/libredwg-web.wasm"));
}

int DwgConverter::ConvertToDxf(const CString& strDwgPath, std::string& dxf)
{
    dxf.clear();
    if (!IsInstalled())
        return -5;
    QTemporaryDir temp;
    if (!temp.isValid())
        return -6;
    const QString out = temp.filePath(QStringLiteral("out.dxf"));
    QProcess child;
    child.setProgram(FindNode().ToQString());
    // Without --liftoff-only the engine spends most of the time and memory optimising the module after the
    // conversion has finished.
    child.setArguments({QStringLiteral("--liftoff-only"), GetConverterFolder().ToQString() + QStringLiteral("/dwg2dxf.mjs"),
                        strDwgPath.ToQString(), out});
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.start();
    if (!child.waitForStarted(30000))
        return -6;
    if (m_pfnProgress != nullptr) {
        NotifyProgressInfo info;
        info.m_nKind = NotifyProgressInfo::kindBegin;
        info.m_nDisplayType = 1;  // busy: the child reports no position
        m_pfnProgress(&info, m_pProgressUser);
    }
    QElapsedTimer clock;
    clock.start();
    int result = 0;
    while (!child.waitForFinished(200)) {
        if (child.state() == QProcess::NotRunning)
            break;
        if (m_pfnProgress != nullptr) {
            NotifyProgressInfo info;
            info.m_nKind = NotifyProgressInfo::kindStep;
            info.m_nDisplayType = 1;
            if (m_pfnProgress(&info, m_pProgressUser) == 0) {
                result = -100;
                break;
            }
        }
        if (clock.elapsed() > kTimeLimitMs) {
            result = -6;
            break;
        }
    }
    if (result != 0) {
        child.kill();
        child.waitForFinished(5000);
    } else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        result = -6;
    }
    if (m_pfnProgress != nullptr) {
        NotifyProgressInfo info;
        info.m_nKind = NotifyProgressInfo::kindEnd;
        m_pfnProgress(&info, m_pProgressUser);
    }
    if (result != 0)
        return result;
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || file.size() > kMaxDxfSize)
        return -6;
    const QByteArray bytes = file.readAll();
    dxf.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return 0;
}
