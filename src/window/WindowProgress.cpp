#include "WindowProgress.h"

#include "StatusStrip.h"
#include "WindowTexts.h"

#include <QLabel>
#include <QProgressBar>

namespace {
// Where the link being checked is printed on the strip, in twips.
constexpr int LinkTextLeft = 4300;
constexpr int LinkTextTop = 80;
constexpr int BarRestMs = 50;
} // namespace

WindowProgress::WindowProgress(QLabel* status, QProgressBar* bar, StatusStrip* strip)
    : m_status(status), m_bar(bar), m_strip(strip)
{
    m_barRestTimer.setSingleShot(true);
    m_barRestTimer.setInterval(BarRestMs);
    m_barRestTimer.callOnTimeout([this] { m_bar->setValue(m_pendingValue); });
}

void WindowProgress::setPhase(CheckPhase phase)
{
    m_status->setText(phaseText(phase));
    m_status->update();
}

void WindowProgress::setProgressVisible(bool visible)
{
    m_bar->setVisible(visible);
    m_bar->update();
}

void WindowProgress::setProgressRange(int minimum, int maximum)
{
    m_bar->setRange(minimum, maximum);
}

void WindowProgress::setProgressValue(int value)
{
    // The bar repaints at once whenever its text changes, and "decided / total" changes with every link:
    // a repaint per link would cost more than checking a large document. So after a value is shown the
    // bar rests a moment and then shows the latest; the first and the last value show at once.
    m_pendingValue = value;
    if (value <= m_bar->minimum() || value >= m_bar->maximum()) {
        m_barRestTimer.stop();
        m_bar->setValue(value);
    } else if (!m_barRestTimer.isActive()) {
        m_bar->setValue(value);
        m_barRestTimer.start();
    }
}

void WindowProgress::showCurrentLink(const QString& value)
{
    if (value.isEmpty())
        m_strip->clear();
    else
        m_strip->printText(LinkTextLeft, LinkTextTop, value);
}
