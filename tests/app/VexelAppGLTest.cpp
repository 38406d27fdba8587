#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>

using namespace std::chrono_literals;
using ox::test::ChildProcess;
using ox::test::commandOutput;
using ox::test::readFile;

// Xlib macros break the headers above.
#include "support/X11Client.hpp"

namespace {

// Polls until the condition holds or the timeout passes. The program refreshes
// its title once a second and logs as things happen, so a few seconds is
// plenty; a failing check then fails in seconds.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

// Mesa's driver is unloaded when GLFW terminates, so LeakSanitizer in the
// child can only report its remains as "unknown module" leaks that no
// suppression can name. The child's exit code must speak for the program, so
// leak checking is off there; ApplicationGLTest runs the same program in
// process, with the driver kept loaded, under full leak checking.
std::vector<std::pair<std::string, std::optional<std::string>>> leakCheckOff() {
    const char* current = std::getenv("ASAN_OPTIONS");
    std::string options = current != nullptr ? std::string(current) + ":" : std::string();
    return {{"ASAN_OPTIONS", options + "detect_leaks=0"}};
}

// The demo binary running in a temporary working directory on the test's display.
struct RunningVexel {
    ox::test::TempDir dir;
    std::unique_ptr<ChildProcess> process;
    std::string window;

    explicit RunningVexel(bool waitForWindow = true) {
        std::ofstream(dir / "vexel.log") << "stale line from an earlier run\n";
        process = std::make_unique<ChildProcess>(VEXEL_BINARY, dir.path(), leakCheckOff());
        if (waitForWindow) {
            window = ox::test::waitForMappedWindow(process->id(), 20s);
        }
    }
    std::string title() const { return commandOutput("xdotool getwindowname " + window); }
    std::string log() const { return readFile(dir / "vexel.log"); }
};

// Finds the lines in order (other lines may stand between them).
void expectInOrder(const std::string& log, const std::vector<std::string>& patterns) {
    std::size_t position = 0;
    for (const auto& pattern : patterns) {
        std::smatch match;
        const std::string rest = log.substr(position);
        ASSERT_TRUE(std::regex_search(rest, match, std::regex(pattern)))
            << "missing, or out of order: " << pattern << "\nlog:\n"
            << log;
        position += static_cast<std::size_t>(match.position(0) + match.length(0));
    }
}

TEST(VexelAppGLTest, OpensTheWindowLogsStartUpShowsStatisticsAndClosesOnEscape) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";

    const std::string geometry = commandOutput("xdotool getwindowgeometry --shell " + vexel.window);
    EXPECT_NE(geometry.find("WIDTH=1024"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=1024"), std::string::npos) << geometry;

    const std::regex titleFormat(R"(FPS: avg: \d+\.\d\d, fov: 45\.00, cam\(0\.00,0\.00,0\.00\))");
    EXPECT_TRUE(eventually([&] { return std::regex_match(vexel.title(), titleFormat); }))
        << "title: " << vexel.title();

    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )";
    expectInOrder(
        vexel.log(),
        {stamp + R"(\(l:inf\) renderer > Event dispatcher attached\.)",
         stamp + R"(\(l:dbg\) renderer > Initializing renderer\.)",
         stamp + R"(\(l:inf\) renderer > GLFW version: .+\.)",
         stamp +
             R"(\(l:inf\) renderer > '.*' monitor \(with \d+ video modes supported\) has been initialized\.)",
         stamp + R"(\(l:dbg\) window > Event dispatcher attached\.)",
         stamp + R"(\(l:inf\) renderer > Vendor: .+\.)",
         stamp + R"(\(l:inf\) renderer > Version: 4\.5 \(Core Profile\).*\.)",
         stamp + R"(\(l:inf\) renderer > Renderer name: .+\.)",
         stamp +
             R"(\(l:inf\) renderer > Creating a new renderer window 'Vexel' with size 1024x1024 \.)",
         stamp + R"(\(l:inf\) window > 'Vexel' window has been resized to 1024x1024\.)"});
    EXPECT_EQ(vexel.log().find("stale line"), std::string::npos);

    ASSERT_TRUE(ox::test::pressKey(vexel.window, "Escape"))
        << "the window would not take the keyboard focus";
    const auto code = vexel.process->waitFor(10s);
    ASSERT_TRUE(code.has_value()) << "still running after Escape";
    EXPECT_EQ(*code, 0);
    EXPECT_NE(vexel.log().find("renderer > Destroying window '"), std::string::npos) << vexel.log();
}

TEST(VexelAppGLTest, CloseRequestEndsTheProgramNormally) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    ox::test::X11Client x11;
    ASSERT_TRUE(x11.isOpen());
    x11.requestClose(std::stoul(vexel.window));
    const auto code = vexel.process->waitFor(10s);
    ASSERT_TRUE(code.has_value()) << "still running after the close request";
    EXPECT_EQ(*code, 0);
    expectInOrder(vexel.log(), {R"(renderer > Destroying window '.*'\.)",
                                R"(\(l:dbg\) renderer > Renderer deinitialized\.)",
                                R"(\(l:inf\) renderer > Event dispatcher detached\.)"});
}

TEST(VexelAppGLTest, WindowResizeIsLogged) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    commandOutput("xdotool windowsize " + vexel.window + " 800 600");
    EXPECT_TRUE(eventually([&] {
        return vexel.log().find("window has been resized to 800x600.") != std::string::npos;
    })) << vexel.log();
    ox::test::X11Client x11;
    x11.requestClose(std::stoul(vexel.window));
    EXPECT_EQ(vexel.process->waitFor(10s), std::optional<int>(0));
}

TEST(VexelAppGLTest, WithoutAReachableDisplayStartUpFailsWithExitCodeOne) {
    ox::test::TempDir dir;
    for (const std::optional<std::string>& display :
         {std::optional<std::string>(":4242"), std::optional<std::string>()}) {
        ChildProcess process(VEXEL_BINARY, dir.path(),
                             {{"DISPLAY", display}, {"WAYLAND_DISPLAY", {}}});
        const auto code = process.waitFor(10s);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 1);
        const std::string log = readFile(dir / "vexel.log");
        EXPECT_NE(log.find("(l:ftl) main > Unable to initialize OpenGL renderer."),
                  std::string::npos)
            << log;
        EXPECT_EQ(log.find("Creating a new renderer window"), std::string::npos);
    }
}

} // namespace
