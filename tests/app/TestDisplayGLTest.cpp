#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using ox::test::ChildProcess;
using ox::test::commandOutput;

namespace {

// A second virtual display standing in for a user's desktop.
struct Desktop {
    ox::test::TempDir dir;
    std::string display;
    pid_t server = -1;

    Desktop() {
        const auto number = dir / "display";
        server = std::stoi(commandOutput("Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp "
                                         "3>'" +
                                         number.string() + "' >/dev/null 2>&1 & echo $!"));
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (display.empty() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
            const std::string text = ox::test::readFile(number);
            if (text.find('\n') != std::string::npos) {
                display = ":" + text.substr(0, text.find('\n'));
            }
        }
    }
    ~Desktop() {
        if (server > 0) {
            kill(server, SIGTERM);
        }
    }
    std::string query(const std::string& command) const {
        return commandOutput("DISPLAY=" + display + " timeout 5 " + command + " 2>&1");
    }
    std::string topLevelWindows() const {
        return query("xwininfo -root -children | grep -c '^ *0x' || true");
    }
};

// A script run through scripts/with-display.sh with `display` as DISPLAY.
std::unique_ptr<ChildProcess> throughTestDisplay(const Desktop& desktop, const std::string& command,
                                                 std::optional<std::string> useCurrent) {
    const auto script = desktop.dir / "run.sh";
    std::ofstream(script) << "#!/bin/sh\nexec bash '" OX_SOURCE_DIR "/scripts/with-display.sh' "
                          << command << " >'" << (desktop.dir / "out").string() << "' 2>&1\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return std::make_unique<ChildProcess>(
        script.string(), desktop.dir.path(),
        std::vector<std::pair<std::string, std::optional<std::string>>>{
            {"DISPLAY", desktop.display},
            {"VEXEL_USE_DISPLAY", useCurrent},
            // The cases that map a window, move the pointer over it and type.
            {"GTEST_FILTER", "GlfwWindowGLTest.Real*"}});
}

// `make test` with a desktop's DISPLAY set: a GL test that maps windows, moves
// the pointer and types runs to the end, and the desktop sees none of it.
TEST(TestDisplayGLTest, TestsRunOnAPrivateDisplayUnlessTheCurrentOneIsAskedFor) {
    Desktop desktop;
    ASSERT_FALSE(desktop.display.empty()) << "the second virtual display did not start";
    ASSERT_EQ(desktop.topLevelWindows(), "0");
    const std::string pointer = desktop.query("xdotool getmouselocation");

    auto run = throughTestDisplay(desktop, GLFW_WINDOW_GL_TEST, std::nullopt);
    std::optional<int> code;
    std::string seen = "0";
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!(code = run->waitFor(0ms)) && std::chrono::steady_clock::now() < deadline) {
        if (const std::string windows = desktop.topLevelWindows(); windows != "0") {
            seen = windows;
        }
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_EQ(code, std::optional<int>(0)) << ox::test::readFile(desktop.dir / "out");
    EXPECT_EQ(seen, "0") << "windows appeared on the desktop";
    EXPECT_EQ(desktop.query("xdotool getmouselocation"), pointer) << "the pointer moved";

    // Asked for, the current display is used as it is.
    for (const auto& [useCurrent, onDesktop] : {std::pair{std::optional<std::string>(), false},
                                                std::pair{std::optional<std::string>("1"), true}}) {
        run = throughTestDisplay(desktop, "sh -c 'echo $DISPLAY'", useCurrent);
        ASSERT_EQ(run->waitFor(20s), std::optional<int>(0));
        EXPECT_EQ(ox::test::readFile(desktop.dir / "out") == desktop.display + "\n", onDesktop)
            << ox::test::readFile(desktop.dir / "out");
    }
}

} // namespace
