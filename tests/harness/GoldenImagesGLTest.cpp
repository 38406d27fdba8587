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
std::string runGolden(const std::filesystem::path& shaders, const std::filesystem::path& out) {
    return commandOutput("timeout 210 bash '" OX_SOURCE_DIR "/scripts/golden.sh' --shaders '" +
                         shaders.string() + "' --out '" + out.string() +
                         "' '" OX_BUILD_DIR "' 2>&1; echo exit=$?");
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

} // namespace
