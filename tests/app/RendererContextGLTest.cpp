#include "app/FrameLoop.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"
#include "renderer/IRenderingApi.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <regex>
#include <unistd.h>

namespace {

// Message parts of the memory log ("channel > message" with the level tag).
std::vector<std::string> tail(const std::vector<std::string>& lines) {
    std::vector<std::string> result;
    for (const auto& line : lines) {
        result.push_back(line.substr(line.find("(l:")));
    }
    return result;
}

void expectSubsequence(const std::vector<std::string>& lines,
                       const std::vector<std::string>& patterns) {
    std::size_t next = 0;
    for (const auto& pattern : patterns) {
        const std::regex wanted(pattern);
        while (next < lines.size() && !std::regex_match(lines[next], wanted)) {
            ++next;
        }
        ASSERT_LT(next, lines.size()) << "missing, or out of order: " << pattern;
        ++next;
    }
}

struct RendererContextGLTest : ::testing::Test {
    ox::test::TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    std::vector<std::string> memoryLog;
    ox::app::LoggingContext logging;

    void SetUp() override {
        std::filesystem::current_path(dir.path());
        ASSERT_TRUE(ox::app::setupLogging(memoryLog, logging));
    }
    void TearDown() override {
        ox::app::releaseLogging(logging);
        std::filesystem::current_path(previous);
    }
};

TEST_F(RendererContextGLTest, StartUpLogsEveryStepAndShutDownReleasesInOrder) {
    ox::app::RendererContext context;
    ASSERT_TRUE(ox::app::setupRenderer(logging, context));
    ASSERT_TRUE(context.window && context.window->isValid());
    EXPECT_EQ(context.window->getTitle(), "Vexel");
    EXPECT_EQ(context.window->getSize().width, 1024);
    EXPECT_EQ(context.window->getSize().height, 1024);

    expectSubsequence(
        tail(memoryLog),
        {R"(\(l:inf\) renderer > Event dispatcher attached\.)",
         R"(\(l:dbg\) renderer > Initializing renderer\.)",
         R"(\(l:inf\) renderer > GLFW version: .+\.)",
         R"(\(l:inf\) renderer > '.*' monitor \(with \d+ video modes supported\) has been initialized\.)",
         R"(\(l:dbg\) window > Event dispatcher attached\.)",
         R"(\(l:inf\) renderer > Vendor: .+\.)",
         R"(\(l:inf\) renderer > Version: 4\.5 \(Core Profile\).*\.)",
         R"(\(l:inf\) renderer > Renderer name: .+\.)",
         R"(\(l:inf\) renderer > Creating a new renderer window 'Vexel' with size 1024x1024 \.)",
         R"(\(l:inf\) window > 'Vexel' window has been resized to 1024x1024\.)"});

    // Renderer messages are logged by type: error, information, anything else debug.
    context.renderer->reportMessage(0, "zero");
    context.renderer->reportMessage(1, "one");
    context.renderer->reportMessage(7, "seven {}");
    const auto lines = tail(memoryLog);
    const std::vector<std::string> lastThree(lines.end() - 3, lines.end());
    EXPECT_EQ(lastThree,
              (std::vector<std::string>{"(l:err) renderer > zero", "(l:inf) renderer > one",
                                        "(l:dbg) renderer > seven {}"}));

    // A resize is logged with the window's title and moves the viewport.
    context.window->handleResize(800, 600);
    EXPECT_EQ(tail(memoryLog).back(),
              "(l:inf) window > 'Vexel' window has been resized to 800x600.");
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 800, 600}));

    const std::size_t before = memoryLog.size();
    context.renderer->deinit();
    const auto all = tail(memoryLog);
    const std::vector<std::string> shutdown(all.begin() + static_cast<long>(before), all.end());
    expectSubsequence(shutdown, {R"(\(l:inf\) renderer > Destroying window 'Vexel'\.)",
                                 R"(\(l:dbg\) renderer > Renderer deinitialized\.)",
                                 R"(\(l:inf\) renderer > Event dispatcher detached\.)"});
    ox::app::releaseRenderer(context);
    EXPECT_FALSE(context.renderer);
}

TEST_F(RendererContextGLTest, LoopEndsOnCloseRequestAndTheSceneShutsDownWithAContext) {
    ox::app::RendererContext context;
    ASSERT_TRUE(ox::app::setupRenderer(logging, context));
    const auto api = context.renderer->getRenderingApi();
    ox::app::SceneContext graph;
    ASSERT_TRUE(ox::app::setupSceneGraph(logging, context, graph));
    ox::test::copyRepositoryShaders(dir.path());
    ox::app::Scene scene(logging, graph);
    ox::app::prepareFrameLoop(context, scene, api);
    EXPECT_TRUE(api->isEnabled(ox::renderer::ECapability::DepthTest));

    context.window->setShouldClose(true);
    ox::app::runFrameLoop(context, scene, api);
    // One frame ran and set the title: still the empty text if the renderer's
    // clock had not passed one second yet, otherwise the first statistics.
    EXPECT_TRUE(std::regex_match(
        context.window->getTitle(),
        std::regex(R"(|FPS: avg: \d+\.\d\d, fov: 45\.00, cam\(0\.00,0\.00,0\.00\))")))
        << context.window->getTitle();

    // Meshes free their GL objects after the loop: the context must still be there.
    ASSERT_TRUE(context.window->isValid());
    EXPECT_NE(glfwGetCurrentContext(), nullptr);
    const auto buffers = api->genBuffers(1);
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_NE(buffers[0], 0u);
    api->deleteBuffers(buffers);

    ox::app::shutDownFrameLoop(context, scene);
    EXPECT_FALSE(context.window->isValid());
    EXPECT_FALSE(context.renderer->isInitialized());
    for (const auto& line : memoryLog) {
        EXPECT_EQ(line.find("(l:err)"), std::string::npos) << line;
    }
    ox::app::releaseRenderer(context);
}

} // namespace
