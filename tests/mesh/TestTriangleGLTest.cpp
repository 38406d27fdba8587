#include "engine/mesh/MeshRegister.hpp"
#include "mesh/TestTriangle.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/RecordingRenderer.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <array>
#include <cstdlib>

using ox::engine::mesh::mesh_render_data_t;
using ox::engine::mesh::MeshRegister;
using ox::mesh::TestTriangle;
using ox::renderer::EPrimitiveMode;
using ox::renderer::opengl::OpenGlRenderingApi;

namespace {

constexpr int size = 64;
constexpr int tolerance = 2;

struct Rgba {
    int r, g, b, a;
};

// Draws into an offscreen colour buffer of its own: what a hidden window's
// default framebuffer holds is not guaranteed.
class TestTriangleGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colorBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  colorBuffer);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, size, size);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);

        // Moves the triangle from z = -2 to 0 and scales it by 1.5, so that
        // its corners sit at (-0.75, -0.75), (0.75, -0.75) and (0, 0.75).
        data.viewProjection = glm::scale(glm::mat4(1.0f), glm::vec3(1.5f, 1.5f, 1.0f)) *
                              glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, 2.0f));
        reg->add(triangle);
    }

    void TearDown() override {
        reg->deinitAll();
        reg.reset();
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colorBuffer);
        glDeleteFramebuffers(1, &framebuffer);
        EXPECT_TRUE(renderer->errors.empty()) << renderer->errors.front().first;
        EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
        api->releaseRenderer();
        GlTest::TearDown();
    }

    void draw() {
        reg->setRenderData(data);
        reg->renderAll();
        glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

    Rgba at(int x, int y) const {
        const auto* p = &pixels[static_cast<std::size_t>((y * size + x) * 4)];
        return {p[0], p[1], p[2], p[3]};
    }

    static bool near(const Rgba& actual, const Rgba& expected) {
        return std::abs(actual.r - expected.r) <= tolerance &&
               std::abs(actual.g - expected.g) <= tolerance &&
               std::abs(actual.b - expected.b) <= tolerance;
    }

    GLuint framebuffer = 0;
    GLuint colorBuffer = 0;
    std::array<std::uint8_t, size * size * 4> pixels{};
    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
    std::shared_ptr<MeshRegister> reg = std::make_shared<MeshRegister>(api);
    // Hue 180 is (0.5, 1, 1).
    std::shared_ptr<TestTriangle> triangle = std::make_shared<TestTriangle>(-2.0f, 180.0f);
    mesh_render_data_t data{};
    const Rgba cyan{128, 255, 255, 255};
    const Rgba black{0, 0, 0, 255};
};

TEST_F(TestTriangleGLTest, DrawsAFilledTriangleOfItsHueThroughTheMatrix) {
    reg->initAll();
    draw();

    EXPECT_TRUE(near(at(32, 32), cyan));
    // Inside only because the matrix scaled the triangle up.
    EXPECT_TRUE(near(at(12, 11), cyan));
    EXPECT_TRUE(near(at(1, 62), black));
    EXPECT_TRUE(near(at(62, 62), black));
    EXPECT_TRUE(near(at(32, 2), black));
    EXPECT_FALSE(renderer->polls.empty());
}

TEST_F(TestTriangleGLTest, TheOverrideDrawsOnlyTheOutline) {
    reg->initAll();
    data.primitiveOverride = {1u, EPrimitiveMode::LineLoop};
    draw();

    EXPECT_TRUE(near(at(32, 32), black));
    EXPECT_TRUE(near(at(12, 11), black));
    // The bottom edge runs along window row 8; look for it in the centre column.
    bool outline = false;
    for (int y = 6; y <= 10; ++y) {
        outline = outline || near(at(32, y), cyan);
    }
    EXPECT_TRUE(outline);
}

TEST_F(TestTriangleGLTest, NothingIsDrawnBeforeInitOrAfterDeinit) {
    draw();
    EXPECT_TRUE(near(at(32, 32), black));
    EXPECT_TRUE(renderer->polls.empty());

    reg->initAll();
    GLint program = 0;
    reg->renderAll();
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    ASSERT_NE(program, 0);

    reg->deinitAll();
    // Still current, so only flagged: deinit gave the program back.
    GLint flagged = GL_FALSE;
    glGetProgramiv(static_cast<GLuint>(program), GL_DELETE_STATUS, &flagged);
    EXPECT_EQ(flagged, GL_TRUE);

    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    EXPECT_TRUE(near(at(32, 32), black));
}

} // namespace
