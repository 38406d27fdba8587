#include "mesh/TestSpaceGrid.hpp"

#include "core/logger/LoggerMachinery.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/GlTestContext.hpp"
#include "support/OffscreenTarget.hpp"
#include "support/ReadFile.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingWriter.hpp"
#include "support/RepositoryShaders.hpp"
#include "support/TempDir.hpp"

#include <glm/gtc/matrix_transform.hpp>

using ox::core::logger::ELogLevel;
using ox::engine::mesh::MeshRegister;
using ox::mesh::TestSpaceGrid;
using ox::renderer::opengl::OpenGlRenderingApi;
using Lines = std::vector<std::string>;

namespace {

constexpr int size = 64;
constexpr int half = size / 2;

// The grid on its own, as the demo starts: camera at the origin looking along
// +z, field of view 45 degrees, depth test on, no vertex array bound.
class TestSpaceGridGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<ox::test::OffscreenTarget>(size);
        root->addWriter(writer);
        reg->add(grid);
        glBindVertexArray(0);
        glEnable(GL_DEPTH_TEST);
        data.viewProjection =
            glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) *
            glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    }
    void TearDown() override {
        reg->deinitAll();
        reg.reset();
        glUseProgram(0);
        glDisable(GL_DEPTH_TEST);
        target.reset();
        EXPECT_TRUE(renderer->errors.empty()) << renderer->errors.front().first;
        api->releaseRenderer();
        GlTest::TearDown();
    }

    void init() {
        ox::test::CurrentDirectory inside(dir.path());
        reg->initAll();
    }
    void drawFrame() {
        target->clear();
        reg->setRenderData(data);
        reg->renderAll();
    }
    Lines takeErrors() {
        Lines errors;
        for (const auto& [level, line] : writer->lines) {
            if (level != ELogLevel::Debug) {
                errors.push_back(line.substr(line.find(" > ") + 3));
            }
        }
        writer->lines.clear();
        return errors;
    }

    ox::test::TempDir dir;
    std::unique_ptr<ox::test::OffscreenTarget> target;
    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
    std::shared_ptr<MeshRegister> reg = std::make_shared<MeshRegister>(api);
    std::shared_ptr<ox::core::logger::LoggerMachinery> root =
        std::make_shared<ox::core::logger::LoggerMachinery>();
    std::shared_ptr<ox::test::RecordingWriter> writer =
        std::make_shared<ox::test::RecordingWriter>();
    std::shared_ptr<TestSpaceGrid> grid = std::make_shared<TestSpaceGrid>(root);
    ox::engine::mesh::mesh_render_data_t data{};
};

TEST_F(TestSpaceGridGLTest, DrawsTheGroundBelowTheHorizonFromTheStartingView) {
    ox::test::copyRepositoryShaders(dir.path());
    init();
    drawFrame();

    EXPECT_GT(target->litPixels(0, half), size);
    EXPECT_TRUE(takeErrors().empty());
    EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
}

TEST_F(TestSpaceGridGLTest, AnEditedFileChangesThePictureAtTheNextFrame) {
    ox::test::copyRepositoryShaders(dir.path());
    init();
    drawFrame();
    GLint before = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &before);
    const int groundBefore = target->litPixels(0, half);

    // Lift the ground above the camera: the lines move to the upper half.
    const auto vertexFile = dir / "shaders/test-space-grid.vert";
    std::string source = ox::test::readFile(vertexFile);
    const std::string ground = "groundHeight = -4.0";
    ASSERT_NE(source.find(ground), std::string::npos);
    source.replace(source.find(ground), ground.size(), "groundHeight = 4.0");
    ox::test::writeFile(vertexFile, source);
    drawFrame();

    GLint after = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &after);
    EXPECT_NE(after, before);
    EXPECT_GT(target->litPixels(half, size), groundBefore / 2);
    EXPECT_LT(target->litPixels(0, half), groundBefore / 2);
    EXPECT_TRUE(takeErrors().empty());
}

TEST_F(TestSpaceGridGLTest, MissingShadersAreReportedOnceAndDrawnOnceTheyAppear) {
    init();
    for (int frame = 0; frame < 3; ++frame) {
        drawFrame();
        EXPECT_EQ(target->litPixels(), 0);
    }
    EXPECT_EQ(takeErrors(), (Lines{"file reloader > Cannot read file "
                                   "'shaders/test-space-grid.frag': No such file or directory.",
                                   "file reloader > Cannot read file "
                                   "'shaders/test-space-grid.vert': No such file or directory."}));

    ox::test::copyRepositoryShaders(dir.path());
    drawFrame();
    EXPECT_GT(target->litPixels(0, half), size);
    EXPECT_TRUE(takeErrors().empty());
}

} // namespace
