#include "links/CheckProgress.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A poll lets pending events through: the first one at once, later ones once the interval has passed.
TEST(CheckProgress, PollsLetPendingEventsThrough)
{
    CheckProgress progress;
    int delivered = 0;
    const auto post = [&] {
        QMetaObject::invokeMethod(
            qApp, [&] { ++delivered; }, Qt::QueuedConnection);
    };
    post();
    progress.processEvents();
    EXPECT_EQ(delivered, 1);
    post();
    QThread::msleep(CheckProgress::PollIntervalMs + 5);
    progress.processEvents();
    EXPECT_EQ(delivered, 2);
}

} // namespace
