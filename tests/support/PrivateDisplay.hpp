#pragma once

#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <chrono>
#include <csignal>
#include <string>
#include <sys/wait.h>
#include <thread>

namespace ox::test {

// A virtual display of the test's own (Xvfb), for a test that changes what
// the display tells its clients (resources, DPI), which must not reach the
// tests sharing the suite's display. Started with -noreset, so that what is
// set on it stays when the last client disconnects. `display` is empty when
// it did not come up within its deadline; stopped with the object.
class PrivateDisplay {
public:
    PrivateDisplay() {
        const auto number = dir / "display";
        server = std::stoi(commandOutput("Xvfb -displayfd 3 -screen 0 1280x1280x24 -nolisten tcp "
                                         "-noreset 3>'" +
                                         number.string() + "' >/dev/null 2>&1 & echo $!"));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (display.empty() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const std::string text = readFile(number);
            if (text.find('\n') != std::string::npos) {
                display = ":" + text.substr(0, text.find('\n'));
            }
        }
    }
    ~PrivateDisplay() {
        if (server > 0) {
            kill(server, SIGTERM);
            int status = 0;
            waitpid(server, &status, 0);
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Merges X resources ("Xft.dpi: 192") into the display's database; the
    // output of xrdb, empty when it went well.
    std::string mergeResources(const std::string& resources) const {
        return commandOutput("printf '%s\\n' '" + resources + "' | DISPLAY=" + display +
                             " timeout 10 xrdb -merge 2>&1");
    }

    std::string display;

private:
    TempDir dir;
    pid_t server = -1;
};

} // namespace ox::test
