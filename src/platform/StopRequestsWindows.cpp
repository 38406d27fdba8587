#include "platform/StopRequests.hpp"

#include <windows.h>

#include <atomic>

namespace ox::platform {

namespace {

// The console calls the handler on a thread of its own: the code of the
// event plus one, 0 while none has come.
std::atomic<int> stopEvent{0};
// Set while the object exists; a closing console waits for it to go.
HANDLE finished = nullptr;

// Windows ends the process about five seconds after a close event whatever
// the handler does; waiting less leaves the rest for the exit itself.
constexpr DWORD closeWaitMilliseconds = 4500;

BOOL WINAPI recordStopEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: {
        int none = 0;
        // The second one goes to the default handler, which ends the process.
        return stopEvent.compare_exchange_strong(none, static_cast<int>(event) + 1) ? TRUE : FALSE;
    }
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: {
        int none = 0;
        stopEvent.compare_exchange_strong(none, static_cast<int>(event) + 1);
        // Returning lets Windows end the process at once: hold it until the
        // run has shut down.
        if (finished != nullptr) {
            WaitForSingleObject(finished, closeWaitMilliseconds);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

StopRequests::StopRequests() {
    stopEvent = 0;
    finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(&recordStopEvent, TRUE);
}

StopRequests::~StopRequests() {
    if (finished != nullptr) {
        SetEvent(finished);
    }
    // A close in progress keeps its handler until it returns; the handler is
    // left installed then, and the event open, for it to see.
    if (stopEvent < CTRL_CLOSE_EVENT + 1) {
        SetConsoleCtrlHandler(&recordStopEvent, FALSE);
    }
    // The request belonged to this run: a later frame loop in the same
    // process must not read it as its own.
    stopEvent = 0;
}

int StopRequests::received() {
    return stopEvent;
}

const char* StopRequests::name() {
    switch (stopEvent - 1) {
    case -1:
        return "";
    case CTRL_C_EVENT:
        return "Ctrl+C";
    case CTRL_BREAK_EVENT:
        return "Ctrl+Break";
    case CTRL_CLOSE_EVENT:
        return "Console close";
    default:
        return "Log-off or shut-down";
    }
}

} // namespace ox::platform
