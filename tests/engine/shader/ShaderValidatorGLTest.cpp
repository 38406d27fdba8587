#include "engine/shader/ShaderValidator.hpp"

#include "core/logger/LoggerMachinery.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/GlTestContext.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingWriter.hpp"

using ox::core::logger::ELogLevel;
using ox::engine::shader::shader_attribute_t;
using ox::engine::shader::ShaderValidator;
using ox::renderer::EDataType;
using ox::renderer::opengl::OpenGlRenderingApi;
using Lines = std::vector<std::string>;

namespace {

constexpr const char* vertexSource = R"(#version 430 core
uniform float scale;
uniform float unused;
in vec2 position;
void main() { gl_Position = vec4(position * scale, 0.0, 1.0); }
)";

constexpr const char* fragmentSource = R"(#version 430 core
uniform vec4 tint;
out vec4 color;
void main() { color = tint; }
)";

// Two undeclared names: the compiler log has more than one line.
constexpr const char* brokenVertexSource = R"(#version 430 core
void main() { gl_Position = vec4(first, second, 0.0, 1.0); }
)";

class ShaderValidatorGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        root->addWriter(writer);
    }
    void TearDown() override {
        api->releaseRenderer();
        GlTest::TearDown();
    }

    std::shared_ptr<ox::renderer::IShaderHolder> build(const char* vertex) {
        return api->createShaderBuilder()
            ->addVertexShader(vertex)
            .addFragmentShader(fragmentSource)
            .build();
    }

    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
    std::shared_ptr<ox::core::logger::LoggerMachinery> root =
        std::make_shared<ox::core::logger::LoggerMachinery>();
    std::shared_ptr<ox::test::RecordingWriter> writer =
        std::make_shared<ox::test::RecordingWriter>();
};

TEST_F(ShaderValidatorGLTest, ALinkedProgramPassesOnlyWithEveryRequirementPresent) {
    struct Case {
        const char* what;
        std::vector<std::string_view> uniforms;
        std::vector<shader_attribute_t> attributes;
        bool verdict;
        Lines lines;
    };
    const Case cases[] = {
        {"everything present", {"scale", "tint"}, {{"position", EDataType::Float, 2}}, true, {}},
        {"nothing required", {}, {}, true, {}},
        {"two uniforms missing, in list order",
         {"missing_b", "scale", "missing_a"},
         {},
         false,
         {"shader validator > Uniform 'missing_b' is not valid.",
          "shader validator > Uniform 'missing_a' is not valid."}},
        {"declared but never read",
         {"unused"},
         {},
         false,
         {"shader validator > Uniform 'unused' is not valid."}},
        {"only an attribute missing",
         {"scale", "tint"},
         {{"position", EDataType::Float, 2}, {"normal", EDataType::Float, 3}},
         false,
         {"shader validator > Attribute 'normal' is not valid."}},
        {"uniforms before attributes",
         {"missing"},
         {{"normal", EDataType::Float, 3}, {"position", EDataType::Float, 2}},
         false,
         {"shader validator > Uniform 'missing' is not valid.",
          "shader validator > Attribute 'normal' is not valid."}},
    };
    const auto program = build(vertexSource);
    ASSERT_TRUE(program->isLinked());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool withChannel : {true, false}) {
            ShaderValidator validator(api);
            validator.setLogger("shader validator",
                                withChannel ? root->createLogApi("mesh", ELogLevel::Debug)
                                            : nullptr);
            validator.setUniforms(c.uniforms);
            validator.setAttributes(c.attributes);
            writer->lines.clear();

            EXPECT_EQ(validator.validate(program), c.verdict);
            EXPECT_EQ(writer->messages(), withChannel ? c.lines : Lines{});
            for (const auto& [level, line] : writer->lines) {
                EXPECT_EQ(level, ELogLevel::Error) << line;
            }
        }
    }
}

TEST_F(ShaderValidatorGLTest, AnUnlinkedProgramIsRejectedWithOneLinePerCompilerLine) {
    const auto program = build(brokenVertexSource);
    ASSERT_FALSE(program->isLinked());
    Lines expected;
    program->forEachMessage([&](const std::string_view message) {
        std::string_view rest = message;
        while (!rest.empty()) {
            const auto end = std::min(rest.find('\n'), rest.size());
            if (end > 0) {
                expected.push_back("shader validator > " + std::string(rest.substr(0, end)));
            }
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    });
    ASSERT_GE(expected.size(), 2u) << "the broken source should give a multi-line log";

    ShaderValidator validator(api);
    validator.setLogger("shader validator", root->createLogApi("mesh", ELogLevel::Debug));
    validator.setUniforms({"scale"});
    renderer->messages.clear();
    EXPECT_FALSE(validator.validate(program));
    EXPECT_EQ(writer->messages(), expected);
    for (const auto& [level, line] : writer->lines) {
        EXPECT_EQ(level, ELogLevel::Error);
    }
    // Nothing is looked up in a program that did not link.
    EXPECT_TRUE(renderer->messages.empty());

    writer->lines.clear();
    validator.setLogger("shader validator", nullptr);
    EXPECT_FALSE(validator.validate(program));
    EXPECT_TRUE(writer->lines.empty());
}

} // namespace
