#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using ox::test::commandOutput;
using ox::test::readFile;

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

// The golden flight with --gl-debug, headless, with one shader file broken:
// the driver's notes on each of the 362 debug groups the meshes push and pop
// every frame stay out of the log, while what the driver raises itself (the
// compiler's errors on the broken file) is there.
TEST(DriverMessagesGLTest, TheFlightLogsTheDriversOwnMessagesAndNoneAboutOurGroups) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::ofstream(dir / "shaders" / "test-space-grid.frag", std::ios::app) << "not GLSL\n";
    std::ofstream(dir / "flight.input")
        << readFile(std::filesystem::path(OX_GOLDEN_DIR) / "flight.input");
    const std::string output = commandOutput(
        "cd '" + dir.path().string() + "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}" +
        "detect_leaks=0 timeout 240 " VEXEL_BINARY " --headless --gl-debug --fixed-dt 0.016 " +
        "--input flight.input --frames 62 >/dev/null 2>&1; echo exit=$?");
    ASSERT_EQ(output, "exit=0");
    const std::string log = readFile(dir / "vexel.log");
    EXPECT_EQ(countOf(log, "OpenGL driver message: source application"), 0u) << log;
    EXPECT_EQ(countOf(log, "type push group"), 0u);
    EXPECT_EQ(countOf(log, "type pop group"), 0u);
    EXPECT_GE(countOf(log, "(l:err) renderer > OpenGL driver message: source shader compiler, "
                           "type error, "),
              1u)
        << log;
}

} // namespace
