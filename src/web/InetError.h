#pragma once

#include <QString>

#include <stdexcept>

// Why OpenURL gave no body: the transfer failed, was cancelled, or the URL was unusable.
class InetError : public std::runtime_error {
public:
    InetError(const QString& reason, bool cancelled)
        : std::runtime_error(reason.toStdString()), m_reason(reason), m_cancelled(cancelled)
    {
    }

    QString reason() const { return m_reason; }
    // True when Cancel() or the abort check ended the request, rather than the network or the server.
    bool isCancelled() const { return m_cancelled; }

private:
    QString m_reason;
    bool m_cancelled;
};
