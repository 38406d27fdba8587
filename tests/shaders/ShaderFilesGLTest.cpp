#include "engine/shader/ShaderValidator.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/ReadFile.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RepositoryShaders.hpp"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

// Every vertex shader under shaders/ and the fragment shader of the same name.
std::vector<std::string> shaderPairs() {
    std::vector<std::string> pairs;
    for (const auto& entry : std::filesystem::directory_iterator(ox::test::repositoryShaders())) {
        if (entry.path().extension() == ".vert") {
            pairs.push_back(entry.path().stem().string());
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The names a source declares at the top level: `uniform TYPE NAME;` or, with
// `inputs`, the vertex inputs `[layout(location = N)] in TYPE NAME;` (N, or
// -1 without a layout).
std::vector<std::pair<std::string, int>> declared(const std::string& source, bool inputs) {
    static const std::regex uniform(R"(^\s*uniform\s+\w+\s+(\w+)\s*;)");
    static const std::regex input(
        R"(^\s*(?:layout\s*\(\s*location\s*=\s*(\d+)\s*\)\s*)?in\s+\w+\s+(\w+)\s*;)");
    std::vector<std::pair<std::string, int>> names;
    std::istringstream lines(source);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (!inputs && std::regex_search(line, match, uniform)) {
            names.emplace_back(match[1], -1);
        } else if (inputs && std::regex_search(line, match, input)) {
            names.emplace_back(match[2], match[1].matched ? std::stoi(match[1]) : -1);
        }
    }
    return names;
}

// Each pair builds with the driver without a single message, and every
// uniform and vertex input it declares is still there after linking (a mesh
// sets what its shaders declare: a uniform the shaders declare but do not use
// is dropped by the linker and would fail here), at the location its layout
// gives.
TEST_F(ShaderFilesGLTest, EachPairBuildsCleanlyAndKeepsWhatItDeclares) {
    const std::vector<std::string> pairs = shaderPairs();
    ASSERT_FALSE(pairs.empty());
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair);
        const auto folder = ox::test::repositoryShaders();
        ASSERT_TRUE(std::filesystem::exists(folder / (pair + ".frag")));
        const std::string vertex = ox::test::readFile(folder / (pair + ".vert"));
        const std::string fragment = ox::test::readFile(folder / (pair + ".frag"));
        ASSERT_TRUE(vertex.starts_with("#version 430 core\n"));
        ASSERT_TRUE(fragment.starts_with("#version 430 core\n"));

        const auto program =
            api->createShaderBuilder()->addVertexShader(vertex).addFragmentShader(fragment).build();
        EXPECT_TRUE(program->isLinked());
        program->forEachMessage([](const std::string_view message) { ADD_FAILURE() << message; });

        std::vector<std::string_view> uniforms;
        std::vector<shader_attribute_t> attributes;
        const auto vertexUniforms = declared(vertex, false);
        const auto fragmentUniforms = declared(fragment, false);
        const auto inputs = declared(vertex, true);
        for (const auto* list : {&vertexUniforms, &fragmentUniforms}) {
            for (const auto& [name, location] : *list) {
                uniforms.push_back(name);
            }
        }
        for (const auto& [name, location] : inputs) {
            attributes.push_back({name, EDataType::Float, 1});
        }
        ShaderValidator validator(api);
        validator.setUniforms(uniforms);
        validator.setAttributes(attributes);
        EXPECT_TRUE(validator.validate(program));
        EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
        // Where the source fixes an input's location, the mesh binds its
        // vertex data there.
        for (const auto& [name, location] : inputs) {
            if (location >= 0) {
                EXPECT_EQ(glGetAttribLocation(program->getProgram(), name.c_str()), location)
                    << name;
            }
        }
        renderer->messages.clear();
    }
}

} // namespace
