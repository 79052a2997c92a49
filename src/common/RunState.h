#pragma once

// What the window is doing now. Event handlers that could start another operation look here first.
struct RunState {
    bool isBusy = false; // a load, a check or a write's history update runs
};
