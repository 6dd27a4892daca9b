#pragma once

// While one lives, SIGINT, SIGTERM and SIGHUP wait, in every thread: one that
// arrives is acted on when the last hold ends, so that a write and its put-back
// are never cut apart. A signal that was ignored stays ignored. SIGXFSZ is
// ignored meanwhile, so that a write past the file-size limit (ulimit -f) fails
// with EFBIG and is put back like any other failed write, instead of ending the
// program half-way.
class SignalHold {
public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

    // The signal that arrived while held, or 0.
    static int Pending();
};
