#pragma once

#include "support/ChildProcess.hpp"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <thread>

// Real input for end-to-end tests, through xdotool (XTEST). Every call has a
// hard time limit and every wait a deadline, so that a window that never
// appears or never takes the focus fails a test in seconds instead of hanging it.
namespace ox::test {

// Runs xdotool with the given arguments, killed after `seconds`; returns what
// it printed on standard output (errors are dropped: callers check results).
inline std::string xdotool(const std::string& arguments, int seconds = 5) {
    return commandOutput("timeout " + std::to_string(seconds) + " xdotool " + arguments +
                         " 2>/dev/null");
}

// The first window of the process that is mapped and viewable, or empty when
// none is by the deadline. A window that exists but is not mapped yet would
// refuse the keyboard focus.
inline std::string waitForMappedWindow(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::string windows = xdotool("search --onlyvisible --pid " + std::to_string(pid));
        if (const auto end = windows.find('\n'); end != std::string::npos) {
            windows.resize(end);
        }
        if (!windows.empty() || std::chrono::steady_clock::now() >= deadline) {
            return windows;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Gives the window the keyboard focus and returns true once the X server
// reports it focused; retried until the deadline.
inline bool focusWindow(const std::string& window, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        xdotool("windowfocus " + window);
        if (xdotool("getwindowfocus") == window) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Waits until the window's title starts with `prefix`; false at the deadline.
inline bool waitForTitle(const std::string& window, const std::string& prefix,
                         std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (xdotool("getwindowname " + window).starts_with(prefix)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// Focuses the window, holds one key down until `done()` holds or the time
// runs out, then releases it. The program reads keys once per frame, and a
// frame of the whole demo under the sanitizers on a loaded machine can last
// longer than a quick tap, so a tap could come and go unseen; a person keeps
// holding the key until the program reacts. False, with nothing sent, when the
// window would not take the focus.
template <typename Done>
bool holdKeyUntil(const std::string& window, const std::string& key, Done done,
                  std::chrono::milliseconds timeout) {
    if (!focusWindow(window, std::chrono::seconds(5))) {
        return false;
    }
    xdotool("keydown " + key);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    xdotool("keyup " + key);
    return true;
}

} // namespace ox::test
