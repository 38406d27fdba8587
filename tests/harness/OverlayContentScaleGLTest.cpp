#include "support/ChildProcess.hpp"
#include "support/PrivateDisplay.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

namespace {

using ox::test::commandOutput;
using ox::test::readFile;

// The demo with the overlay on a display at 96 DPI, then at 192 (Xft.dpi, as
// a desktop at 200 % sets it): the second run draws the overlay at content
// scale 2 while its window keeps 1024 x 1024 and its captures, which leave the
// overlay out, stay byte for byte those of the first.
TEST(OverlayContentScaleGLTest, AtTwoHundredPercentOnlyTheOverlayGrows) {
    ox::test::PrivateDisplay display;
    ASSERT_FALSE(display.display.empty()) << "Xvfb did not start";
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const auto run = [&](const std::string& captures) {
        const std::string output = commandOutput(
            "cd '" + dir.path().string() + "' && DISPLAY=" + display.display +
            " LIBGL_ALWAYS_SOFTWARE=1 ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "
            "timeout 120 " VEXEL_BINARY " --overlay --fixed-dt 0.016 --frames 3 --capture " +
            captures + " --capture-frames 1,3 2>&1 >/dev/null; echo exit=$?");
        EXPECT_TRUE(output.ends_with("exit=0")) << output;
        return readFile(dir / "vexel.log");
    };
    const std::string normal = run("at96");
    ASSERT_EQ(display.mergeResources("Xft.dpi: 192"), "");
    const std::string doubled = run("at192");

    EXPECT_EQ(normal.find("content scale"), std::string::npos) << normal;
    EXPECT_NE(doubled.find("(l:inf) main > The overlay's text and panel are drawn at the "
                           "monitor's content scale, 2.00."),
              std::string::npos)
        << doubled;
    for (const std::string& log : {normal, doubled}) {
        EXPECT_NE(log.find("Creating a new renderer window 'Vexel' with size 1024x1024 ."),
                  std::string::npos);
    }
    for (const char* frame : {"frame-1.png", "frame-3.png"}) {
        const std::string before = readFile(dir / "at96" / frame);
        EXPECT_FALSE(before.empty()) << frame;
        EXPECT_TRUE(before == readFile(dir / "at192" / frame)) << frame;
    }
}

} // namespace
