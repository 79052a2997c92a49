#include "web/InetControl.h"

#include <QPointer>

namespace {
constexpr int AbortPollMs = 100;
}

InetControl::InetControl(QObject* parent) : QObject(parent)
{
    connect(&m_multi, &CurlMulti::blockArrived, this, &InetControl::onBlockArrived);
    connect(&m_multi, &CurlMulti::finished, this, &InetControl::onFinished);
    m_abortTimer.setInterval(AbortPollMs);
    connect(&m_abortTimer, &QTimer::timeout, this, &InetControl::pollAbortCheck);
}

InetControl::~InetControl()
{
    if (m_loop)
        m_loop->quit();
}

QByteArray InetControl::OpenURL(const QString& url)
{
    // A window event handled while we block may ask for another request; the control does one at a time.
    if (m_loop)
        throw InetError(QStringLiteral("a request is already running"), false);

    TransferRequest request = m_template;
    request.url = url;
    m_host = parseWrittenUrl(url).host();
    m_result = TransferResult();
    m_running = true;
    m_id = m_multi.start(request);

    QEventLoop loop;
    m_loop = &loop;
    if (m_abortCheck)
        m_abortTimer.start();
    const QPointer<InetControl> alive(this);
    if (m_running)
        loop.exec();
    if (!alive)
        throw InetError(QStringLiteral("cancelled: the transfer control was closed"), true);
    m_abortTimer.stop();
    m_loop = nullptr;

    switch (m_result.outcome) {
    case TransferResult::Outcome::Completed:
        return std::exchange(m_result.body, QByteArray());
    case TransferResult::Outcome::Cancelled:
        throw InetError(m_result.errorText, true);
    case TransferResult::Outcome::Failed:
        break;
    }
    throw InetError(m_result.errorText, false);
}

QString InetControl::GetHeader(const QString& name) const
{
    return m_running ? m_multi.header(m_id, name) : m_result.header(name);
}

QByteArray InetControl::GetChunk(int maxBytes)
{
    return m_running ? m_multi.takeReceived(m_id, maxBytes) : takeFront(m_result.body, maxBytes);
}

void InetControl::Cancel()
{
    if (m_running)
        m_multi.cancel(m_id);
}

long InetControl::ResponseCode() const
{
    return m_running ? m_multi.status(m_id) : m_result.status;
}

void InetControl::onBlockArrived(quint64 id)
{
    if (id == m_id && m_running)
        emit StateChanged(StateBlockArrived);
}

void InetControl::onFinished(quint64 id, const TransferResult& result)
{
    if (id != m_id)
        return;
    m_result = result;
    m_running = false;
    // Quit first: the loop returns only once we are back in it, and a handler of the signal below may
    // destroy this control.
    if (m_loop)
        m_loop->quit();
    if (m_result.outcome == TransferResult::Outcome::Completed)
        emit StateChanged(StateResponseCompleted);
}

void InetControl::pollAbortCheck()
{
    if (m_running && m_abortCheck())
        Cancel();
}
