#include "platform/StopRequests.hpp"

#include <csignal>

namespace ox::platform {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

struct sigaction previousInterrupt {};
struct sigaction previousTerminate {};

void recordStopSignal(int signal) {
    stopSignal = signal;
}

} // namespace

StopRequests::StopRequests() {
    stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = &recordStopSignal;
    sigemptyset(&action.sa_mask);
    // Once is a request; the handler then falls back to the default, so the
    // second signal ends the process. Restarting keeps system calls that the
    // signal interrupts (file writes, the window system's socket) from failing.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
}

StopRequests::~StopRequests() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
}

int StopRequests::received() {
    return stopSignal;
}

const char* StopRequests::name() {
    const int signal = stopSignal;
    return signal == 0 ? "" : signal == SIGINT ? "SIGINT" : "SIGTERM";
}

} // namespace ox::platform
