#include "WindowProgress.h"

#include "JapaneseTexts.h"
#include "StatusStrip.h"

#include <QLabel>
#include <QProgressBar>

namespace {
// Where the link being checked is printed on the strip, in twips.
constexpr int LinkTextLeft = 4300;
constexpr int LinkTextTop = 80;
} // namespace

WindowProgress::WindowProgress(QLabel* status, QProgressBar* bar, StatusStrip* strip)
    : m_status(status), m_bar(bar), m_strip(strip)
{
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
    m_bar->setValue(value);
}

void WindowProgress::showCurrentLink(const QString& value)
{
    if (value.isEmpty())
        m_strip->clear();
    else
        m_strip->printText(LinkTextLeft, LinkTextTop, value);
}
