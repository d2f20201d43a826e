#pragma once
// The listening end of a window made reachable from other processes (RemoteWindow::Expose): it reads
// each request off the local socket, hands it to the window as the message it stands for, on the
// interface thread, and writes the window's answer back.

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QString>

#include "platform/win/WinTypes.h"

class QLocalServer;
class QLocalSocket;

class RemoteWindowServer : public QObject
{
public:
    RemoteWindowServer(HWND hWnd, const QString& socketPath);
    ~RemoteWindowServer() override;

    // Starts listening (user-only); FALSE when the socket cannot be made.
    bool Listen();
    // Marks the socket as the most recently activated window's.
    void Touch() const;
    const QString& GetSocketPath() const { return m_strPath; }

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* pSocket);
    qint64 Dispatch(quint32 nMessage, quint64 wParam, const QByteArray& bytes);

    HWND m_hWnd = nullptr;
    QString m_strPath;
    QLocalServer* m_pServer = nullptr;
    QHash<QLocalSocket*, QByteArray> m_pending;
};
