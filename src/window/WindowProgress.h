#pragma once

#include "links/LinkCheckJob.h"

#include <QTimer>

class QLabel;
class QProgressBar;
class StatusStrip;

// A running check's progress on the window's status strip: the status label, the progress bar and
// the link being checked printed on the strip.
class WindowProgress {
public:
    WindowProgress(QLabel* status, QProgressBar* bar, StatusStrip* strip);

    void setPhase(CheckPhase phase);
    void setProgressVisible(bool visible);
    void setProgressRange(int minimum, int maximum);
    void setProgressValue(int value);
    void showCurrentLink(const QString& value);

private:
    QLabel* m_status;
    QProgressBar* m_bar;
    StatusStrip* m_strip;
    // Holds the bar's later values back after one is shown (see setProgressValue).
    QTimer m_barRestTimer;
    int m_pendingValue = 0;
};
