#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <functional>

// Best of five, in milliseconds: the machine is shared.
inline double milliseconds(const std::function<void()>& work)
{
    double best = 1e18;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
