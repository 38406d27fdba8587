#include "overlay/DebugOverlay.hpp"

#include "engine/shader/ReloadableProgram.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/OffscreenTarget.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/TempDir.hpp"
#include "support/WriteFile.hpp"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace {

using ox::engine::shader::ReloadableProgram;
using ox::overlay::DebugOverlay;

struct DebugOverlayGLTest : ox::test::GlTest {
    void TearDown() override {
        api->releaseRenderer();
        GlTest::TearDown();
    }

    std::vector<std::uint8_t> readFrame(int size) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size * size * 4));
        glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<ox::renderer::opengl::OpenGlRenderingApi> api =
        std::make_shared<ox::renderer::opengl::OpenGlRenderingApi>(renderer);
    std::shared_ptr<ox::renderer::RendererWindowEventsDispatcher> events =
        std::make_shared<ox::renderer::RendererWindowEventsDispatcher>();
};

// The frame a scene left (a flat colour with the depth test on) stays as it
// was outside the panel; inside, the panel is drawn over it.
TEST_F(DebugOverlayGLTest, OnlyThePanelsRegionOfTheFrameChanges) {
    // Taller than the panel, so a panel drawn upside down would show.
    constexpr int size = 800;
    ox::test::OffscreenTarget target(size);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const std::vector<std::uint8_t> before = readFrame(size);

    std::array<float, 50> frameMs{};
    std::iota(frameMs.begin(), frameMs.end(), 5.0f);
    ox::overlay::overlay_model_t model;
    model.recentMs = frameMs;
    model.recentCount = frameMs.size();
    DebugOverlay overlay;
    ASSERT_TRUE(overlay.attach(*events, api, ox::renderer::EInputKey::F1));
    overlay.draw(model, {size, size}, 1.0);
    const std::vector<std::uint8_t> after = readFrame(size);
    EXPECT_TRUE(renderer->errors.empty()) << renderer->errors.front().first;
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));

    // Window pixels count rows from the top, the read-back from the bottom.
    const auto& panel = overlay.panel().rect();
    int changedInside = 0;
    int changedOutside = 0;
    int inside = 0;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const int y = size - 1 - row;
            const bool inPanel =
                column >= panel.left && column < panel.right && y >= panel.top && y < panel.bottom;
            const auto at = static_cast<std::size_t>((row * size + column) * 4);
            const bool changed = !std::equal(before.begin() + static_cast<std::ptrdiff_t>(at),
                                             before.begin() + static_cast<std::ptrdiff_t>(at + 3),
                                             after.begin() + static_cast<std::ptrdiff_t>(at));
            inside += inPanel ? 1 : 0;
            (inPanel ? changedInside : changedOutside) += changed ? 1 : 0;
        }
    }
    EXPECT_GT(panel.right - panel.left, 100.0f);
    EXPECT_EQ(changedOutside, 0);
    // The panel's background covers it; text and the graph draw on top.
    EXPECT_GT(changedInside, inside * 9 / 10);

    overlay.shutdown();
    glDisable(GL_DEPTH_TEST);
}

// At a content scale of 2 (a monitor at 200 %) the panel's place and size
// and the height of its text are twice those at 1, drawn in the same frame.
TEST_F(DebugOverlayGLTest, TextAndPanelGrowWithTheContentScale) {
    constexpr int size = 1024;
    ox::test::OffscreenTarget target(size);
    struct measured_t {
        ox::overlay::OverlayPanel::rect_t panel;
        int textRows = 0;
    };
    const auto measure = [&](float scale) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        DebugOverlay overlay;
        EXPECT_TRUE(overlay.attach(*events, api, ox::renderer::EInputKey::F1, scale));
        overlay.draw({}, {size, size}, 1.0);
        const std::vector<std::uint8_t> pixels = readFrame(size);
        measured_t result{overlay.panel().rect()};
        // The title's letters: near-white pixels in the title bar, the top
        // 19 pixels of the panel at scale 1 (13-pixel font, 3 of padding).
        int first = size;
        int last = -1;
        const auto top = static_cast<int>(result.panel.top);
        for (int y = top; y < top + static_cast<int>(19.0f * scale); ++y) {
            for (int x = static_cast<int>(result.panel.left); x < result.panel.right; ++x) {
                const auto at = static_cast<std::size_t>(((size - 1 - y) * size + x) * 4);
                if (pixels[at] > 180 && pixels[at + 1] > 180 && pixels[at + 2] > 180) {
                    first = std::min(first, y);
                    last = std::max(last, y);
                }
            }
        }
        result.textRows = last - first + 1;
        overlay.shutdown();
        return result;
    };
    const measured_t normal = measure(1.0f);
    const measured_t doubled = measure(2.0f);
    EXPECT_TRUE(renderer->errors.empty());
    EXPECT_FLOAT_EQ(normal.panel.left, 10.0f);
    EXPECT_FLOAT_EQ(normal.panel.right - normal.panel.left, 430.0f);
    EXPECT_FLOAT_EQ(doubled.panel.left, 20.0f);
    EXPECT_FLOAT_EQ(doubled.panel.top, 20.0f);
    EXPECT_FLOAT_EQ(doubled.panel.right - doubled.panel.left, 860.0f);
    ASSERT_GT(normal.textRows, 5);
    EXPECT_NEAR(doubled.textRows, 2 * normal.textRows, 2)
        << normal.textRows << " rows of text at scale 1";
}

constexpr const char* vertex = R"(#version 430 core
in vec2 position;
void main() { gl_Position = vec4(position, 0.0, 1.0); }
)";
constexpr const char* brokenVertex = R"(#version 430 core
in vec2 position;
void main() { gl_Position = vec4(nowhere, 0.0, 1.0); }
)";
constexpr const char* fragment = R"(#version 430 core
out vec4 colour;
void main() { colour = vec4(1.0); }
)";

TEST_F(DebugOverlayGLTest, ABrokenShaderEditShowsInThePanelUntilItIsFixed) {
    ox::test::TempDir dir;
    const std::string vertexPath = (dir / "grid.vert").string();
    const std::string fragmentPath = (dir / "grid.frag").string();
    ox::test::writeFile(vertexPath, vertex);
    ox::test::writeFile(fragmentPath, fragment);
    ReloadableProgram program(api, {vertexPath, fragmentPath},
                              {{}, {{"position", ox::renderer::EDataType::Float, 2}}}, nullptr,
                              nullptr);
    ox::overlay::OverlayPanel panel;
    ox::overlay::overlay_model_t model;
    const auto programsText = [&] {
        model.programs = ReloadableProgram::live();
        panel.describe(model);
        return panel.programs().joined();
    };
    EXPECT_NE(programsText().find("never built: nothing drawn"), std::string::npos);

    ASSERT_TRUE(program.reloadIfChanged());
    std::string text = programsText();
    EXPECT_NE(text.find(vertexPath + ", read "), std::string::npos) << text;
    EXPECT_NE(text.find("drawing the current program"), std::string::npos) << text;

    ox::test::writeFile(vertexPath, brokenVertex);
    EXPECT_FALSE(program.reloadIfChanged());
    text = programsText();
    EXPECT_NE(text.find("drawing the last good program: the edit failed"), std::string::npos)
        << text;
    // The compiler's own words name what it did not know.
    EXPECT_NE(text.find("nowhere"), std::string::npos) << text;
    const auto& lines = panel.programs();
    EXPECT_EQ(lines.tone(lines.size() - 1), ox::overlay::ETone::Error);

    ox::test::writeFile(vertexPath, std::string(vertex) + "// fixed\n");
    ASSERT_TRUE(program.reloadIfChanged());
    text = programsText();
    EXPECT_NE(text.find("drawing the current program"), std::string::npos) << text;
    EXPECT_EQ(text.find("nowhere"), std::string::npos) << text;
}

} // namespace
