#include "platform/StopRequests.hpp"

#include <csignal>

namespace ox::platform {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

struct sigaction previousInterrupt {};
struct sigaction previousTerminate {};

// The first of either signal is a request; from then on both take their
// default action, so that a second one of either kind ends the process at
// once (sigaction is safe to call here).
void recordStopSignal(int signal) {
    stopSignal = signal;
    struct sigaction fallBack {};
    fallBack.sa_handler = SIG_DFL;
    sigemptyset(&fallBack.sa_mask);
    sigaction(SIGINT, &fallBack, nullptr);
    sigaction(SIGTERM, &fallBack, nullptr);
}

} // namespace

StopRequests::StopRequests() {
    stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = &recordStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarting keeps system calls that the signal interrupts (file writes,
    // the window system's socket) from failing.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
}

StopRequests::~StopRequests() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
    // The request belonged to this run: a later frame loop in the same
    // process must not read it as its own.
    stopSignal = 0;
}

int StopRequests::received() {
    return stopSignal;
}

const char* StopRequests::name() {
    const int signal = stopSignal;
    return signal == 0 ? "" : signal == SIGINT ? "SIGINT" : "SIGTERM";
}

} // namespace ox::platform
