#pragma once
// Looks for a newer release of the program, at most once per chosen period: reads the release feed
// of the product site (set in the machine-wide settings; without it nothing is ever contacted),
// asynchronously on the interface thread, one check at a time, and tells the user in Japanese.

#include <QtCore/QByteArray>
#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <QtCore/QTimeZone>

#include <functional>

#include "platform/afx/AfxTypes.h"

class QNetworkAccessManager;
class QNetworkReply;

class UpdateChecker
{
public:
    // This program's version, major << 16 | minor.
    static constexpr DWORD kThisVersion = 0x40015;
    // The feed's place below the product site.
    static constexpr const char* kFeedPath = "files/update/kcupdate.xml";
    // Limits of what a feed may be.
    static constexpr qint64 kMaxFeedBytes = 1024 * 1024;
    static constexpr int kTimeoutMs = 30000;
    static constexpr int kMaxRedirects = 5;

    enum FeedResult { feedNewer, feedLatest, feedUnreadable };

    UpdateChecker();
    virtual ~UpdateChecker();

    // nPeriod: 0 never, 1 daily, 2 weekly, 3 every 30 days, -1 now (asked by the user). FALSE when
    // nothing could be started (no site, no connection, a check already running).
    BOOL CheckForUpdate(int nPeriod);
    // Ends a running check without a word (at exit).
    void Cancel();
    BOOL IsRunning() const { return m_pReply != nullptr; }
    // How many checks were asked for in this run.
    int GetRequestCount() const { return m_nRequests; }

    // Whether a check with the period is due when the last one was at tLast (seconds since 1970, UTC):
    // from the local midnight of that day plus the period's days.
    static BOOL IsUpdateCheckDue(int nPeriod, qint64 tLast, const QDateTime& now, const QTimeZone& zone);
    static BOOL ParseVersionString(const QString& text, int& major, int& minor, int& build);
    static BOOL ParseVersionNumber(const QString& text, int& number);
    // The first release in the feed for this product that is newer and may be installed over this
    // version; its download page (empty when it names none, or none that is http(s)).
    static FeedResult ParseUpdateFeed(const QByteArray& feed, QString& link);

    // The time and zone the due check reads; tests set their own.
    void SetClock(std::function<QDateTime()> clock, const QTimeZone& zone);

private:
    void OnFinished();
    void Show(const QString& text, UINT nType);

    int m_nRequests = 0;
    std::function<QDateTime()> m_clock;
    QTimeZone m_zone;
    QNetworkAccessManager* m_pManager = nullptr;
    QNetworkReply* m_pReply = nullptr;
    QString m_strSite;
    bool m_bTooLarge = false;
    bool m_bSchemeChanged = false;
};
