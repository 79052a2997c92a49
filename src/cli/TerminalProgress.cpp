#include "TerminalProgress.h"

#include <unistd.h>

namespace {
constexpr qint64 RedrawMs = 100;
}

TerminalProgress::TerminalProgress(std::FILE* stream) : m_stream(stream), m_terminal(isatty(fileno(stream)) != 0) {}

void TerminalProgress::setProgressVisible(bool visible)
{
    if (!m_terminal)
        return;
    if (visible) {
        m_value = 0;
        m_total = 0;
        show(true);
    } else {
        std::fputs("\r\033[K", m_stream); // the line goes, the report keeps the screen
        std::fflush(m_stream);
    }
}

void TerminalProgress::setProgressRange(int, int maximum)
{
    m_total = maximum;
}

void TerminalProgress::setProgressValue(int value)
{
    m_value = value;
    show(false);
}

void TerminalProgress::show(bool now)
{
    if (!m_terminal || (!now && m_sinceShown.isValid() && m_sinceShown.elapsed() < RedrawMs))
        return;
    m_sinceShown.start();
    const QString line = QStringLiteral("\r\033[K%1/%2 links  %3").arg(m_value).arg(m_total).arg(m_document);
    std::fputs(line.toLocal8Bit().constData(), m_stream);
    std::fflush(m_stream);
}
