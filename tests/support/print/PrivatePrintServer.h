#pragma once
// A print server of the test's own: cupsd run as a child process on a folder of its own, listening only
// on a local socket there, with queues that print into /dev/null. The test points the print system at the
// socket (CUPS_SERVER, before anything prints) and can take a queue away, make it refuse jobs or stop the
// whole server while the program runs. Header only: test programs that link the print library include it.

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QString>
#include <QtCore/QThread>

#include <cups/cups.h>

#include <memory>

namespace kctest {

class PrivatePrintServer
{
public:
    // The server keeps its files in folder (which must exist); its socket is folder/cups.sock.
    explicit PrivatePrintServer(const QString& folder) : m_folder(folder) {}
    ~PrivatePrintServer() { Stop(); }
    PrivatePrintServer(const PrivatePrintServer&) = delete;
    PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

    QString Socket() const { return QDir(m_folder).filePath(QStringLiteral("cups.sock")); }

    // Starts the server and waits until it answers (a few seconds at most). False with why otherwise.
    bool Start(QString* why)
    {
        const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"),
                                                                                        QStringLiteral("/sbin")});
        if (cupsd.isEmpty())
            return Fail(why, QStringLiteral("cupsd is not installed (Debian package cups-daemon)"));
        const QDir dir(m_folder);
        for (const char* sub : {"spool", "tmp", "cache", "state", "log"})
            dir.mkpath(QString::fromLatin1(sub));
        QFile::remove(Socket());
        // Everyone on the socket may do everything: the socket lies in the test's own folder.
        const QString server = QStringLiteral("Listen %1\n"
                                              "LogLevel info\n"
                                              "Browsing Off\n"
                                              "WebInterface No\n"
                                              "DefaultPolicy open\n"
                                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                              "<Policy open>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                                              "  </Limit>\n</Policy>\n")
                                   .arg(Socket());
        const QString files = QStringLiteral("ServerRoot %1\n"
                                             "RequestRoot %1/spool\n"
                                             "TempDir %1/tmp\n"
                                             "CacheDir %1/cache\n"
                                             "StateDir %1/state\n"
                                             "AccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\n"
                                             "PageLog %1/log/page_log\n"
                                             "Printcap %1/printcap\n"
                                             "FileDevice Yes\n"
                                             "ServerBin /usr/lib/cups\n"
                                             "DataDir /usr/share/cups\n")
                                  .arg(m_folder);
        if (!Write(dir.filePath(QStringLiteral("cupsd.conf")), server) ||
            !Write(dir.filePath(QStringLiteral("cups-files.conf")), files))
            return Fail(why, QStringLiteral("cannot write the server's configuration in ") + m_folder);
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        m_process->start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), dir.filePath(QStringLiteral("cupsd.conf")),
                                 QStringLiteral("-s"), dir.filePath(QStringLiteral("cups-files.conf"))});
        if (!m_process->waitForStarted(5000))
            return Fail(why, QStringLiteral("cupsd did not start: ") + m_process->errorString());
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            if (m_process->state() != QProcess::Running)
                return Fail(why, QStringLiteral("cupsd ended: ") + QString::fromLocal8Bit(m_process->readAll()) +
                                     ErrorLog());
            if (http_t* http = Connect()) {
                httpClose(http);
                return true;
            }
            QThread::msleep(20);
        }
        return Fail(why, QStringLiteral("cupsd does not answer on ") + Socket() + ErrorLog());
    }

    // Ends the server (its queues and jobs go with it); nothing when it is not running.
    void Stop()
    {
        if (!m_process)
            return;
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(10000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }

    // A queue that takes jobs and prints them into /dev/null.
    bool AddQueue(const QString& name)
    {
        ipp_t* request = NewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, "file:/dev/null");
        ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        return Send(request);
    }
    bool DeleteQueue(const QString& name) { return Send(NewRequest(IPP_OP_CUPS_DELETE_PRINTER, name)); }
    bool RefuseJobs(const QString& name) { return Send(NewRequest(IPP_OP_CUPS_REJECT_JOBS, name)); }
    bool SetDefault(const QString& name) { return Send(NewRequest(IPP_OP_CUPS_SET_DEFAULT, name)); }

    // The jobs the queue holds or has finished; -1 when the server does not answer.
    int JobCount(const QString& name) const
    {
        http_t* http = Connect();
        if (http == nullptr)
            return -1;
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(http, &jobs, name.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(n, jobs);
        httpClose(http);
        return n;
    }

    // The end of the server's error log, for failure messages.
    QString ErrorLog() const
    {
        QFile f(QDir(m_folder).filePath(QStringLiteral("log/error_log")));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QStringLiteral("\n") + QString::fromLocal8Bit(f.readAll().right(2000));
    }

private:
    static bool Fail(QString* why, const QString& text)
    {
        if (why != nullptr)
            *why = text;
        return false;
    }

    static bool Write(const QString& path, const QString& text)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) == text.toUtf8().size();
    }

    http_t* Connect() const
    {
        return httpConnect2(Socket().toLocal8Bit().constData(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 2000,
                            nullptr);
    }

    static ipp_t* NewRequest(ipp_op_t op, const QString& name)
    {
        ipp_t* request = ippNewRequest(op);
        const QByteArray uri = "ipp://localhost/printers/" + name.toUtf8();
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, "root");
        return request;
    }

    // Sends an administrative request (and frees it); true when the server did it.
    bool Send(ipp_t* request) const
    {
        http_t* http = Connect();
        if (http == nullptr) {
            ippDelete(request);
            return false;
        }
        ipp_t* response = cupsDoRequest(http, request, "/admin/");
        const bool done = response != nullptr && ippGetStatusCode(response) < 0x0100;
        ippDelete(response);
        httpClose(http);
        return done;
    }

    QString m_folder;
    std::unique_ptr<QProcess> m_process;
};

}  // namespace kctest
