#pragma once

namespace ox::platform {

// The requests a terminal makes to end a program: SIGINT and SIGTERM on
// POSIX systems; Ctrl+C, Ctrl+Break and the console's close on Windows. While
// an object exists the handlers are installed; they only record the request,
// which the program answers by ending its run the way Escape ends it. A
// second Ctrl+C, Ctrl+Break or signal ends the process at once, for a run
// that is stuck before its frame loop. A closing console waits for the object
// to go, so the program can shut down before Windows ends the process. Main
// thread only; one object at a time.
class StopRequests {
public:
    // Installs the handlers and forgets any earlier request.
    StopRequests();
    // Puts back the handlers that were there before.
    ~StopRequests();

    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    // Nonzero once a request has arrived (a system-specific code).
    static int received();
    // What made the request ("SIGINT", "Ctrl+C", ...); empty while none has.
    static const char* name();
};

} // namespace ox::platform
