#include "engine/shader/ShaderValidator.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/ReadFile.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RepositoryShaders.hpp"

using ox::engine::shader::shader_attribute_t;
using ox::engine::shader::ShaderValidator;
using ox::renderer::EDataType;
using ox::renderer::opengl::OpenGlRenderingApi;

namespace {

class ShaderFilesGLTest : public ox::test::GlTest {
protected:
    void TearDown() override {
        api->releaseRenderer();
        GlTest::TearDown();
    }

    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
};

// Each pair builds with the driver without a single message and provides the
// uniforms and attributes its mesh sets; a uniform the shaders declare but do
// not use is dropped by the linker and would fail here.
TEST_F(ShaderFilesGLTest, EachPairBuildsCleanlyAndProvidesWhatItsMeshSets) {
    struct Case {
        const char* pair;
        std::vector<std::string_view> uniforms;
        std::vector<shader_attribute_t> attributes;
    };
    const Case cases[] = {
        {"test-space-grid", {"mvp_matrix", "instance_count"}, {}},
        {"test-triangle-instanced",
         {"mvp_matrix", "time_elapsed"},
         {{"position", EDataType::Float, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pair);
        const auto folder = ox::test::repositoryShaders();
        const std::string vertex = ox::test::readFile(folder / (std::string(c.pair) + ".vert"));
        const std::string fragment = ox::test::readFile(folder / (std::string(c.pair) + ".frag"));
        ASSERT_TRUE(vertex.starts_with("#version 430 core\n"));
        ASSERT_TRUE(fragment.starts_with("#version 430 core\n"));

        const auto program =
            api->createShaderBuilder()->addVertexShader(vertex).addFragmentShader(fragment).build();
        EXPECT_TRUE(program->isLinked());
        program->forEachMessage([](const std::string_view message) { ADD_FAILURE() << message; });

        ShaderValidator validator(api);
        validator.setUniforms(c.uniforms);
        validator.setAttributes(c.attributes);
        EXPECT_TRUE(validator.validate(program));
        EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
        // "position" is fixed where the vertex data is bound when the program is adopted.
        if (!c.attributes.empty()) {
            EXPECT_EQ(glGetAttribLocation(program->getProgram(), "position"), 0);
        }
    }
}

} // namespace
