#include "app/StopSignals.hpp"

#include <csignal>
#include <string>

namespace ox::app {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

struct sigaction previousInterrupt {};
struct sigaction previousTerminate {};

void recordStopSignal(int signal) {
    stopSignal = signal;
}

} // namespace

StopSignals::StopSignals() {
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

StopSignals::~StopSignals() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
}

int StopSignals::received() {
    return stopSignal;
}

void StopSignals::report(core::logger::ILogApi& log) {
    const int signal = received();
    if (signal == 0) {
        return;
    }
    const std::string text = std::string(signal == SIGINT ? "SIGINT" : "SIGTERM") +
                             " received: the window closes as with Escape.";
    if (log.isEnabled(core::logger::ELogLevel::Info)) {
        log.log(core::logger::ELogLevel::Info, text);
    }
}

} // namespace ox::app
