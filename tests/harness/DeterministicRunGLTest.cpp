#include "image/ImageComparison.hpp"
#include "image/PngFile.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

using ox::test::commandOutput;
using ox::test::readFile;

// Runs the program in `dir` with `arguments` (shell words) and returns what it
// printed on standard error followed by "exit=<code>". The program ends by
// itself in every case here; `timeout` is the deadline if it does not.
std::string runVexel(const std::filesystem::path& dir, const std::string& arguments,
                     int timeoutSeconds, const std::string& environment = "") {
    // Mesa's driver is unloaded when GLFW terminates, so the leak checker in
    // the child can only report its remains; the exit code must speak for
    // the program (ApplicationGLTest runs it in process with leak checks on).
    return commandOutput(
        "cd '" + dir.string() + "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}" +
        "detect_leaks=0 env " + environment + " timeout " + std::to_string(timeoutSeconds) + " " +
        VEXEL_BINARY + " " + arguments + " 2>&1 >/dev/null; echo exit=$?");
}

TEST(DeterministicRunGLTest, EachBadCommandLineIsRefusedWithExitCodeTwoBeforeAnythingStarts) {
    ox::test::TempDir dir;
    std::ofstream(dir / "bad.input") << "1 key down T\n2 key down Shift-T\n";
    std::ofstream(dir / "file") << "in the way\n";
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"--fly", "unknown option '--fly' (try --help)"},
        {"--frames ten", "--frames needs a positive whole number, not 'ten'"},
        {"--fixed-dt", "--fixed-dt needs a value"},
        {"--capture out", "--capture and --capture-frames go together"},
        {"--input missing.input", "--input missing.input: cannot be read"},
        {"--input bad.input", "--input bad.input: line 2: unknown key 'Shift-T'"},
        {"--capture file/frames --capture-frames 1",
         "--capture file/frames: cannot create the folder or write into it (Not a directory)"},
        {"--fixed-dt 1e39", "--fixed-dt needs a positive number of seconds up to 60, not '1e39'"},
        {"--gpu-timing=on", "--gpu-timing takes no value"},
        {"--stats file/stats.csv", "--stats file/stats.csv: cannot be written (Not a directory)"},
        {"--record .", "--record .: is a directory"},
    };
    for (const auto& c : cases) {
        // The log file is emptied as the first thing a starting run does.
        std::ofstream(dir / "vexel.log") << "an earlier run's line\n";
        const std::string output = runVexel(dir.path(), c.arguments, 20);
        EXPECT_EQ(output.rfind("vexel: " + c.message, 0), 0u) << c.arguments << "\n" << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_TRUE(output.ends_with("\nexit=2")) << output;
        EXPECT_EQ(readFile(dir / "vexel.log"), "an earlier run's line\n") << c.arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    const std::string help = runVexel(dir.path(), "--help", 20);
    EXPECT_EQ(help, "exit=0");
}

// What the frame loop's title showed when the window closed, from the log's
// destroy line.
std::string lastTitle(const std::string& log) {
    static const std::regex destroy(R"(Destroying window '([^']*)'\.)");
    std::smatch match;
    return std::regex_search(log, match, destroy) ? match[1].str() : std::string();
}

TEST(DeterministicRunGLTest, ScriptedFlightLandsWhereTheControlsSayAndRepeatsByteForByte) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    // T held from frame 2 on: frames 2 to 61 move the camera, 60 steps of 0.016 s.
    std::ofstream(dir / "t.input") << "2 key down T\n";
    for (const std::string run : {"a", "b"}) {
        const std::string output =
            runVexel(dir.path(),
                     "--fixed-dt 0.016 --frames 61 --input t.input --capture " + run +
                         " --capture-frames 1,61",
                     ox::test::firstFrameSeconds + 50);
        ASSERT_TRUE(output.ends_with("exit=0")) << output << readFile(dir / "vexel.log");
        // 20 units/s x 60 frames x 0.016 s = 19.2 forward, along +z from the origin.
        EXPECT_TRUE(std::regex_match(lastTitle(readFile(dir / "vexel.log")),
                                     std::regex(R"(FPS: avg: \d+\.\d\d, fov: 45\.00, )"
                                                R"(cam\(0\.00,0\.00,19\.20\))")))
            << lastTitle(readFile(dir / "vexel.log"));
    }
    for (const char* frame : {"frame-1.png", "frame-61.png"}) {
        const std::string first = readFile(dir / "a" / frame);
        EXPECT_GT(first.size(), 1000u) << frame;
        EXPECT_EQ(first, readFile(dir / "b" / frame)) << frame << " differs between two runs";
    }

    // The capture shows the same place as the golden flight's frame after T.
    std::string error;
    const auto start = ox::image::PngFile::read(dir / "a" / "frame-1.png", error);
    const auto moved = ox::image::PngFile::read(dir / "a" / "frame-61.png", error);
    const auto golden = ox::image::PngFile::read(
        std::filesystem::path(OX_GOLDEN_DIR) / "after-t-60-frames.png", error);
    ASSERT_TRUE(start && moved && golden) << error;
    EXPECT_EQ(moved->width, 1024);
    EXPECT_EQ(moved->height, 1024);
    const ox::image::ImageComparison comparison{24, 0.005};
    EXPECT_TRUE(comparison.compare(*golden, *moved).matches);
    EXPECT_FALSE(comparison.compare(*golden, *start).matches);
}

// The headless back end draws the golden flight, mouse look, outlines and
// wheel included, into the same pixels as a window on the virtual display:
// the frames are identical byte for byte, and the headless run needs no X
// server.
TEST(DeterministicRunGLTest, AHeadlessRunDrawsTheFramesOfAWindowedRunExactly) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const std::string flight = std::string(OX_GOLDEN_DIR) + "/flight.input";
    const std::string common =
        "--fixed-dt 0.016 --frames 90 --input '" + flight + "' --capture-frames 1,62,64,65,90";
    const std::string windowed =
        runVexel(dir.path(), common + " --capture windowed", ox::test::firstFrameSeconds + 50);
    ASSERT_TRUE(windowed.ends_with("exit=0")) << windowed << readFile(dir / "vexel.log");
    const std::string windowedTitle = lastTitle(readFile(dir / "vexel.log"));
    const std::string headless =
        runVexel(dir.path(), common + " --capture headless --headless --egl-device software",
                 ox::test::firstFrameSeconds + 50, "-u DISPLAY -u WAYLAND_DISPLAY");
    ASSERT_TRUE(headless.ends_with("exit=0")) << headless << readFile(dir / "vexel.log");

    for (const char* frame :
         {"frame-1.png", "frame-62.png", "frame-64.png", "frame-65.png", "frame-90.png"}) {
        const std::string drawn = readFile(dir / "windowed" / frame);
        EXPECT_GT(drawn.size(), 1000u) << frame;
        EXPECT_EQ(drawn, readFile(dir / "headless" / frame)) << frame << " differs";
    }
    // The title is computed as usual and reaches the log; only the frame rate
    // in it is measured, so the rest must agree.
    const std::regex rate(R"(FPS: avg: \d+\.\d\d)");
    EXPECT_EQ(std::regex_replace(lastTitle(readFile(dir / "vexel.log")), rate, ""),
              std::regex_replace(windowedTitle, rate, ""));
    EXPECT_NE(windowedTitle.find("fov: "), std::string::npos) << windowedTitle;
}

} // namespace
