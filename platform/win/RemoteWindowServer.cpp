#include "platform/win/RemoteWindowServer.h"

#include <QtCore/QFile>
#include <QtCore/QtEndian>
#include <QtGui/QGuiApplication>
#include <QtGui/QWindow>
#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/win/AfxWndBridge.h"
#include "platform/win/CWnd.h"
#include "platform/win/RemoteWindow.h"
#include "platform/win/WinConstants.h"

namespace {
constexpr int kHeaderBytes = 20;
}

RemoteWindowServer::RemoteWindowServer(HWND hWnd, const QString& socketPath) : m_hWnd(hWnd), m_strPath(socketPath)
{
    // The window comes forward: it becomes the first one other processes try.
    if (auto* pApp = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(pApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* pFocus) {
            AfxWndRecord* pRecord = AfxWndBridge::Instance()->Find(m_hWnd);
            if (pFocus != nullptr && pRecord != nullptr && pRecord->widget != nullptr &&
                pRecord->widget->window()->windowHandle() == pFocus)
                Touch();
        });
    }
}

RemoteWindowServer::~RemoteWindowServer()
{
    if (m_pServer != nullptr) {
        m_pServer->close();
        QFile::remove(m_strPath);
    }
}

bool RemoteWindowServer::Listen()
{
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_strPath);
    if (!m_pServer->listen(m_strPath)) {
        delete m_pServer;
        m_pServer = nullptr;
        return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &RemoteWindowServer::OnNewConnection);
    return true;
}

void RemoteWindowServer::Touch() const
{
    ::utimensat(AT_FDCWD, QFile::encodeName(m_strPath).constData(), nullptr, 0);
}

void RemoteWindowServer::OnNewConnection()
{
    while (QLocalSocket* pSocket = m_pServer->nextPendingConnection()) {
        m_pending.insert(pSocket, QByteArray());
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { OnReadyRead(pSocket); });
        connect(pSocket, &QLocalSocket::disconnected, this, [this, pSocket] {
            m_pending.remove(pSocket);
            pSocket->deleteLater();
        });
        if (pSocket->bytesAvailable() > 0)
            OnReadyRead(pSocket);
    }
}

void RemoteWindowServer::OnReadyRead(QLocalSocket* pSocket)
{
    auto it = m_pending.find(pSocket);
    if (it == m_pending.end())
        return;
    it.value() += pSocket->readAll();
    const QByteArray& buffer = it.value();
    if (buffer.size() < kHeaderBytes)
        return;
    const quint32 magic = qFromLittleEndian<quint32>(buffer.constData());
    const quint32 length = qFromLittleEndian<quint32>(buffer.constData() + 16);
    // Not one of ours, or more than a request may carry: the connection ends unanswered.
    if (magic != RemoteWindow::kMagic || length > RemoteWindow::kMaxCopyDataBytes ||
        buffer.size() > kHeaderBytes + static_cast<qsizetype>(length)) {
        m_pending.erase(it);
        pSocket->abort();
        return;
    }
    if (buffer.size() < kHeaderBytes + static_cast<qsizetype>(length))
        return;
    const quint32 message = qFromLittleEndian<quint32>(buffer.constData() + 4);
    const quint64 wParam = qFromLittleEndian<quint64>(buffer.constData() + 8);
    const QByteArray bytes = buffer.mid(kHeaderBytes, length);
    m_pending.erase(it);
    const qint64 result = Dispatch(message, wParam, bytes);
    QByteArray answer(12, '\0');
    qToLittleEndian<quint32>(RemoteWindow::kMagic, answer.data());
    qToLittleEndian<qint64>(result, answer.data() + 4);
    pSocket->write(answer);
    pSocket->flush();
    pSocket->disconnectFromServer();
}

qint64 RemoteWindowServer::Dispatch(quint32 nMessage, quint64 wParam, const QByteArray& bytes)
{
    CWnd* pWnd = CWnd::FromHandle(m_hWnd);
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return 0;
    if (nMessage == WM_COPYDATA) {
        // The receiver gets its own copy; the sender's handle has no meaning here.
        QByteArray copy = bytes;
        COPYDATASTRUCT data{};
        data.dwData = static_cast<ULONG_PTR>(wParam);
        data.cbData = static_cast<DWORD>(copy.size());
        data.lpData = copy.isEmpty() ? nullptr : copy.data();
        return static_cast<qint64>(
            ::SendMessage(m_hWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&data)));
    }
    if (nMessage == RemoteWindow::kBringToFront) {
        pWnd->ShowWindow(pWnd->IsIconic() ? SW_RESTORE : SW_SHOW);
        pWnd->SetForegroundWindow();
        // Where the desktop keeps the focus elsewhere, the window asks for attention instead.
        if (AfxWndRecord* pRecord = AfxWndBridge::Instance()->Find(m_hWnd))
            if (pRecord->widget != nullptr && !pRecord->widget->window()->isActiveWindow())
                QApplication::alert(pRecord->widget->window());
        return 1;
    }
    return 0;
}
