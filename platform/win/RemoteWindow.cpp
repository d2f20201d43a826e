#include "platform/win/RemoteWindow.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QtEndian>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win/RemoteWindowServer.h"

namespace {

std::map<HWND, std::unique_ptr<RemoteWindowServer>>& Servers()
{
    static std::map<HWND, std::unique_ptr<RemoteWindowServer>> servers;
    return servers;
}

// A class name becomes part of a file name: only plain characters are kept.
QString SocketPrefix(LPCTSTR lpszClassName)
{
    QString name = lpszClassName != nullptr ? QString::fromUtf16(lpszClassName) : QString();
    QString plain;
    for (const QChar c : name)
        plain += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'_' ? c : QChar(u'_');
    return plain.left(48) + QLatin1Char('-');
}

bool IsPrivateFolder(const QString& folder)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(folder);
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

qint64 ModifiedNs(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

}  // namespace

QString RemoteWindow::SocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime))
        return runtime;
    // Without a runtime folder of its own, a folder of the user's in the temporary folder, which
    // nobody else may have made first.
    const QString folder = QDir::tempPath() + QStringLiteral("/kc-runtime-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return IsPrivateFolder(folder) ? folder : QString();
}

BOOL RemoteWindow::Expose(HWND hWnd, LPCTSTR lpszClassName)
{
    if (hWnd == nullptr)
        return FALSE;
    Unexpose(hWnd);
    const QString folder = SocketFolder();
    if (folder.isEmpty())
        return FALSE;
    static int serial = 0;
    const QString path = folder + QLatin1Char('/') + SocketPrefix(lpszClassName) +
                         QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    auto server = std::make_unique<RemoteWindowServer>(hWnd, path);
    if (!server->Listen())
        return FALSE;
    Servers()[hWnd] = std::move(server);
    return TRUE;
}

void RemoteWindow::Unexpose(HWND hWnd)
{
    Servers().erase(hWnd);
}

void RemoteWindow::NoteActivated(HWND hWnd)
{
    const auto it = Servers().find(hWnd);
    if (it != Servers().end())
        it->second->Touch();
}

std::vector<RemoteWindow> RemoteWindow::FindAll(LPCTSTR lpszClassName)
{
    std::vector<RemoteWindow> windows;
    const QString folder = SocketFolder();
    if (folder.isEmpty())
        return windows;
    const QString prefix = SocketPrefix(lpszClassName);
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList names = QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::System | QDir::Files);
    for (const QString& name : names) {
        const QStringList parts = name.mid(prefix.size()).split(QLatin1Char('-'));
        bool ok = false;
        const qint64 pid = parts.size() == 2 ? parts[0].toLongLong(&ok) : 0;
        if (!ok || pid <= 0)
            continue;
        if (pid == self)
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        // The process ended without taking its socket away.
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            QFile::remove(path);
            continue;
        }
        RemoteWindow window;
        window.m_strSocket = path;
        window.m_nPid = pid;
        window.m_nStamp = ModifiedNs(path);
        windows.push_back(window);
    }
    std::stable_sort(windows.begin(), windows.end(),
                     [](const RemoteWindow& a, const RemoteWindow& b) { return a.m_nStamp > b.m_nStamp; });
    return windows;
}

BOOL RemoteWindow::Exchange(quint32 nMessage, quint64 wParam, const QByteArray& bytes, UINT nTimeoutMs,
                            qint64* pResult) const
{
    if (bytes.size() > static_cast<qsizetype>(kMaxCopyDataBytes))
        return FALSE;
    const QDeadlineTimer deadline(nTimeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_strSocket);
    if (!socket.waitForConnected(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)))) {
        // Nobody listens there any more: the socket is a leftover.
        const auto error = socket.error();
        if (error == QLocalSocket::ConnectionRefusedError || error == QLocalSocket::ServerNotFoundError)
            QFile::remove(m_strSocket);
        return FALSE;
    }
    QByteArray request(20, '\0');
    qToLittleEndian<quint32>(kMagic, request.data());
    qToLittleEndian<quint32>(nMessage, request.data() + 4);
    qToLittleEndian<quint64>(wParam, request.data() + 8);
    qToLittleEndian<quint32>(static_cast<quint32>(bytes.size()), request.data() + 16);
    request += bytes;
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return FALSE;
    }
    QByteArray answer;
    while (answer.size() < 12) {
        if (socket.bytesAvailable() == 0 &&
            (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))))
            return FALSE;
        answer += socket.read(12 - answer.size());
    }
    if (qFromLittleEndian<quint32>(answer.constData()) != kMagic)
        return FALSE;
    if (pResult != nullptr)
        *pResult = qFromLittleEndian<qint64>(answer.constData() + 4);
    return TRUE;
}

BOOL RemoteWindow::SendCopyData(const COPYDATASTRUCT& data, UINT nTimeoutMs, LRESULT* pResult) const
{
    if (data.cbData > kMaxCopyDataBytes || (data.cbData > 0 && data.lpData == nullptr))
        return FALSE;
    const QByteArray bytes(static_cast<const char*>(data.lpData), static_cast<qsizetype>(data.cbData));
    qint64 result = 0;
    if (!Exchange(WM_COPYDATA, data.dwData, bytes, nTimeoutMs, &result))
        return FALSE;
    if (pResult != nullptr)
        *pResult = static_cast<LRESULT>(result);
    return TRUE;
}

BOOL RemoteWindow::BringToFront(UINT nTimeoutMs) const
{
    qint64 result = 0;
    return Exchange(kBringToFront, 0, QByteArray(), nTimeoutMs, &result) && result != 0 ? TRUE : FALSE;
}
