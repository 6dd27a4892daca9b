#pragma once

// While one lives, SIGINT, SIGTERM and SIGHUP wait, in every thread: one that
// arrives is acted on when the last hold ends, so that a write and its put-back
// are never cut apart. A signal that was ignored stays ignored.
class SignalHold {
public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

    // The signal that arrived while held, or 0.
    static int Pending();
};
