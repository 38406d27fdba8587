#include "app/StopSignals.hpp"

#include "platform/StopRequests.hpp"

#include <memory>
#include <string>

namespace ox::app {

namespace {
// The terminal's requests are the platform's; this object only scopes them.
std::unique_ptr<platform::StopRequests> requests;
} // namespace

StopSignals::StopSignals() {
    requests = std::make_unique<platform::StopRequests>();
}

StopSignals::~StopSignals() {
    requests.reset();
}

int StopSignals::received() {
    return platform::StopRequests::received();
}

void StopSignals::report(core::logger::ILogApi& log) {
    if (received() == 0) {
        return;
    }
    const std::string text = std::string(platform::StopRequests::name()) +
                             " received: the window closes as with Escape.";
    if (log.isEnabled(core::logger::ELogLevel::Info)) {
        log.log(core::logger::ELogLevel::Info, text);
    }
}

} // namespace ox::app
