#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/OffscreenTarget.hpp"
#include "support/RecordingRenderer.hpp"

#include <algorithm>
#include <array>

using namespace ox::renderer;
using ox::renderer::opengl::OpenGlRenderingApi;

namespace {

// Just enough of a program holder for useProgram: a name and a link flag.
struct TestProgram : IShaderHolder {
    GLuint program = 0;
    bool linked = false;
    std::uint32_t getProgram() const override { return program; }
    void forEachMessage(std::function<void(const std::string_view)>) const override {}
    bool isLinked() const override { return linked; }
    void use() const override { glUseProgram(program); }
    std::shared_ptr<IShaderUniformHolder>
    getUniformLocation(const std::string_view&) const override {
        return nullptr;
    }
    std::shared_ptr<IShaderAttributeHolder> getAttributeLocation(const std::string_view&, EDataType,
                                                                 std::int32_t) const override {
        return nullptr;
    }
    std::shared_ptr<IShaderAttributeHolder> getAttributeLocation(std::string, EDataType,
                                                                 std::int32_t) const override {
        return nullptr;
    }
};

struct TestAttribute : IShaderAttributeHolder {
    std::int32_t location = 0;
    std::optional<std::uint32_t> glType;
    std::int32_t components = 3;
    bool isValid() const override { return true; }
    std::string getName() const override { return "position"; }
    std::int32_t getLocation() const override { return location; }
    EDataType getDataType() const override { return EDataType::Float; }
    std::optional<std::uint32_t> getGlType() const override { return glType; }
    std::int32_t getComponentCount() const override { return components; }
};

GLuint linkMinimalProgram() {
    const char* vertex = "#version 450 core\nvoid main() { gl_Position = vec4(0.0); }\n";
    const char* fragment = "#version 450 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    const GLuint program = glCreateProgram();
    for (const auto& [type, source] :
         {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}}) {
        const GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    return program;
}

struct OpenGlRenderingApiGLTest : ox::test::GlTest {
    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);

    void TearDown() override {
        api->releaseRenderer();
        GlTest::TearDown();
    }
};

TEST_F(OpenGlRenderingApiGLTest, EverySlotPollsUnderItsReportName) {
    auto attribute = std::make_shared<TestAttribute>();
    attribute->glType = GL_FLOAT;
    const std::array<float, 6> floats{};
    const std::array<std::uint32_t, 3> indices{0, 1, 2};

    api->viewport({0, 0}, {64, 64});
    api->enable(ECapability::DepthTest);
    api->isEnabled(ECapability::DepthTest);
    api->disable(ECapability::DepthTest);
    api->clearColor({0, 0, 0, 0});
    api->clear(EClearBuffer::Color);
    api->pointSize(1.0f);
    const auto buffers = api->genBuffers(2);
    api->isBuffer(buffers[0]);
    const auto arrays = api->genVertexArrays(1);
    api->bindVertexArray(arrays[0]);
    api->isVertexArray(arrays[0]);
    api->bindBuffer(EBufferTarget::ArrayBuffer, buffers[0]);
    api->vaoGetBinding(EBufferTarget::ArrayBuffer);
    api->bufferData(EBufferTarget::ArrayBuffer, std::span<const float>(floats),
                    EBufferUsage::StaticDraw);
    api->bindBuffer(EBufferTarget::ElementArrayBuffer, buffers[1]);
    api->bufferData(EBufferTarget::ElementArrayBuffer, std::span<const std::uint32_t>(indices),
                    EBufferUsage::StaticDraw);
    api->enableVertexAttribArray(attribute);
    api->vertexAttribPointer(attribute, 0);
    api->disableVertexAttribArray(attribute);
    api->blendFunc(EBlendFactor::SourceAlpha, EBlendFactor::OneMinusSourceAlpha);
    api->scissor({0, 0}, {8, 8});
    const auto textures = api->genTextures(1);
    api->bindTexture(textures[0]);
    api->texParameter(ETextureParameter::MinFilter, ETextureFilter::Linear);
    const std::array<std::uint8_t, 16> texels{};
    EXPECT_TRUE(api->texImage2D({2, 2}, texels));
    api->deleteTextures(textures);
    api->deleteVertexArrays(arrays);
    api->deleteBuffers(buffers);

    const std::vector<std::string> expected{"glViewport",
                                            "glEnable",
                                            "glIsEnabled",
                                            "glDisable",
                                            "glClearColor",
                                            "glClear",
                                            "glPointSize",
                                            "glGenBuffers",
                                            "glIsBuffer",
                                            "glGenVertexArrays",
                                            "glBindVertexArray",
                                            "glIsVertexArray",
                                            "glBindBuffer",
                                            "vaoGetBinding[glGetIntegerv]",
                                            "glBufferData",
                                            "glBindBuffer",
                                            "glBufferData",
                                            "glEnableVertexAttribArray",
                                            "glVertexAttribPointer",
                                            "glDisableVertexAttribArray",
                                            "glBlendFunc",
                                            "glScissor",
                                            "glGenTextures",
                                            "glBindTexture",
                                            "glTexParameteri",
                                            "glTexImage2D",
                                            "glDeleteTextures",
                                            "glDeleteVertexArrays",
                                            "glDeleteBuffers"};
    EXPECT_EQ(renderer->polls, expected);
    EXPECT_TRUE(renderer->errors.empty());
}

TEST_F(OpenGlRenderingApiGLTest, DrawsPollAndLegacyCallsReportTheirCoreProfileErrors) {
    const auto arrays = api->genVertexArrays(1);
    api->bindVertexArray(arrays[0]);
    auto program = std::make_shared<TestProgram>();
    program->program = linkMinimalProgram();
    program->linked = true;
    api->useProgram(program);
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program->program);

    const auto buffers = api->genBuffers(1);
    api->bindBuffer(EBufferTarget::ElementArrayBuffer, buffers[0]);
    const std::array<std::uint32_t, 3> indices{0, 0, 0};
    api->bufferData(EBufferTarget::ElementArrayBuffer, std::span<const std::uint32_t>(indices),
                    EBufferUsage::StaticDraw);
    renderer->polls.clear();
    api->drawArrays(EPrimitiveMode::Points, 0, 1);
    api->drawArraysInstanced(EPrimitiveMode::Points, 0, 1, 2);
    api->drawElements(EPrimitiveMode::Triangles, 3, EDataType::UnsignedInt);
    api->drawElementsInstanced(EPrimitiveMode::Triangles, 3, EDataType::UnsignedInt, 2);
    EXPECT_TRUE(renderer->errors.empty());
    api->drawElements(EPrimitiveMode::Lines, 2, EDataType::UnsignedInt, 4);
    EXPECT_TRUE(renderer->errors.empty());

    // The fixed-function calls do not exist in a core context: the check
    // layer's job is to make that visible under the right name.
    api->legacyBegin(EPrimitiveMode::Triangles);
    api->legacyEnd();
    api->legacyColor(glm::vec4(1.0f));
    api->legacyColor(glm::vec3(1.0f));
    api->legacyVertex(glm::vec4(1.0f));
    api->legacyVertex(glm::vec3(1.0f));
    EXPECT_EQ(renderer->polls, (std::vector<std::string>{
                                   "glDrawArrays", "glDrawArraysInstanced", "glDrawElements",
                                   "glDrawElementsInstanced", "glDrawElements", "glBegin", "glEnd",
                                   "legacyColor[glColor4fv]", "legacyColor[glColor3fv]",
                                   "legacyVertex[glVertex4fv]", "legacyVertex[glVertex3fv]"}));
    ASSERT_FALSE(renderer->errors.empty());
    EXPECT_EQ(renderer->errors.front().first, "glBegin");

    glUseProgram(0);
    glDeleteProgram(program->program);
    api->deleteBuffers(buffers);
    api->deleteVertexArrays(arrays);
}

TEST_F(OpenGlRenderingApiGLTest, ValuesOutsideTheirTablesMakeNoCallAndNoPoll) {
    glEnable(GL_DEPTH_TEST);
    api->enable(static_cast<ECapability>(79));
    api->enable(static_cast<ECapability>(-1));
    api->disable(static_cast<ECapability>(1000));
    EXPECT_FALSE(api->isEnabled(static_cast<ECapability>(79)));
    api->clear(static_cast<EClearBuffer>(3));
    api->clear(static_cast<EClearBuffer>(0));
    api->bindBuffer(static_cast<EBufferTarget>(14), 1);
    EXPECT_EQ(api->vaoGetBinding(static_cast<EBufferTarget>(-3)), 0);
    api->bufferData(EBufferTarget::ArrayBuffer, 4, nullptr, static_cast<EBufferUsage>(9));
    api->bufferData(static_cast<EBufferTarget>(14), 4, nullptr, EBufferUsage::StaticDraw);
    api->drawArrays(static_cast<EPrimitiveMode>(10), 0, 3);
    api->drawArraysInstanced(static_cast<EPrimitiveMode>(-1), 0, 3, 1);
    api->drawElements(EPrimitiveMode::Triangles, 3, static_cast<EDataType>(13));
    api->drawElementsInstanced(EPrimitiveMode::Triangles, 3, static_cast<EDataType>(-1), 1);
    api->legacyBegin(static_cast<EPrimitiveMode>(42));
    api->drawElements(EPrimitiveMode::Triangles, 3, static_cast<EDataType>(13), 0);
    api->blendFunc(static_cast<EBlendFactor>(4), EBlendFactor::One);
    api->blendFunc(EBlendFactor::One, static_cast<EBlendFactor>(-1));
    api->texParameter(static_cast<ETextureParameter>(2), ETextureFilter::Linear);
    api->texParameter(ETextureParameter::MagFilter, static_cast<ETextureFilter>(2));
    // Too few bytes for the size, an empty and a negative size.
    const std::array<std::uint8_t, 15> texels{};
    for (const auto& size : {IRenderingApi::int_pair_t{2, 2}, IRenderingApi::int_pair_t{0, 1},
                             IRenderingApi::int_pair_t{-2, -2}}) {
        EXPECT_FALSE(api->texImage2D(size, texels)) << size.first << "x" << size.second;
    }
    EXPECT_TRUE(api->genTextures(0).empty());
    api->deleteTextures({});
    EXPECT_TRUE(api->genBuffers(0).empty());
    EXPECT_TRUE(api->genVertexArrays(0).empty());
    api->deleteBuffers({});
    api->deleteVertexArrays({});

    auto untyped = std::make_shared<TestAttribute>();
    api->vertexAttribPointer(untyped, 0);
    api->vertexAttribPointer(nullptr, 0);
    api->enableVertexAttribArray(nullptr);
    api->disableVertexAttribArray(nullptr);
    api->useProgram(nullptr);
    auto unlinked = std::make_shared<TestProgram>();
    unlinked->program = 12345;
    api->useProgram(unlinked);

    EXPECT_TRUE(renderer->polls.empty()) << renderer->polls.front();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glDisable(GL_DEPTH_TEST);
}

TEST_F(OpenGlRenderingApiGLTest, ClearWithAFlagSetClearsEveryBufferInOneCall) {
    glViewport(0, 0, 64, 64);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(0.25);
    api->clear(EClearBuffer::Color | EClearBuffer::Depth);
    EXPECT_EQ(renderer->polls, std::vector<std::string>{"glClear"});
    std::array<GLubyte, 4> pixel{};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel, (std::array<GLubyte, 4>{255, 0, 0, 255}));
    GLfloat depth = 0.0f;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(depth, 0.25f, 0.001f);

    // An empty set still calls glClear(0), which changes nothing.
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    api->clear(clear_buffer_flags_t{});
    EXPECT_EQ(renderer->polls, (std::vector<std::string>{"glClear", "glClear"}));
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel, (std::array<GLubyte, 4>{255, 0, 0, 255}));
    glClearDepth(1.0);
}

TEST_F(OpenGlRenderingApiGLTest, BuffersAndBindingsAreRealObjects) {
    const auto names = api->genBuffers(3);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_NE(names[0], names[1]);
    api->bindBuffer(EBufferTarget::ArrayBuffer, names[1]);
    EXPECT_TRUE(api->isBuffer(names[1]));
    EXPECT_EQ(api->vaoGetBinding(EBufferTarget::ArrayBuffer), static_cast<std::int32_t>(names[1]));
    EXPECT_EQ(api->vaoGetBinding(EBufferTarget::UniformBuffer), 0);

    const auto copy = names;
    api->deleteBuffers(names);
    EXPECT_EQ(names, copy) << "the caller's list must stay as it was";
    EXPECT_FALSE(api->isBuffer(names[1]));
    EXPECT_EQ(api->vaoGetBinding(EBufferTarget::ArrayBuffer), 0);
    EXPECT_TRUE(renderer->errors.empty());
}

TEST_F(OpenGlRenderingApiGLTest, WithoutARendererCallsAreMadeButNothingIsPolled) {
    EXPECT_EQ(api->getRenderer(), renderer);
    api->releaseRenderer();
    EXPECT_EQ(api->getRenderer(), nullptr);
    api->clearColor({0.5f, 0.25f, 0.0f, 1.0f});
    std::array<GLfloat, 4> color{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, color.data());
    EXPECT_EQ(color, (std::array<GLfloat, 4>{0.5f, 0.25f, 0.0f, 1.0f}));
    EXPECT_TRUE(renderer->polls.empty());
}

TEST(OpenGlRenderingApiTableTest, TablesMapEachValueToItsConstant) {
    EXPECT_EQ(OpenGlRenderingApi::toGl(ECapability::AlphaTest), GL_ALPHA_TEST);
    EXPECT_EQ(OpenGlRenderingApi::toGl(ECapability::DepthTest), GL_DEPTH_TEST);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ECapability>(56)), GL_POLYGON_OFFSET_LINE);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ECapability>(57)), GL_POLYGON_OFFSET_POINT);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ECapability>(73)), GL_TEXTURE_GEN_Q);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ECapability>(76)), GL_TEXTURE_GEN_T);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ECapability>(78)), GL_VERTEX_PROGRAM_TWO_SIDE);
    EXPECT_FALSE(OpenGlRenderingApi::toGl(static_cast<ECapability>(79)));
    EXPECT_EQ(OpenGlRenderingApi::toGl(EPrimitiveMode::LineStrip), GL_LINE_STRIP);
    EXPECT_EQ(OpenGlRenderingApi::toGl(EPrimitiveMode::LineLoop), GL_LINE_LOOP);
    EXPECT_EQ(OpenGlRenderingApi::toGl(EDataType::UnsignedInt10F11F11FRev),
              GL_UNSIGNED_INT_10F_11F_11F_REV);
    EXPECT_EQ(OpenGlRenderingApi::toGl(EBufferUsage::DynamicCopy), GL_DYNAMIC_COPY);
    EXPECT_EQ(OpenGlRenderingApi::toGl(EBufferTarget::UniformBuffer), GL_UNIFORM_BUFFER);
    EXPECT_EQ(OpenGlRenderingApi::toGl(EClearBuffer::Stencil), GL_STENCIL_BUFFER_BIT);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<EBlendFactor>(0)), GL_ZERO);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<EBlendFactor>(1)), GL_ONE);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<EBlendFactor>(2)), GL_SRC_ALPHA);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<EBlendFactor>(3)), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ETextureParameter>(0)), GL_TEXTURE_MIN_FILTER);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ETextureParameter>(1)), GL_TEXTURE_MAG_FILTER);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ETextureFilter>(0)), GL_NEAREST);
    EXPECT_EQ(OpenGlRenderingApi::toGl(static_cast<ETextureFilter>(1)), GL_LINEAR);
    EXPECT_FALSE(OpenGlRenderingApi::toGl(static_cast<EClearBuffer>(3)));
}

} // namespace

TEST_F(OpenGlRenderingApiGLTest, ReadPixelsReturnsTheClearedColourBottomRowFirst) {
    ox::test::OffscreenTarget target(8);
    // The lower half red, the upper half blue: the first row read must be red.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 8, 4);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 4, 8, 4);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    std::vector<std::uint8_t> pixels(8 * 8 * 4, 7);
    EXPECT_TRUE(api->readPixels({0, 0}, {8, 8}, pixels));
    EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 4),
              (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(pixels.end() - 4, pixels.end()),
              (std::vector<std::uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(renderer->polls, std::vector<std::string>{"glReadPixels"});
    EXPECT_TRUE(renderer->errors.empty());
}

TEST_F(OpenGlRenderingApiGLTest, ReadPixelsRefusesAnAreaLargerThanItsBuffer) {
    ox::test::OffscreenTarget target(8);
    // One byte short, an empty area and a negative size: no call, nothing written.
    std::vector<std::uint8_t> pixels(8 * 8 * 4 - 1, 7);
    for (const auto& size : {IRenderingApi::int_pair_t{8, 8}, IRenderingApi::int_pair_t{0, 8},
                             IRenderingApi::int_pair_t{-8, -8}}) {
        EXPECT_FALSE(api->readPixels({0, 0}, size, pixels)) << size.first << "x" << size.second;
    }
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](auto byte) { return byte == 7; }));
    EXPECT_TRUE(renderer->polls.empty());
}
