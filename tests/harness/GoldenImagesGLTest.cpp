#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"
#include "support/XdoTool.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

using ox::test::commandOutput;

// Runs scripts/golden.sh against this build with the shader files in
// `shaders`, writing into `out`; returns its output and "exit=<code>".
std::string runGolden(const std::filesystem::path& shaders, const std::filesystem::path& out,
                      const std::string& golden = OX_GOLDEN_DIR, const std::string& options = "") {
    return commandOutput("timeout 210 bash '" OX_SOURCE_DIR "/scripts/golden.sh' " + options +
                         " --shaders '" + shaders.string() + "' --out '" + out.string() +
                         "' --golden '" + golden + "' '" OX_BUILD_DIR "' 2>&1; echo exit=$?");
}

// The golden check as `make test` runs it, and proof that it can fail: a
// changed colour in one shader must fail with side-by-side images, and the
// repository's files must pass again.
TEST(GoldenImagesGLTest, FailsWithSideBySideImagesOnAnAlteredShaderAndPassesOnTheOriginal) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const std::filesystem::path frag = dir / "shaders" / "test-triangle-instanced.frag";
    const std::string original = ox::test::readFile(frag);
    const std::string from = "color = vec4(fs_in.color, 1.0);";
    const auto at = original.find(from);
    ASSERT_NE(at, std::string::npos) << "the instanced triangles' colour line moved";
    std::string altered = original;
    altered.replace(at, from.size(), "color = vec4(fs_in.color.bgr, 1.0);");
    std::ofstream(frag) << altered;

    const std::string failing = runGolden(dir / "shaders", dir / "altered");
    EXPECT_TRUE(failing.ends_with("exit=1")) << failing;
    const std::regex sideBySide("side by side: (\\S+-side-by-side\\.png)");
    int images = 0;
    for (auto it = std::sregex_iterator(failing.begin(), failing.end(), sideBySide);
         it != std::sregex_iterator(); ++it, ++images) {
        EXPECT_TRUE(std::filesystem::exists((*it)[1].str())) << (*it)[1].str();
    }
    // The triangles are in every golden frame.
    EXPECT_EQ(images, 6) << failing;

    std::ofstream(frag) << original;
    const std::string passing = runGolden(dir / "shaders", dir / "restored");
    EXPECT_TRUE(passing.ends_with("golden: all 6 frames match\nexit=0")) << passing;
}

// The same check with the headless back end and DISPLAY unset: no X server
// takes part, and the frames match the references as the windowed ones do.
TEST(GoldenImagesGLTest, TheHeadlessFlightMatchesTheReferences) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    const std::string passing =
        runGolden(dir / "shaders", dir / "headless", OX_GOLDEN_DIR, "--headless");
    EXPECT_TRUE(passing.ends_with("golden: all 6 frames match\nexit=0")) << passing;
}

// A session turned into references in one command: golden-add keeps the
// frames and the input beside the others, and the golden check then renders
// and passes them along with the original six.
TEST(GoldenImagesGLTest, AnAddedSessionBecomesPartOfTheCheck) {
    ox::test::TempDir dir;
    ox::test::copyRepositoryShaders(dir.path());
    std::filesystem::copy(OX_GOLDEN_DIR, dir / "golden");
    // Yaw left for 20 frames, then zoom out.
    std::ofstream(dir / "session.input") << "2 key down A\n22 key up A\n25 wheel 0 -5\n";
    const auto add = [&](const std::string& name, const std::string& frames) {
        return commandOutput(
            "timeout 100 bash '" OX_SOURCE_DIR "/scripts/golden-add.sh' --golden '" +
            (dir / "golden").string() + "' --shaders '" + (dir / "shaders").string() +
            "' '" OX_BUILD_DIR "' " + name + " '" + (dir / "session.input").string() + "' " +
            frames + " 2>&1; echo exit=$?");
    };
    const std::string added = add("yaw-and-zoom", "30,20");
    ASSERT_TRUE(added.ends_with("exit=0")) << added;
    EXPECT_TRUE(std::filesystem::exists(dir / "golden" / "yaw-and-zoom-20.png"));
    EXPECT_TRUE(std::filesystem::exists(dir / "golden" / "yaw-and-zoom-30.png"));
    EXPECT_EQ(ox::test::readFile(dir / "golden" / "yaw-and-zoom.input"),
              ox::test::readFile(dir / "session.input"));
    EXPECT_TRUE(ox::test::readFile(dir / "golden" / "golden.list")
                    .ends_with("20 yaw-and-zoom-20 yaw-and-zoom.input\n"
                               "30 yaw-and-zoom-30 yaw-and-zoom.input\n"));
    // The same name twice would overwrite references someone committed.
    const std::string again = add("yaw-and-zoom", "40");
    EXPECT_TRUE(again.ends_with("exit=2")) << again;

    const std::string passing = runGolden(dir / "shaders", dir / "out", (dir / "golden").string());
    EXPECT_TRUE(passing.ends_with("golden: all 8 frames match\nexit=0")) << passing;
}

} // namespace
