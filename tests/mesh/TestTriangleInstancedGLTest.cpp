#include "mesh/TestTriangleInstanced.hpp"

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
using ox::mesh::TestTriangleInstanced;
using ox::renderer::opengl::OpenGlRenderingApi;

namespace {

constexpr int size = 64;

// The instanced triangles on their own, as the demo starts: camera at the
// origin looking along +z, field of view 45 degrees, depth test on.
class TestTriangleInstancedGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        target = std::make_unique<ox::test::OffscreenTarget>(size);
        root->addWriter(writer);
        reg->add(triangles);
        glEnable(GL_DEPTH_TEST);
        data.viewProjection =
            glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 1000.0f) *
            glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
        ox::test::copyRepositoryShaders(dir.path());
    }
    void TearDown() override {
        reg->deinitAll();
        reg.reset();
        glUseProgram(0);
        glBindVertexArray(0);
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
    int errorLines() const {
        int count = 0;
        for (const auto& [level, line] : writer->lines) {
            count += level != ELogLevel::Debug ? 1 : 0;
        }
        return count;
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
    std::shared_ptr<TestTriangleInstanced> triangles =
        std::make_shared<TestTriangleInstanced>(root);
    ox::engine::mesh::mesh_render_data_t data{};
};

TEST_F(TestTriangleInstancedGLTest, DrawsTheInstancesFromTheStartingView) {
    init();
    drawFrame();

    EXPECT_GT(target->litPixels(), size / 2);
    EXPECT_EQ(errorLines(), 0);
    EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
}

TEST_F(TestTriangleInstancedGLTest, FilesFixedAfterABrokenStartDrawWithTheVertexData) {
    const auto vertexFile = dir / "shaders/test-triangle-instanced.vert";
    const std::string good = ox::test::readFile(vertexFile);
    ox::test::writeFile(vertexFile, "#version 430 core\nvoid main() { gl_Position = nothing; }\n");
    init();
    drawFrame();
    EXPECT_EQ(target->litPixels(), 0);
    EXPECT_GT(errorLines(), 0);

    ox::test::writeFile(vertexFile, good);
    drawFrame();
    EXPECT_GT(target->litPixels(), size / 2);
}

TEST_F(TestTriangleInstancedGLTest, TheElapsedTimeReachesTheProgramInTheSameFrame) {
    init();
    triangles->timeElapsed = 12.5f;
    drawFrame();

    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    ASSERT_NE(program, 0);
    const GLint location = glGetUniformLocation(static_cast<GLuint>(program), "time_elapsed");
    GLfloat value = 0.0f;
    glGetUniformfv(static_cast<GLuint>(program), location, &value);
    EXPECT_EQ(value, 12.5f);
}

} // namespace
