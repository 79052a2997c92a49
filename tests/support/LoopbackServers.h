#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Which servers to start; see loopback_servers.py --help for the paths and host roles.
struct LoopbackServerOptions {
    QStringList hosts{QStringLiteral("127.0.0.1")}; // every host serves HTTP, HTTPS and FTP on shared ports
    QString soft404Host;                            // answers every path with 200 and one constant body
    QString plain404Host;                           // answers every path with one constant 404 body
    int lifetimeSeconds = 120;                      // the server process exits by itself after this
    QString python = QStringLiteral("/usr/bin/python3");
};

// The loopback HTTP/HTTPS/FTP servers of tests/support/loopback_servers.py, running for the lifetime of
// this object. Start-up waits a bounded time for the script's READY line; the destructor kills the
// process by its id.
class LoopbackServers {
public:
    enum class Scheme { Http, Https, Ftp };

    explicit LoopbackServers(const LoopbackServerOptions& options = LoopbackServerOptions());
    ~LoopbackServers();
    LoopbackServers(const LoopbackServers&) = delete;
    LoopbackServers& operator=(const LoopbackServers&) = delete;

    // Why the servers cannot run on this machine (no interpreter, no pyftpdlib); empty when they can.
    // Tests skip on this and only on this: any other start-up problem is a failure.
    static QString missingPrerequisite(const QString& python = LoopbackServerOptions().python);
    // A loopback port nothing listens on, for "connection refused".
    static int closedLoopbackPort();

    bool isReady() const { return m_ready; }
    QString errorText() const { return m_errorText; }
    int port(Scheme scheme) const;
    // The certificate authority that signed the HTTPS certificate.
    QString caFile() const;
    // url("127.0.0.1", "/ok/a.html") -> "http://127.0.0.1:PORT/ok/a.html"; path is used as given.
    QString url(const QString& host, const QString& path, Scheme scheme = Scheme::Http) const;
    // {host: {"GET /ok/a.html": 1, "RETR /small.txt": 2, ...}} for every request so far.
    QJsonObject stats() const;
    // How often host received request ("METHOD /path", as in stats()); 0 when never.
    int requestCount(const QString& host, const QString& request) const;

private:
    bool waitForReady();

    LoopbackServerOptions m_options;
    QTemporaryDir m_workDir;
    QProcess m_process;
    bool m_ready = false;
    QString m_errorText;
    int m_httpPort = 0;
    int m_httpsPort = 0;
    int m_ftpPort = 0;
};

// A loopback port whose connections the kernel completes but nobody ever reads or answers: a server that
// hangs in the TLS handshake, or before its first byte. Closed when the listener goes.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int port() const { return m_port; } // 0 when no port could be had

private:
    int m_fd;
    int m_port;
};
