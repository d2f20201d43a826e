#include "app/UpdateChecker.h"

#include <QtCore/QXmlStreamReader>
#include <QtNetwork/QNetworkAccessManager>
#include <QtNetwork/QNetworkInformation>
#include <QtNetwork/QNetworkReply>
#include <QtNetwork/QNetworkRequest>

#include <climits>

#include "app/CQZ2App.h"
#include "app/LastUpdateCheckTime.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace {

// The texts of the check, which the program carries in Japanese whatever its language library.
const char16_t kAskAutomatic[] =
    u"「Rivedi VEZ」の最新版があるかどうかをチェックします。\nよろしいですか？\n\n最新版をチェックする間隔は、[ツール] - "
    u"[オプション] メニューの [更新] ページで設定できます。";
const char16_t kNotConnected[] = u"インターネットに接続されていません。";
const char16_t kFailed[] = u"更新情報を取得できませんでした。";
const char16_t kFailedStatus[] = u"更新情報を取得できませんでした。\n\nステータスコード : %1";
const char16_t kFailedError[] = u"更新情報を取得できませんでした。\n\n例外エラー : %1 - %2";
const char16_t kNewer[] = u"新しいバージョンの「Rivedi VEZ」が公開されています。\nセットアップファイルをダウンロードして、"
                          u"インストールを行ってください。";
const char16_t kLatest[] = u"すでに最新版がインストールされています。\nこのままお使いください。";
const char16_t kProduct[] = u"Rivedi VEZ Dadazizo";

bool IsWebAddress(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"));
}

bool IsConnected()
{
    // Where the system tells, its word; where it cannot, assumed.
    if (QNetworkInformation::instance() == nullptr && !QNetworkInformation::loadDefaultBackend())
        return true;
    QNetworkInformation* pInfo = QNetworkInformation::instance();
    if (pInfo == nullptr || !pInfo->supports(QNetworkInformation::Feature::Reachability))
        return true;
    const auto reach = pInfo->reachability();
    return reach != QNetworkInformation::Reachability::Disconnected;
}

}  // namespace

UpdateChecker::UpdateChecker()
    : m_clock([] { return QDateTime::currentDateTimeUtc(); }), m_zone(QTimeZone::systemTimeZone())
{
}

UpdateChecker::~UpdateChecker()
{
    Cancel();
}

void UpdateChecker::SetClock(std::function<QDateTime()> clock, const QTimeZone& zone)
{
    m_clock = std::move(clock);
    m_zone = zone;
}

void UpdateChecker::Cancel()
{
    if (m_pReply != nullptr) {
        QNetworkReply* pReply = m_pReply;
        m_pReply = nullptr;
        pReply->disconnect();
        pReply->abort();
        delete pReply;
    }
    delete m_pManager;
    m_pManager = nullptr;
}

BOOL UpdateChecker::IsUpdateCheckDue(int nPeriod, qint64 tLast, const QDateTime& now, const QTimeZone& zone)
{
    if (nPeriod == 0)
        return FALSE;
    if (nPeriod == -1)
        return TRUE;
    const int days = nPeriod == 2 ? 7 : nPeriod == 3 ? 30 : 1;
    const QDateTime last = QDateTime::fromSecsSinceEpoch(tLast, zone);
    const QDateTime due = QDateTime(last.date().addDays(days), QTime(0, 0), zone);
    return now >= due ? TRUE : FALSE;
}

BOOL UpdateChecker::ParseVersionNumber(const QString& text, int& number)
{
    number = 0;
    if (text.isEmpty())
        return TRUE;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < INT_MIN || value > INT_MAX)
        return FALSE;
    number = static_cast<int>(value);
    return TRUE;
}

BOOL UpdateChecker::ParseVersionString(const QString& text, int& major, int& minor, int& build)
{
    major = minor = build = 0;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return ParseVersionNumber(text, major);
    const QString rest = text.mid(dot + 1);
    const qsizetype second = rest.indexOf(QLatin1Char('.'));
    const QString minorText = second < 0 ? rest : rest.left(second);
    const QString buildText = second < 0 ? QString() : rest.mid(second + 1);
    return ParseVersionNumber(text.left(dot), major) && ParseVersionNumber(minorText, minor) &&
                   ParseVersionNumber(buildText, build)
               ? TRUE
               : FALSE;
}

UpdateChecker::FeedResult UpdateChecker::ParseUpdateFeed(const QByteArray& feed, QString& link)
{
    link.clear();
    // The whole body as XML, in the encoding it declares.
    QXmlStreamReader xml(feed);
    struct Item {
        QString product, version, minimum, link;
        bool hasProduct = false, hasVersion = false, hasMinimum = false;
    };
    bool found = false;
    Item item;
    int depth = 0;
    int itemDepth = -1;
    auto packed = [](int major, int minor) {
        return (static_cast<DWORD>(major & 0xFFFF) << 16) | static_cast<DWORD>(minor & 0xFFFF);
    };
    while (!xml.atEnd() && !found) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringView name = xml.name();
            if (name == QStringLiteral("item") && itemDepth < 0) {
                itemDepth = depth;
                item = Item();
            } else if (itemDepth >= 0 && depth == itemDepth + 1) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --depth;
                if (name == QStringLiteral("productType")) {
                    item.product = text;
                    item.hasProduct = true;
                } else if (name == QStringLiteral("version")) {
                    item.version = text;
                    item.hasVersion = true;
                } else if (name == QStringLiteral("requiredMinVersion")) {
                    item.minimum = text;
                    item.hasMinimum = true;
                } else if (name == QStringLiteral("link")) {
                    item.link = text;
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (itemDepth >= 0 && depth == itemDepth) {
                itemDepth = -1;
                int major = 0, minor = 0, build = 0, minMajor = 0, minMinor = 0, minBuild = 0;
                if (item.hasProduct && item.product.compare(QString::fromUtf16(kProduct), Qt::CaseInsensitive) == 0 &&
                    item.hasVersion && ParseVersionString(item.version, major, minor, build) &&
                    packed(major, minor) > kThisVersion && item.hasMinimum &&
                    ParseVersionString(item.minimum, minMajor, minMinor, minBuild) &&
                    packed(minMajor, minMinor) <= kThisVersion) {
                    found = true;
                    link = item.link;
                }
            }
            --depth;
        }
    }
    if (!found && xml.hasError())
        return feedUnreadable;
    if (!found)
        return feedLatest;
    // A page to open must be a web page.
    if (!link.isEmpty() && !IsWebAddress(QUrl(link, QUrl::StrictMode)))
        link.clear();
    return feedNewer;
}

void UpdateChecker::Show(const QString& text, UINT nType)
{
    const std::u16string chars = text.toStdU16String();
    AfxMessageBox(chars.c_str(), nType);
}

BOOL UpdateChecker::CheckForUpdate(int nPeriod)
{
    ++m_nRequests;
    if (!IsUpdateCheckDue(nPeriod, GetLastUpdateCheckTime().GetTime(), m_clock(), m_zone))
        return TRUE;
    // Without a product site nothing is ever contacted.
    m_strSite = CQZ2App::GetProductSite().ToQString();
    if (m_strSite.isEmpty() || m_pReply != nullptr)
        return FALSE;
    const bool connected = IsConnected();
    if (nPeriod != -1) {
        if (!connected)
            return FALSE;
        if (AfxMessageBox(reinterpret_cast<LPCTSTR>(kAskAutomatic), MB_YESNO | MB_ICONQUESTION) != IDYES) {
            SetLastUpdateCheckTime();
            return TRUE;
        }
    } else if (!connected) {
        Show(QString::fromUtf16(kNotConnected), MB_OK);
        return FALSE;
    }

    if (m_pManager == nullptr)
        m_pManager = new QNetworkAccessManager;
    QNetworkRequest request(QUrl(m_strSite + QString::fromLatin1(kFeedPath)));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Rivedi VEZ/%1.%2 (%3)").arg(kThisVersion >> 16).arg(kThisVersion & 0xFFFF).arg(m_strSite));
    request.setRawHeader("Accept", "text/*");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(kTimeoutMs);
    m_bTooLarge = false;
    m_bSchemeChanged = false;
    QNetworkReply* pReply = m_pManager->get(request);
    m_pReply = pReply;
    const QString scheme = request.url().scheme();
    QObject::connect(pReply, &QNetworkReply::redirected, pReply, [this, pReply, scheme](const QUrl& url) {
        // A redirect keeps to the same kind of address.
        if (url.scheme() == scheme) {
            emit pReply->redirectAllowed();
        } else {
            m_bSchemeChanged = true;
            pReply->abort();
        }
    });
    QObject::connect(pReply, &QNetworkReply::downloadProgress, pReply, [this, pReply](qint64 received, qint64 total) {
        if (received > kMaxFeedBytes || total > kMaxFeedBytes) {
            m_bTooLarge = true;
            pReply->abort();
        }
    });
    QObject::connect(pReply, &QNetworkReply::finished, pReply, [this] { OnFinished(); });
    SetLastUpdateCheckTime();
    return TRUE;
}

void UpdateChecker::OnFinished()
{
    QNetworkReply* pReply = m_pReply;
    if (pReply == nullptr)
        return;
    m_pReply = nullptr;
    pReply->deleteLater();
    const int status = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && !m_bSchemeChanged) {
        Show(QString::fromUtf16(kFailedStatus).arg(status), MB_ICONEXCLAMATION);
        return;
    }
    if (m_bTooLarge || m_bSchemeChanged) {
        Show(QString::fromUtf16(kFailed), MB_ICONEXCLAMATION);
        return;
    }
    if (pReply->error() != QNetworkReply::NoError) {
        Show(QString::fromUtf16(kFailedError).arg(static_cast<int>(pReply->error())).arg(pReply->errorString().left(1024)),
             MB_ICONEXCLAMATION);
        return;
    }
    const QByteArray body = pReply->read(kMaxFeedBytes + 1);
    if (body.isEmpty() || body.size() > kMaxFeedBytes) {
        Show(QString::fromUtf16(kFailed), MB_ICONEXCLAMATION);
        return;
    }
    QString link;
    switch (ParseUpdateFeed(body, link)) {
    case feedNewer:
        Show(QString::fromUtf16(kNewer), MB_ICONINFORMATION);
        CQZ2App::OpenUrl(CString::FromQString(link.isEmpty() ? m_strSite : link));
        break;
    case feedLatest:
        Show(QString::fromUtf16(kLatest), MB_ICONINFORMATION);
        break;
    case feedUnreadable:
        Show(QString::fromUtf16(kFailed), MB_ICONEXCLAMATION);
        break;
    }
}
