#include "support/ChildProcess.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

using ox::test::commandOutput;

// The demo traced by apitrace, headless (EGL) and windowed (GLX): the trace
// holds one frame per frame drawn, each ended by its buffer swap, so a trace
// of a headless run steps frame by frame in a trace viewer as a windowed one
// does. A GLFW window adds one frame before them: GLFW clears a new window
// and swaps once, so that it shows black rather than old pixels.
TEST(TracedFramesGLTest, EachFrameDrawnIsOneFrameOfTheTraceEndedByItsSwap) {
    if (commandOutput("command -v apitrace").empty()) {
        GTEST_SKIP() << "apitrace is not installed (package apitrace)";
    }
    const struct {
        const char* name;
        const char* api;
        const char* options;
        const char* swap;
        std::size_t frames;
    } runs[] = {
        {"headless", "egl", "--headless", "eglSwapBuffers", 4},
        {"windowed", "gl", "", "glXSwapBuffers", 5},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        ox::test::TempDir dir;
        ox::test::copyRepositoryShaders(dir.path());
        // The tracer is preloaded ahead of the sanitizer's runtime.
        const std::string output = commandOutput(
            "cd '" + dir.path().string() + "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}" +
            "detect_leaks=0:verify_asan_link_order=0 timeout 180 apitrace trace --api " + run.api +
            " -o frames.trace " VEXEL_BINARY " --fixed-dt 0.016 --frames 4 " + run.options +
            " >/dev/null 2>&1; echo exit=$?");
        ASSERT_EQ(output, "exit=0");
        const std::string info =
            commandOutput("cd '" + dir.path().string() + "' && apitrace info frames.trace");
        EXPECT_NE(info.find("\"FramesCount\": " + std::to_string(run.frames) + ","),
                  std::string::npos)
            << info;
        // Each frame's last call is its swap: the calls that end frames.
        const std::string ends = commandOutput(
            "cd '" + dir.path().string() +
            "' && apitrace dump --calls=frame frames.trace | grep -o '^[0-9]* [a-zA-Z]*'");
        const std::regex swap(std::string("\\d+ ") + run.swap);
        std::size_t swaps = 0;
        for (auto it = std::sregex_iterator(ends.begin(), ends.end(), swap);
             it != std::sregex_iterator(); ++it) {
            ++swaps;
        }
        EXPECT_EQ(swaps, run.frames) << ends;
    }
}

} // namespace
