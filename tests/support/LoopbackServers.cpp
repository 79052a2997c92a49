#include "LoopbackServers.h"

#include "TestPaths.h"
#include "web/CurlHandles.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int StartupTimeoutMs = 30000;
constexpr int StatsTimeoutMs = 5000;

size_t appendTo(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, qsizetype(size * count));
    return size * count;
}

// A plain blocking GET, independent of the transfer layer under test.
QByteArray fetch(const QString& url)
{
    QByteArray body;
    CurlEasyPtr handle(curl_easy_init());
    const QByteArray encoded = url.toUtf8();
    curl_easy_setopt(handle.get(), CURLOPT_URL, encoded.constData());
    curl_easy_setopt(handle.get(), CURLOPT_TIMEOUT_MS, long(StatsTimeoutMs));
    curl_easy_setopt(handle.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, &appendTo);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &body);
    return curl_easy_perform(handle.get()) == CURLE_OK ? body : QByteArray();
}

} // namespace

LoopbackServers::LoopbackServers(const LoopbackServerOptions& options) : m_options(options)
{
    if (!m_workDir.isValid()) {
        m_errorText = QStringLiteral("cannot create a temporary folder: %1").arg(m_workDir.errorString());
        return;
    }
    QStringList arguments{QStringLiteral(TARNWICK_TEST_SUPPORT_DIR "/loopback_servers.py"),
                          QStringLiteral("--hosts"),
                          options.hosts.join(u','),
                          QStringLiteral("--lifetime"),
                          QString::number(options.lifetimeSeconds),
                          QStringLiteral("--tls-dir"),
                          m_workDir.path(),
                          QStringLiteral("--ftp-dir"),
                          m_workDir.filePath(QStringLiteral("ftp"))};
    if (!options.soft404Host.isEmpty())
        arguments << QStringLiteral("--soft404") << options.soft404Host;
    if (!options.plain404Host.isEmpty())
        arguments << QStringLiteral("--plain404") << options.plain404Host;
    m_process.start(options.python, arguments);
    m_ready = waitForReady();
}

LoopbackServers::~LoopbackServers()
{
    // QProcess::kill sends SIGKILL to the process it started, by its id.
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool LoopbackServers::waitForReady()
{
    static const QRegularExpression ready(QStringLiteral("^READY http=(\\d+) https=(\\d+) ftp=(\\d+)"));
    const QDeadlineTimer deadline(StartupTimeoutMs);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QRegularExpressionMatch match = ready.match(QString::fromUtf8(m_process.readLine()));
            if (match.hasMatch()) {
                m_httpPort = match.captured(1).toInt();
                m_httpsPort = match.captured(2).toInt();
                m_ftpPort = match.captured(3).toInt();
                return true;
            }
        }
        if (m_process.state() == QProcess::NotRunning) {
            m_errorText = QStringLiteral("the server script ended before it was ready (%1): %2")
                              .arg(m_process.errorString(), QString::fromUtf8(m_process.readAllStandardError()));
            return false;
        }
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    m_errorText = QStringLiteral("the server script was not ready within %1 ms").arg(StartupTimeoutMs);
    return false;
}

QString LoopbackServers::missingPrerequisite(const QString& python)
{
    if (!QFileInfo(python).isExecutable())
        return QStringLiteral("%1 not found: the loopback test servers need it").arg(python);
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return QStringLiteral("%1 cannot import pyftpdlib (Debian package python3-pyftpdlib): the loopback "
                              "test servers need it")
            .arg(python);
    return {};
}

namespace {

// A socket bound to a free loopback port, listening or not; the port, or 0.
int bindLoopback(int fd, bool listening)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        (listening && ::listen(fd, 8) != 0) || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

} // namespace

int LoopbackServers::closedLoopbackPort()
{
    // Bind to a free port and close it again: nothing listens there afterwards.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int port = bindLoopback(fd, false);
    if (fd >= 0)
        ::close(fd);
    return port;
}

SilentListener::SilentListener() : m_fd(::socket(AF_INET, SOCK_STREAM, 0)), m_port(bindLoopback(m_fd, true)) {}

SilentListener::~SilentListener()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int LoopbackServers::port(Scheme scheme) const
{
    switch (scheme) {
    case Scheme::Http:
        return m_httpPort;
    case Scheme::Https:
        return m_httpsPort;
    case Scheme::Ftp:
        break;
    }
    return m_ftpPort;
}

QString LoopbackServers::caFile() const
{
    return m_workDir.filePath(QStringLiteral("ca.pem"));
}

QString LoopbackServers::url(const QString& host, const QString& path, Scheme scheme) const
{
    static const char* const schemes[] = {"http", "https", "ftp"};
    const QString hostPart = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("%1://%2:%3%4")
        .arg(QLatin1String(schemes[int(scheme)]), hostPart, QString::number(port(scheme)), path);
}

QJsonObject LoopbackServers::stats() const
{
    return QJsonDocument::fromJson(fetch(url(m_options.hosts.value(0), QStringLiteral("/__stats")))).object();
}

int LoopbackServers::requestCount(const QString& host, const QString& request) const
{
    return stats().value(host).toObject().value(request).toInt();
}
