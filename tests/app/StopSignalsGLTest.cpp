#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <regex>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Polls until the condition holds or the deadline passes.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// A run with no frame limit and no script ends only when told to: a CI job
// or a container stop sends SIGTERM, a person at the terminal SIGINT. Either
// must end it as Escape would, headless or windowed: exit code 0 and the
// whole shut-down in the log.
TEST(StopSignalsGLTest, SigtermAndSigintEndARunLikeEscapeHeadlessAndWindowed) {
    const struct {
        const char* name;
        bool headless;
        int signal;
    } cases[] = {
        {"SIGTERM", true, SIGTERM},
        {"SIGINT", true, SIGINT},
        {"SIGTERM", false, SIGTERM},
        {"SIGINT", false, SIGINT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.headless ? " headless" : " windowed"));
        ox::test::TempDir dir;
        ox::test::copyRepositoryShaders(dir.path());
        // Mesa's driver is unloaded as the renderer shuts down, so the leak
        // checker in the child could only report its remains; the exit code
        // must speak for the program.
        const char* asan = std::getenv("ASAN_OPTIONS");
        std::vector<std::pair<std::string, std::optional<std::string>>> environment{
            {"ASAN_OPTIONS", (asan != nullptr ? std::string(asan) + ":" : "") + "detect_leaks=0"}};
        // The capture of frame 3 says that the frame loop runs.
        std::vector<std::string> arguments{"--capture", "frames", "--capture-frames", "3"};
        if (c.headless) {
            // No X server may be needed.
            environment.emplace_back("DISPLAY", std::nullopt);
            arguments.insert(arguments.end(), {"--headless", "--egl-device", "software"});
        }
        ox::test::ChildProcess program(VEXEL_BINARY, dir.path(), environment, arguments);

        const bool running = waitUntil(
            [&] {
                return std::filesystem::exists(dir / "frames" / "frame-3.png") ||
                       program.waitFor(0ms).has_value();
            },
            ox::test::firstFrameDeadline);
        ASSERT_TRUE(running) << "no third frame in time";
        ASSERT_FALSE(program.waitFor(0ms).has_value()) << "ended by itself\n"
                                                       << ox::test::readFile(dir / "vexel.log");
        ASSERT_EQ(kill(program.id(), c.signal), 0);
        EXPECT_EQ(program.waitFor(30s), 0) << ox::test::readFile(dir / "vexel.log");

        const std::string log = ox::test::readFile(dir / "vexel.log");
        for (const std::string& pattern :
             {R"(\(l:inf\) main > )" + std::string(c.name) +
                  R"( received: the window closes as with Escape\.)",
              std::string(R"(\(l:inf\) main > \d+ frames; frame time without the first: )"),
              std::string(R"(\(l:inf\) renderer > Destroying window '.*'\.)"),
              std::string(R"(\(l:dbg\) renderer > Renderer deinitialized\.)")}) {
            EXPECT_TRUE(std::regex_search(log, std::regex(pattern))) << pattern << "\n" << log;
        }
        EXPECT_TRUE(log.ends_with("renderer > Event dispatcher detached.\n")) << log;
    }
}

} // namespace
