#pragma once

#include "InetControl.h"

// When a streaming FTP or .EXE transfer is cut: the fifth time within one transfer that a block is
// reported right after a block (so, in an unbroken run of blocks, at the sixth). Any other report in
// between breaks the run. One counter per transfer; a new transfer starts from a new counter.
class CutCounter {
public:
    static constexpr int MaxRepeats = 4;

    // Takes the transfer's next state report; true on each block report past the limit.
    bool cutsAt(int state)
    {
        const bool repeat = state == InetControl::StateBlockArrived && m_lastState == InetControl::StateBlockArrived;
        m_lastState = state;
        return repeat && ++m_repeats > MaxRepeats;
    }

private:
    int m_lastState = 0;
    int m_repeats = 0;
};
