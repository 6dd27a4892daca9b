#include "storage/SignalHold.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace {

constexpr int kHeldSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> g_holds{0};
std::atomic<int> g_pending{0};
struct sigaction g_previousActions[std::size(kHeldSignals)];
struct sigaction g_previousFileSizeAction;

// Keeps the signal for the end of the hold; when the hold ended meanwhile, the
// signal's default action (the one the program leaves in place) is taken at once.
void KeepSignal(int signal)
{
    g_pending.store(signal);
    if (g_holds.load() == 0) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
}

} // namespace

SignalHold::SignalHold()
{
    if (g_holds.fetch_add(1) > 0) {
        return;
    }
    struct sigaction keep {};
    keep.sa_handler = KeepSignal;
    // A held signal does not break off a call that waits, such as an open under another program's lease.
    keep.sa_flags = SA_RESTART;
    sigemptyset(&keep.sa_mask);
    for (std::size_t k = 0; k < std::size(kHeldSignals); ++k) {
        ::sigaction(kHeldSignals[k], nullptr, &g_previousActions[k]);
        if (g_previousActions[k].sa_handler != SIG_IGN) {
            ::sigaction(kHeldSignals[k], &keep, nullptr);
        }
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &g_previousFileSizeAction);
}

SignalHold::~SignalHold()
{
    if (g_holds.fetch_sub(1) > 1) {
        return;
    }
    const int error = errno;
    for (std::size_t k = 0; k < std::size(kHeldSignals); ++k) {
        ::sigaction(kHeldSignals[k], &g_previousActions[k], nullptr);
    }
    ::sigaction(SIGXFSZ, &g_previousFileSizeAction, nullptr);
    if (const int signal = g_pending.exchange(0); signal != 0) {
        ::raise(signal);
    }
    errno = error;
}

int SignalHold::Pending() { return g_pending.load(); }
