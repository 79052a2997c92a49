#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

// What a full check is doing: counting the links (first pass) or checking them (second pass).
enum class CheckPhase { Counting, Checking };

// Where a running check shows its progress: the status text, the progress bar and the strip that
// prints the link being checked. The window implements it; headless runs keep these no-ops.
class CheckProgress {
public:
    virtual ~CheckProgress() = default;
    virtual void setPhase(CheckPhase phase) { Q_UNUSED(phase); }
    virtual void setProgressVisible(bool visible) { Q_UNUSED(visible); }
    virtual void setProgressRange(int minimum, int maximum)
    {
        Q_UNUSED(minimum);
        Q_UNUSED(maximum);
    }
    virtual void setProgressValue(int value) { Q_UNUSED(value); }
    // Prints the value of the link being checked; an empty value clears the strip.
    virtual void showCurrentLink(const QString& value) { Q_UNUSED(value); }
    // Lets the window handle pending events, so the stop button and close requests get through. A pass
    // of the event loop costs more than checking a link, so passes come at most every PollIntervalMs:
    // often enough for a person, and a document of many links is not held up by them.
    virtual void processEvents()
    {
        if (!QCoreApplication::instance() || (m_sincePoll.isValid() && m_sincePoll.elapsed() < PollIntervalMs))
            return;
        QCoreApplication::processEvents();
        m_sincePoll.start();
    }

    static constexpr qint64 PollIntervalMs = 10;

private:
    QElapsedTimer m_sincePoll;
};
