#pragma once
// Top-level windows of this user's other processes, as the sending side of WM_COPYDATA sees them.
// A window made reachable under a class name (Expose) listens on a user-only local socket in the
// user's runtime folder; other processes find it by that class name and send it WM_COPYDATA, or ask
// it to come forward, each with a timeout, so that a hung process never hangs the sender.

#include <QtCore/QString>

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinTypes.h"

class RemoteWindow
{
public:
    // The largest block a WM_COPYDATA may carry between processes.
    static constexpr DWORD kMaxCopyDataBytes = 64 * 1024;

    // Makes the window reachable under the class name from this user's other processes, until
    // Unexpose or the window's end. FALSE when no socket can be made.
    static BOOL Expose(HWND hWnd, LPCTSTR lpszClassName);
    static void Unexpose(HWND hWnd);
    // Notes the window as the most recently activated of its class (the order FindAll gives).
    static void NoteActivated(HWND hWnd);

    // The windows of the class in other processes of this user, the most recently activated
    // first. The sockets of processes that ended are removed on the way.
    static std::vector<RemoteWindow> FindAll(LPCTSTR lpszClassName);
    // The folder of the sockets (user-only); empty when none can be had.
    static QString SocketFolder();

    // WM_COPYDATA to the window. FALSE when it cannot be reached or does not answer within
    // nTimeoutMs (then *pResult is left alone); a window that cannot be reached at all loses its socket.
    BOOL SendCopyData(const COPYDATASTRUCT& data, UINT nTimeoutMs, LRESULT* pResult) const;
    // Asks the window to restore itself when minimised, show and come to the front; FALSE when it
    // does not answer in time.
    BOOL BringToFront(UINT nTimeoutMs) const;

    const QString& GetSocketPath() const { return m_strSocket; }
    qint64 GetProcessId() const { return m_nPid; }

    // The wire: a request is the magic, the message, wParam (dwData for WM_COPYDATA), the byte count
    // and the bytes; the answer is the magic and the 64-bit result.
    static constexpr quint32 kMagic = 0x4B435257;  // "KCRW"
    // The request to come forward (no Windows message of its own).
    static constexpr quint32 kBringToFront = 0x8000;

private:
    BOOL Exchange(quint32 nMessage, quint64 wParam, const QByteArray& bytes, UINT nTimeoutMs, qint64* pResult) const;

    QString m_strSocket;
    qint64 m_nPid = 0;
    qint64 m_nStamp = 0;
};
