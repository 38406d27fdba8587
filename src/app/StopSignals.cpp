#include "app/StopSignals.hpp"

#include <csignal>
#include <string>

namespace ox::app {

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

StopSignals::StopSignals() {
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

StopSignals::~StopSignals() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
    // The request belonged to this run: a later frame loop in the same
    // process must not read it as its own.
    stopSignal = 0;
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
