#include "app/Application.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "support/ChildProcess.hpp"
#include "support/GlDriverPin.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

// The whole program in this process, so that the sanitizers watch every
// allocation from start-up to shut-down. A second thread plays the user: it
// waits for the window and presses Escape.
TEST(ApplicationGLTest, RunsUntilEscapeAndReleasesEverything) {
    ox::test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());

    {
        // The GL driver is unloaded when GLFW terminates; keep it mapped so leak
        // reports can still be attributed (see GlDriverPin.hpp).
        std::vector<std::string> lines;
        ox::app::LoggingContext logging;
        ox::app::setupLogging(lines, logging);
        ox::app::RendererContext context;
        ASSERT_TRUE(ox::app::setupRenderer(logging, context));
        ox::test::keepGlDriversLoaded();
        context.renderer->deinit();
    }

    std::thread user([] {
        const std::string pid = std::to_string(getpid());
        const std::string window = ox::test::commandOutput(
            "timeout 60 xdotool search --sync --pid " + pid + " | head -n 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ox::test::commandOutput("xdotool windowfocus --sync " + window +
                                " keydown Escape sleep 0.3 keyup Escape");
    });
    const int code = ox::app::runApplication();
    user.join();
    EXPECT_EQ(code, 0);

    const std::string log = ox::test::readFile(dir / "vexel.log");
    EXPECT_NE(log.find("renderer > Destroying window '"), std::string::npos) << log;
    EXPECT_NE(log.find("renderer > Event dispatcher detached."), std::string::npos);
    std::filesystem::current_path(previous);
}

} // namespace
