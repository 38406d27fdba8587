#include "app/Application.hpp"

#include "app/LoggingContext.hpp"

#include <string>
#include <vector>

namespace ox::app {

int runApplication() {
    int exitCode = 1;
    std::vector<std::string> memoryLog;
    {
        LoggingContext logging;
        if (setupLogging(memoryLog, logging)) {
            // Renderer start-up, scene graph set-up, scene assembly and the
            // frame loop run here, each stage releasing what it built in
            // reverse order before the logging context goes.
            exitCode = 0;
        }
        releaseLogging(logging);
    }
    return exitCode;
}

} // namespace ox::app
