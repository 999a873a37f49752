#include "stop_request.h"

#include <csignal>

namespace {

// Lock-free, so the signal handler may set it.
std::atomic<bool> g_stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onStopSignal(int) { g_stopRequested.store(true, std::memory_order_relaxed); }

}  // namespace

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopRequested() { return g_stopRequested.load(std::memory_order_relaxed); }

void ClearStopRequest() { g_stopRequested.store(false, std::memory_order_relaxed); }
