#pragma once

// The user's request to stop the operation that is running: set by the stop button or a close
// request, polled by every long loop, cleared when an operation starts and ends.
class AbortRequest {
public:
    void request() { m_requested = true; }
    void clear() { m_requested = false; }
    bool isRequested() const { return m_requested; }

private:
    bool m_requested = false;
};

// What is running now. Event handlers that arrive while an operation processes events look here:
// a close request or the exit button then stops the operation instead.
struct RunState {
    bool isBusy = false;       // a load, a check run or a write's history update
    bool isNavigating = false; // a move between links
    AbortRequest abort;

    bool isOperationRunning() const { return isBusy || isNavigating; }
};
