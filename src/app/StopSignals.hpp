#pragma once

#include "core/logger/ILogApi.hpp"

namespace ox::app {

// SIGINT and SIGTERM as a request to end the run the way Escape ends it: the
// frame loop finishes its frame, closes the window and the program shuts down
// and exits normally. A second such signal ends the process at once, for a
// run that is stuck before its frame loop. While an object exists, the
// handlers are installed; they only record the signal, and the record goes
// with the object. Main thread only; one object at a time.
class StopSignals {
public:
    // Installs the handlers and forgets any earlier signal.
    StopSignals();
    // Puts back the handlers that were there before and forgets the signal.
    ~StopSignals();

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that asked the run to stop, 0 while none has.
    static int received();
    // One line on `log` naming the signal that ended the run, if one did.
    static void report(core::logger::ILogApi& log);
};

} // namespace ox::app
