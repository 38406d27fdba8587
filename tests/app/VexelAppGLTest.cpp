#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <array>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

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
        ox::test::copyRepositoryShaders(dir.path());
        process = std::make_unique<ChildProcess>(VEXEL_BINARY, dir.path(), leakCheckOff());
        if (waitForWindow) {
            window = ox::test::waitForMappedWindow(process->id(), 20s);
        }
    }
    std::string title() const { return commandOutput("xdotool getwindowname " + window); }
    std::string log() const { return readFile(dir / "vexel.log"); }
};

// What the title shows once the frame loop has refreshed it.
struct title_values_t {
    double fov = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

std::optional<title_values_t> parseTitle(const std::string& title) {
    static const std::regex format(
        R"(FPS: avg: \d+\.\d\d, fov: (-?\d+\.\d\d), cam\((-?\d+\.\d\d),(-?\d+\.\d\d),(-?\d+\.\d\d)\))");
    std::smatch match;
    if (!std::regex_match(title, match, format)) {
        return std::nullopt;
    }
    return title_values_t{std::stod(match[1]), std::stod(match[2]), std::stod(match[3]),
                          std::stod(match[4])};
}

// Waits until the title has been refreshed after everything sent so far has
// been handled: two refreshes, or three seconds with at least one (the average
// in the title may repeat itself), within a deadline.
std::optional<title_values_t> settledTitle(const RunningVexel& vexel) {
    const auto start = std::chrono::steady_clock::now();
    std::string last = vexel.title();
    int refreshes = 0;
    while (std::chrono::steady_clock::now() - start < 8s) {
        std::this_thread::sleep_for(100ms);
        const std::string now = vexel.title();
        if (now != last) {
            ++refreshes;
            last = now;
        }
        if (refreshes >= 2 || (refreshes >= 1 && std::chrono::steady_clock::now() - start > 3s)) {
            return parseTitle(last);
        }
    }
    return std::nullopt;
}

// Holds the keys down together for about `seconds` and returns how long the
// keys were really down at most (the xdotool call's own duration).
double holdKeys(const std::string& window, const std::vector<std::string>& keys, double seconds) {
    EXPECT_TRUE(ox::test::focusWindow(window, 5s)) << "the window would not take the focus";
    // One chord, so that keys held together go down and up in one burst.
    std::string chord;
    for (const auto& key : keys) {
        chord += (chord.empty() ? "" : "+") + key;
    }
    const std::string up = " keyup " + chord;
    const auto start = std::chrono::steady_clock::now();
    ox::test::xdotool("keydown " + chord + " sleep " + std::to_string(seconds) + up,
                      static_cast<int>(seconds) + 5);
    const std::chrono::duration<double> held = std::chrono::steady_clock::now() - start;
    // Released again in case the call above was cut short.
    ox::test::xdotool(up);
    return held.count();
}

// Holds T until the title shows the camera at least `distance` from `from`, or
// for at most 20 s. The movement keys are read from each frame's key events,
// so a hold of fixed length is lost whole when one slow frame (the sanitized
// demo on a loaded machine) takes both the press and the release.
void moveForward(const RunningVexel& vexel, const title_values_t& from, double distance) {
    EXPECT_TRUE(ox::test::holdKeyUntil(
        vexel.window, "t",
        [&] {
            const auto now = parseTitle(vexel.title());
            return now && std::hypot(now->x - from.x, now->y - from.y, now->z - from.z) >= distance;
        },
        20s))
        << "the window would not take the keyboard focus";
}

// A screenshot of the window, saved in the program's working directory.
struct Screenshot {
    std::filesystem::path file;

    Screenshot(const RunningVexel& vexel, const std::string& name)
        : file(vexel.dir / (name + ".png")) {
        commandOutput("timeout 10 import -window " + vexel.window + " " + file.string());
    }
    bool taken() const { return std::filesystem::exists(file); }
    // Red, green and blue of one pixel, 0 to 255; all -1 when unreadable.
    std::array<int, 3> pixel(int x, int y) const {
        const std::string text =
            commandOutput("convert " + file.string() + " -crop 1x1+" + std::to_string(x) + "+" +
                          std::to_string(y) + " -depth 8 txt:- | tail -n 1");
        std::smatch match;
        if (!std::regex_search(text, match, std::regex(R"(\((\d+),(\d+),(\d+)\))"))) {
            return {-1, -1, -1};
        }
        return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])};
    }
    // ImageMagick's answer to an -format query over a region (WxH+X+Y) or the whole picture.
    std::string query(const std::string& format, const std::string& region = "") const {
        const std::string crop = region.empty() ? "" : " -crop " + region + " +repage";
        return commandOutput("convert " + file.string() + crop + " -format '" + format + "' info:");
    }
};

bool near(const std::array<int, 3>& actual, const std::array<int, 3>& expected) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::abs(actual[i] - expected[i]) > 8) {
            return false;
        }
    }
    return true;
}

std::string describe(const std::array<int, 3>& rgb) {
    std::ostringstream text;
    text << "(" << rgb[0] << "," << rgb[1] << "," << rgb[2] << ")";
    return text.str();
}

// The last `count` lines of the log.
std::vector<std::string> lastLines(const std::string& log, std::size_t count) {
    std::vector<std::string> lines;
    std::istringstream stream(log);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    if (lines.size() > count) {
        lines.erase(lines.begin(), lines.end() - static_cast<long>(count));
    }
    return lines;
}

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

// One run of the program, flown as a person would: start-up, the picture,
// every kind of control, then Escape. The program compiles 360 shader
// programs at start, so the checks share one run.
TEST(VexelAppGLTest, AFlightThroughTheDemo) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";

    const std::string geometry = commandOutput("xdotool getwindowgeometry --shell " + vexel.window);
    EXPECT_NE(geometry.find("WIDTH=1024"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=1024"), std::string::npos) << geometry;
    std::smatch position;
    ASSERT_TRUE(std::regex_search(geometry, position, std::regex(R"(X=(-?\d+)\s+Y=(-?\d+))")))
        << geometry;
    const std::string centre = std::to_string(std::stoi(position[1]) + 512) + " " +
                               std::to_string(std::stoi(position[2]) + 512);

    // No input yet: the camera at the origin and the starting field of view.
    const std::regex startTitle(R"(FPS: avg: \d+\.\d\d, fov: 45\.00, cam\(0\.00,0\.00,0\.00\))");
    ASSERT_TRUE(eventually([&] { return std::regex_match(vexel.title(), startTitle); },
                           ox::test::firstFrameDeadline))
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

    // The tunnel's nearest triangle (z = 1, hue 181: HSV with saturation 0.5
    // and value 1) fills the centre; the grid and the instanced triangles
    // around it add lines and shaded colours.
    const std::array<int, 3> nearestTriangle = {128, 253, 255};
    {
        const Screenshot picture(vexel, "start");
        ASSERT_TRUE(picture.taken());
        EXPECT_TRUE(near(picture.pixel(512, 512), nearestTriangle))
            << describe(picture.pixel(512, 512));
        EXPECT_GT(std::stoi(picture.query("%k")), 200) << "colours in the picture";
        EXPECT_GT(std::stod(picture.query("%[fx:maxima]", "200x150+0+700")), 0.2)
            << "no grid lines on the floor left of the tunnel";
    }

    // C held: line loops leave the nearest triangle's inside unfilled.
    ASSERT_TRUE(ox::test::focusWindow(vexel.window, 5s));
    ox::test::xdotool("keydown c");
    const bool outlined = eventually(
        [&] { return !near(Screenshot(vexel, "lines").pixel(512, 512), nearestTriangle); });
    ox::test::xdotool("keyup c");
    EXPECT_TRUE(outlined) << "the centre stayed filled while C was held";
    EXPECT_TRUE(eventually([&] {
        return near(Screenshot(vexel, "filled").pixel(512, 512), nearestTriangle);
    })) << "the centre was not filled again after C was released";

    // One wheel step up narrows the view by one degree.
    ox::test::xdotool("mousemove " + centre + " click 4");
    EXPECT_TRUE(eventually([&] {
        return vexel.title().find("fov: 44.00, cam(0.00,0.00,0.00)") != std::string::npos;
    })) << vexel.title();

    // Z widens the view by 10 degrees per second, T moves forward (+z) by 20
    // units per second; slack for a frame or two at either end.
    double held = holdKeys(vexel.window, {"z"}, 2.0);
    auto values = settledTitle(vexel);
    ASSERT_TRUE(values) << vexel.title();
    EXPECT_GE(values->fov, 44.0 + 20.0 - 3.0);
    EXPECT_LE(values->fov, 44.0 + 10.0 * held + 3.0);

    held = holdKeys(vexel.window, {"t"}, 1.0);
    values = settledTitle(vexel);
    ASSERT_TRUE(values) << vexel.title();
    EXPECT_EQ(values->x, 0.0);
    EXPECT_EQ(values->y, 0.0);
    EXPECT_GE(values->z, 20.0 - 6.0);
    EXPECT_LE(values->z, 20.0 * held + 6.0);

    // W and S together cancel, and a right-button drag is no mouse look, so
    // moving forward afterwards still goes mostly along +z. A second of W
    // alone would pitch by 2 rad and send the camera backwards and up
    // (climbing about twice as much as it moves along z), both keys adding up
    // would turn it further still. The slack in the climb is for frames that
    // see only one key of the chord go down or up: about 0.6 rad.
    holdKeys(vexel.window, {"w", "s"}, 1.0);
    ox::test::xdotool("mousemove " + centre +
                      " mousedown 3 sleep 0.2 mousemove_relative 0 100 sleep 0.2 mouseup 3");
    const title_values_t beforeForward = *values;
    moveForward(vexel, beforeForward, 6.0);
    values = settledTitle(vexel);
    ASSERT_TRUE(values) << vexel.title();
    const double forward = values->z - beforeForward.z;
    const double climb = values->y - beforeForward.y;
    EXPECT_EQ(values->x, 0.0);
    EXPECT_GT(forward, 5.0);
    EXPECT_LT(std::abs(climb), 0.7 * forward) << "W and S held together turned the camera";

    // A left click switches mouse look on and off again.
    ox::test::xdotool("mousemove " + centre + " click 1");
    EXPECT_TRUE(eventually(
        [&] { return vexel.log().find("Mouse look deactivated.") != std::string::npos; }));
    expectInOrder(vexel.log(), {R"(\(l:dbg\) window > Mouse look activated\.)",
                                R"(\(l:dbg\) window > Mouse look deactivated\.)"});

    // Dragging down 200 pixels with the left button held pitches the camera up
    // by about 0.5 rad (the first movement only records where the cursor is)
    // without moving it; moving forward afterwards then climbs more steeply
    // than before.
    const title_values_t beforeDrag = *values;
    ox::test::xdotool("mousemove " + centre + " mousedown 1 sleep 0.3" +
                          " mousemove_relative 0 50 sleep 0.2 mousemove_relative 0 50 sleep 0.2" +
                          " mousemove_relative 0 50 sleep 0.2 mousemove_relative 0 50 sleep 0.2" +
                          " mouseup 1",
                      10);
    values = settledTitle(vexel);
    ASSERT_TRUE(values) << vexel.title();
    EXPECT_EQ(values->x, beforeDrag.x);
    EXPECT_EQ(values->y, beforeDrag.y);
    EXPECT_EQ(values->z, beforeDrag.z);
    moveForward(vexel, beforeDrag, 6.0);
    values = settledTitle(vexel);
    ASSERT_TRUE(values) << vexel.title();
    const double forwardAfterDrag = values->z - beforeDrag.z;
    ASSERT_GT(forwardAfterDrag, 1.0) << "the drag turned the camera too far, or T did nothing";
    EXPECT_GT((values->y - beforeDrag.y) / forwardAfterDrag, climb / forward + 0.2)
        << "the drag did not pitch the camera up";
    EXPECT_LT(std::abs(values->x - beforeDrag.x), 0.2 * forwardAfterDrag)
        << "a vertical drag should not yaw";

    std::optional<int> code;
    ASSERT_TRUE(ox::test::holdKeyUntil(
        vexel.window, "Escape", [&] { return (code = vexel.process->waitFor(0ms)).has_value(); },
        10s))
        << "the window would not take the keyboard focus";
    ASSERT_TRUE(code.has_value()) << "still running after Escape";
    EXPECT_EQ(*code, 0);
    const std::string log = vexel.log();
    const auto last = lastLines(log, 3);
    ASSERT_EQ(last.size(), 3u) << log;
    EXPECT_TRUE(
        std::regex_search(last[0], std::regex(R"(\(l:inf\) renderer > Destroying window '.*'\.$)")))
        << last[0];
    EXPECT_TRUE(
        std::regex_search(last[1], std::regex(R"(\(l:dbg\) renderer > Renderer deinitialized\.$)")))
        << last[1];
    EXPECT_TRUE(std::regex_search(
        last[2], std::regex(R"(\(l:inf\) renderer > Event dispatcher detached\.$)")))
        << last[2];
    EXPECT_EQ(log.find("(l:err)"), std::string::npos) << log;
}

TEST(VexelAppGLTest, ResizeIsLoggedAndACloseRequestEndsTheProgramNormally) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    commandOutput("xdotool windowsize " + vexel.window + " 800 600");
    EXPECT_TRUE(eventually(
        [&] {
            return vexel.log().find("window has been resized to 800x600.") != std::string::npos;
        },
        ox::test::firstFrameDeadline))
        << vexel.log();
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

// Automation taps keys (press and release back to back), and so does a quick
// finger: a tap that falls between two frames must still end the program.
TEST(VexelAppGLTest, ATapOfEscapeEndsTheProgram) {
    RunningVexel vexel;
    ASSERT_FALSE(vexel.window.empty()) << "no mapped window appeared within 20 s";
    ASSERT_TRUE(ox::test::waitForTitle(vexel.window, "FPS: ", ox::test::firstFrameDeadline))
        << "the frame loop never set its title";
    ASSERT_TRUE(ox::test::focusWindow(vexel.window, 5s)) << "the window would not take the focus";
    ox::test::xdotool("key Escape");
    const auto code = vexel.process->waitFor(5s);
    ASSERT_TRUE(code.has_value()) << "still running 5 s after a tap of Escape";
    EXPECT_EQ(*code, 0);
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
