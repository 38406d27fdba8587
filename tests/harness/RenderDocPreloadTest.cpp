#include "support/ChildProcess.hpp"
#include "support/ReadFile.hpp"
#include "support/TempDir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The start-up step for RenderDoc, in real runs without a display (so a run
// let through ends with the fatal line, exit code 1): a library that cannot
// be loaded or a preload that did not take is refused with one line and exit
// code 2 before anything is written; the library is loaded (tried in a child,
// then preloaded by the restart) only when an option asks for RenderDoc.
TEST(RenderDocPreloadTest, TheLibraryIsLoadedOnlyOnRequestAndItsAbsenceIsRefused) {
    const std::string missing = "VEXEL_RENDERDOC_LIBRARY=/nowhere/librenderdoc.so";
    const std::string stub = std::string("VEXEL_RENDERDOC_LIBRARY=") + OX_RENDERDOC_STUB;
    const struct {
        std::string environment;
        std::string arguments;
        std::string says;
        int exit;
        std::string loaded;
    } cases[] = {
        {missing, "--renderdoc-frames 2,1 --frames 3",
         "vexel: --renderdoc-frames needs RenderDoc: '/nowhere/librenderdoc.so' cannot be loaded "
         "(",
         2, ""},
        {missing, "--frames 3 --renderdoc", "; install the package librenderdoc\n", 2, ""},
        {stub + " VEXEL_RENDERDOC_RESTARTED=1", "--renderdoc",
         "vexel: --renderdoc needs RenderDoc: '" + std::string(OX_RENDERDOC_STUB) +
             "' was preloaded but is not in the process\n",
         2, "loaded, restart marked\n"},
        {stub, "--frames 1", "(l:ftl) main > Unable to initialize OpenGL renderer.", 1, ""},
        {stub, "--frames 1 --renderdoc-frames 1",
         "(l:ftl) main > Unable to initialize OpenGL renderer.", 1,
         "loaded\nloaded, restart marked\n"},
    };
    for (const auto& c : cases) {
        ox::test::TempDir dir;
        const std::string output = ox::test::commandOutput(
            "cd '" + dir.path().string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u " +
            "VEXEL_RENDERDOC_RESTARTED OX_RENDERDOC_STUB_MARKER='" + (dir / "marker").string() +
            "' " + c.environment + " timeout 20 " + VEXEL_BINARY + " " + c.arguments +
            " 2>&1 >/dev/null; echo exit=$?");
        EXPECT_NE(output.find(c.says), std::string::npos) << c.arguments << "\n" << output;
        EXPECT_TRUE(output.ends_with("\nexit=" + std::to_string(c.exit))) << output;
        EXPECT_EQ(ox::test::readFile(dir / "marker"), c.loaded) << c.arguments;
        if (c.exit == 2) {
            EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
            EXPECT_FALSE(std::filesystem::exists(dir / "vexel.log")) << c.arguments;
        }
    }
}

} // namespace
