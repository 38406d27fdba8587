#include "app/Application.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

// Xlib macros break the headers above.
#include "support/X11Client.hpp"

using namespace std::chrono_literals;

namespace {

// The whole program in this process, so that the sanitizers watch every
// allocation from start-up to shut-down. A second thread plays the user: it
// waits for the window and presses Escape.
TEST(ApplicationGLTest, RunsUntilEscapeAndReleasesEverything) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());

    {
        std::vector<std::string> lines;
        ox::app::LoggingContext logging;
        ox::app::setupLogging(lines, logging);
        ox::app::RendererContext context;
        ASSERT_TRUE(ox::app::setupRenderer(logging, context));
        context.renderer->deinit();
    }

    // The user's side has deadlines of its own: if Escape cannot be delivered,
    // or does not end the program, the window gets a close request as from a
    // window manager, so runApplication() returns and the test fails at once.
    std::atomic<bool> finished = false;
    std::string failure;
    std::thread user([&finished, &failure] {
        const std::string window = ox::test::waitForMappedWindow(getpid(), 20s);
        if (window.empty()) {
            failure = "no mapped window appeared within 20 s";
            return;
        }
        // The whole program runs, frame loop included, before it is ended.
        if (!ox::test::waitForTitle(window, "FPS: ", ox::test::firstFrameDeadline)) {
            failure = "the frame loop never set a title";
        } else if (!ox::test::holdKeyUntil(
                       window, "Escape", [&finished] { return finished.load(); }, 10s)) {
            failure = "the window would not take the keyboard focus";
        }
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!finished && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(20ms);
        }
        if (!finished) {
            if (failure.empty()) {
                failure = "the program was still running 10 s after Escape";
            }
            ox::test::X11Client().requestClose(std::stoul(window));
        }
    });
    const int code = ox::app::runApplication();
    finished = true;
    user.join();
    ASSERT_EQ(failure, "");
    EXPECT_EQ(code, 0);

    const std::string log = ox::test::readFile(dir / "vexel.log");
    EXPECT_NE(log.find("renderer > Destroying window '"), std::string::npos) << log;
    EXPECT_NE(log.find("renderer > Event dispatcher detached."), std::string::npos);
    EXPECT_EQ(log.find("(l:err)"), std::string::npos) << log;
    std::filesystem::current_path(previous);
}

} // namespace
