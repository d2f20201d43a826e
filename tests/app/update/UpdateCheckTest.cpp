// The update check against a feed served by the test itself on 127.0.0.1: what it tells the user for
// each feed, failures of the transfer, when a check is due, and that nothing is contacted without a
// product site or with the English interface.

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtNetwork/QTcpServer>
#include <QtNetwork/QTcpSocket>

#include "ProgramFixture.h"
#include "app/UpdateChecker.h"
#include "platform/win/Registry.h"
#include "platform/win/SettingsStore.h"

namespace {

// One answer for every request, and the paths asked for.
class FeedServer
{
public:
    FeedServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* pSocket = m_server.nextPendingConnection()) {
                QObject::connect(pSocket, &QTcpSocket::readyRead, pSocket, [this, pSocket] {
                    m_pending[pSocket] += pSocket->readAll();
                    const QByteArray& request = m_pending[pSocket];
                    if (!request.contains("\r\n\r\n"))
                        return;
                    paths.append(QString::fromLatin1(request.split(' ').value(1)));
                    agents.append(QString::fromLatin1(request));
                    QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: text/xml\r\n" +
                                        extraHeaders + "Content-Length: " + QByteArray::number(body.size()) +
                                        "\r\nConnection: close\r\n\r\n" + body;
                    pSocket->write(answer);
                    pSocket->disconnectFromHost();
                });
                QObject::connect(pSocket, &QTcpSocket::disconnected, pSocket, &QObject::deleteLater);
            }
        });
    }
    QString Site() const { return QStringLiteral("http://127.0.0.1:%1/kc/").arg(m_server.serverPort()); }

    int status = 200;
    QByteArray body;
    QByteArray extraHeaders;
    QStringList paths;
    QStringList agents;

private:
    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

QByteArray Feed(const char* product, const char* version, const char* minimum, const char* link = nullptr)
{
    QByteArray item = "<item><productType>" + QByteArray(product) + "</productType><version>" + version +
                      "</version><requiredMinVersion>" + minimum + "</requiredMinVersion>";
    if (link != nullptr)
        item += "<link>" + QByteArray(link) + "</link>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss><channel><title>更新</title>" + item + "</item></channel></rss>";
}

class UpdateCheckTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        CQZ2App::SetOpenUrlFunction(&UpdateCheckTest::RecordOpen);
        Opened().clear();
    }
    void TearDown() override
    {
        CQZ2App::SetOpenUrlFunction(nullptr);
        ProgramFixture::TearDown();
    }
    static void SetMachineSite(const QString& site)
    {
        const std::u16string path = SettingsStore::MachineFilePath();
        QDir().mkpath(QFileInfo(QString::fromStdU16String(path)).absolutePath());
        SettingsStore store(path, SettingsStore::RootName(SettingsStore::LocalMachine), false);
        const std::u16string key = u"Software\\Korvan\\Rivedi VEZ Dadazizo 4\\Web";
        ASSERT_EQ(store.CreateKey(key, nullptr), ERROR_SUCCESS);
        const std::u16string value = site.toStdU16String();
        ASSERT_EQ(store.SetValue(key, u"Site", REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
                  ERROR_SUCCESS);
    }
    static QStringList& Opened()
    {
        static QStringList opened;
        return opened;
    }
    static BOOL RecordOpen(const CString& url)
    {
        Opened().append(url.ToQString());
        return TRUE;
    }
    // A manual check run to its end; the one message it showed.
    QString CheckNow()
    {
        UpdateChecker* pChecker = m_app->GetUpdateChecker();
        const size_t before = m_app->boxes.size();
        pChecker->CheckForUpdate(-1);
        WaitFor([&] { return !pChecker->IsRunning(); });
        Pump();
        EXPECT_EQ(m_app->boxes.size(), before + 1);
        return m_app->boxes.size() > before ? m_app->boxes.back().text : QString();
    }
};

TEST(UpdateChecker, VersionStrings)
{
    struct Case {
        const char* text;
        bool ok;
        int major, minor, build;
    } cases[] = {
        {"4", true, 4, 0, 0},        {"4.21", true, 4, 21, 0},    {"4.21.5", true, 4, 21, 5},
        {"4.21.5.9", false, 0, 0, 0}, {"4.x", false, 0, 0, 0},    {"", true, 0, 0, 0},
        {"4.", true, 4, 0, 0},       {"99999999999.1", false, 0, 0, 0}, {"-1.2", true, -1, 2, 0},
    };
    for (const Case& c : cases) {
        int major = -9, minor = -9, build = -9;
        const BOOL ok = UpdateChecker::ParseVersionString(QString::fromLatin1(c.text), major, minor, build);
        EXPECT_EQ(ok != FALSE, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(major, c.major) << c.text;
            EXPECT_EQ(minor, c.minor) << c.text;
            EXPECT_EQ(build, c.build) << c.text;
        }
    }
}

TEST(UpdateChecker, DueFromTheLocalMidnightAfterTheLastCheck)
{
    const QTimeZone tokyo("Asia/Tokyo");
    ASSERT_TRUE(tokyo.isValid());
    // The last check: 2026-12-10 23:59 in Tokyo.
    const qint64 last = QDateTime(QDate(2026, 12, 10), QTime(23, 59), tokyo).toSecsSinceEpoch();
    auto at = [&](int day, int h, int m) { return QDateTime(QDate(2026, 12, day), QTime(h, m), tokyo); };
    struct Case {
        int period;
        QDateTime now;
        bool due;
    } cases[] = {
        {1, at(10, 23, 59), false}, {1, at(11, 0, 0), true},  {5, at(11, 0, 0), true},   {5, at(10, 23, 59), false},
        {2, at(16, 23, 0), false},  {2, at(17, 0, 0), true},  {3, at(31, 12, 0), false}, {0, at(31, 12, 0), false},
        {-1, at(10, 23, 59), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateChecker::IsUpdateCheckDue(c.period, last, c.now, tokyo) != FALSE, c.due)
            << c.period << " " << c.now.toString().toStdString();
    // December 31 plus 30 days from the 10th is January 9.
    EXPECT_TRUE(UpdateChecker::IsUpdateCheckDue(3, last, QDateTime(QDate(2027, 1, 9), QTime(0, 0), tokyo), tokyo));
}

TEST_F(UpdateCheckTest, FeedsAndWhatTheUserIsTold)
{
    FeedServer server;
    SetMachineSite(server.Site());
    const QString latest = QStringLiteral("すでに最新版がインストールされています。");
    const QString newer = QStringLiteral("新しいバージョンの「Rivedi VEZ」が公開されています。");
    const QString failed = QStringLiteral("更新情報を取得できませんでした。");
    struct Case {
        const char* what;
        QByteArray body;
        QString told;
        QString opened;  // empty: nothing
    } cases[] = {
        {"this version", Feed("Rivedi VEZ Dadazizo", "4.21", "4.0"), latest, QString()},
        {"a build of this version", Feed("rivedi vez dadazizo", "4.21.5", "4.0"), latest, QString()},
        {"a newer one", Feed("Rivedi VEZ Dadazizo", "4.22", "4.0", "https://example.test/download/"), newer,
         QStringLiteral("https://example.test/download/")},
        {"not over this version", Feed("Rivedi VEZ Dadazizo", "5.0", "4.30", "https://example.test/"), latest, QString()},
        {"another product", Feed("Rivedi VEZ Viewer", "9.0", "1.0", "https://example.test/"), latest, QString()},
        {"no link", Feed("Rivedi VEZ Dadazizo", "4.22", "4.0"), newer, server.Site()},
        {"a link that is no web page", Feed("Rivedi VEZ Dadazizo", "4.22", "4.0", "file:///etc/passwd"), newer,
         server.Site()},
        {"no XML", QByteArray("<html>garbage"), failed, QString()},
        {"oversize", QByteArray(UpdateChecker::kMaxFeedBytes + 10, 'x'), failed, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Opened().clear();
        server.body = c.body;
        EXPECT_TRUE(CheckNow().startsWith(c.told));
        EXPECT_EQ(Opened(), c.opened.isEmpty() ? QStringList() : QStringList{c.opened});
    }
    EXPECT_EQ(server.paths.value(0), QStringLiteral("/kc/files/update/kcupdate.xml"));
    EXPECT_TRUE(server.agents.value(0).contains(QStringLiteral("User-Agent: Rivedi VEZ/4.21 (")));

    server.status = 404;
    server.body = "not here";
    EXPECT_EQ(CheckNow(), QStringLiteral("更新情報を取得できませんでした。\n\nステータスコード : 404"));

    // A redirect to another kind of address is not followed.
    server.status = 302;
    server.extraHeaders = "Location: ftp://127.0.0.1/feed.xml\r\n";
    EXPECT_TRUE(CheckNow().startsWith(failed));
}

TEST_F(UpdateCheckTest, NothingIsContactedWithoutASiteOrWithTheEnglishInterface)
{
    FeedServer server;
    server.body = Feed("Rivedi VEZ Dadazizo", "4.22", "4.0");
    UpdateChecker* pChecker = m_app->GetUpdateChecker();
    // No site.
    EXPECT_FALSE(pChecker->CheckForUpdate(-1));
    EXPECT_FALSE(pChecker->IsRunning());
    // English: the menu command does nothing.
    SetMachineSite(server.Site());
    const int requests = pChecker->GetRequestCount();
    Command(34951);
    EXPECT_EQ(pChecker->GetRequestCount(), requests);
    Pump();
    EXPECT_TRUE(server.paths.isEmpty());
    EXPECT_TRUE(m_app->boxes.empty());

    // Without a stored time the last check counts as now: the automatic one is not due.
    EXPECT_TRUE(pChecker->CheckForUpdate(1));
    EXPECT_TRUE(m_app->boxes.empty());

    // The automatic check asks first; No only stores the time.
    const QDateTime later = QDateTime::currentDateTimeUtc().addDays(2);
    pChecker->SetClock([later] { return later; }, QTimeZone::systemTimeZone());
    m_app->answer = IDNO;
    EXPECT_TRUE(pChecker->CheckForUpdate(1));
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_TRUE(m_app->boxes[0].text.contains(QStringLiteral("最新版があるかどうかをチェックします")));
    EXPECT_FALSE(pChecker->IsRunning());
}

}  // namespace
