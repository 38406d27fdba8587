#include "support/ChildProcess.hpp"
#include "support/Deadlines.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using ox::test::commandOutput;
using ox::test::readFile;

// As DeterministicRunGLTest runs it: standard error, then "exit=<code>".
std::string runVexel(const std::filesystem::path& dir, const std::string& arguments) {
    return commandOutput(
        "cd '" + dir.string() +
        "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 timeout " +
        std::to_string(ox::test::firstFrameSeconds + 30) + " " + VEXEL_BINARY + " " + arguments +
        " 2>&1 >/dev/null; echo exit=$?");
}

// A mouse-look drag that starts and ends on the overlay's panel (top left),
// then the same frame captured three ways: with the overlay and the drag,
// without either, and with the drag alone, which turns the camera.
TEST(OverlayRunGLTest, CapturesLeaveTheOverlayOutAndADragOnItTurnsNothing) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::ofstream(dir / "drag.input") << "2 cursor 200 300\n"
                                         "2 button down left\n"
                                         "3 cursor 250 350\n"
                                         "4 cursor 300 400\n"
                                         "5 button up left\n";
    const struct {
        const char* capture;
        const char* arguments;
    } runs[] = {
        {"overlay", "--overlay --input drag.input"},
        {"plain", ""},
        {"dragged", "--input drag.input"},
    };
    for (const auto& run : runs) {
        const std::string output =
            runVexel(dir.path(), std::string("--fixed-dt 0.016 --frames 6 --capture ") +
                                     run.capture + " --capture-frames 6 " + run.arguments);
        ASSERT_TRUE(output.ends_with("exit=0")) << run.capture << "\n"
                                                << output << readFile(dir / "vexel.log");
    }
    const std::string plain = readFile(dir / "plain" / "frame-6.png");
    EXPECT_GT(plain.size(), 1000u);
    EXPECT_TRUE(readFile(dir / "overlay" / "frame-6.png") == plain)
        << "the capture with the overlay differs from the one without";
    EXPECT_FALSE(readFile(dir / "dragged" / "frame-6.png") == plain)
        << "the drag without the overlay did not turn the camera";
}

} // namespace
