#include "engine/shader/ReloadableProgram.hpp"

#include "core/logger/LoggerMachinery.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/GlTestContext.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingWriter.hpp"
#include "support/TempDir.hpp"
#include "support/WriteFile.hpp"

#include <filesystem>
#include <optional>

using ox::core::logger::ELogLevel;
using ox::engine::shader::ReloadableProgram;
using ox::renderer::EDataType;
using ox::renderer::opengl::OpenGlRenderingApi;
using Lines = std::vector<std::string>;

namespace {

constexpr const char* goodVertex = R"(#version 430 core
uniform float scale;
in vec2 position;
void main() { gl_Position = vec4(position * scale, 0.0, 1.0); }
)";

constexpr const char* fragment = R"(#version 430 core
uniform vec4 tint;
out vec4 color;
void main() { color = tint; }
)";

// Reads no uniform and no attribute.
constexpr const char* bareVertex = R"(#version 430 core
void main() { gl_Position = vec4(0.0, 0.0, 0.0, 1.0); }
)";

constexpr const char* brokenVertex = R"(#version 430 core
void main() { gl_Position = vec4(nowhere, 0.0, 0.0, 1.0); }
)";

class ReloadableProgramGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        root->addWriter(writer);
    }
    void TearDown() override {
        api->releaseRenderer();
        GlTest::TearDown();
    }

    // Lines above Debug, on either channel, without the time stamp and tag.
    Lines takeProblems() {
        Lines problems;
        for (const auto& [level, line] : writer->lines) {
            if (level != ELogLevel::Debug) {
                problems.push_back(line.substr(line.find(") ") + 2));
            }
        }
        writer->lines.clear();
        return problems;
    }

    ox::test::TempDir dir;
    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
    std::shared_ptr<ox::core::logger::LoggerMachinery> root =
        std::make_shared<ox::core::logger::LoggerMachinery>();
    std::shared_ptr<ox::test::RecordingWriter> writer =
        std::make_shared<ox::test::RecordingWriter>();
};

// One mesh's declaration: uniforms "scale" and "tint", attribute "position"
// of two floats. The first poll reads both files and either takes the program
// with a valid handle for every declared name, or takes nothing and says why:
// a missing name both on the mesh's channel and, from the program's own
// lookup, as an error through the renderer, which logs it on "renderer".
TEST_F(ReloadableProgramGLTest, TakesOnlyACompleteProgramAndHandsBackItsHandles) {
    const struct {
        const char* name;
        const char* vertex; // null: the file is not there
        bool taken;
        Lines problems;
        Lines rendererMessages;
    } cases[] = {
        {"good pair", goodVertex, true, {}, {}},
        {"missing uniform",
         R"(#version 430 core
in vec2 position;
void main() { gl_Position = vec4(position, 0.0, 1.0); }
)",
         false,
         {"mesh > shader validator > Uniform 'scale' is not valid."},
         {"message:0:RShaderHolder::getUniformLocation() failed, because uniform 'scale' was "
          "not found."}},
        {"missing attribute",
         R"(#version 430 core
uniform float scale;
void main() { gl_Position = vec4(scale, 0.0, 0.0, 1.0); }
)",
         false,
         {"mesh > shader validator > Attribute 'position' is not valid."},
         {"message:0:RShaderHolder::getAttributeLocation() failed, because attribute "
          "'position' was not found."}},
        {"missing everything of the vertex stage",
         bareVertex,
         false,
         {"mesh > shader validator > Uniform 'scale' is not valid.",
          "mesh > shader validator > Attribute 'position' is not valid."},
         {"message:0:RShaderHolder::getUniformLocation() failed, because uniform 'scale' was "
          "not found.",
          "message:0:RShaderHolder::getAttributeLocation() failed, because attribute "
          "'position' was not found."}},
        {"broken file", brokenVertex, false, {}, {}},
        {"file gone", nullptr, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path vertexPath = dir / "shaders/mesh.vert";
        std::filesystem::remove(vertexPath);
        if (c.vertex != nullptr) {
            ox::test::writeFile(vertexPath, c.vertex);
        }
        ox::test::writeFile(dir / "shaders/mesh.frag", fragment);
        std::optional<ReloadableProgram> program;
        {
            ox::test::CurrentDirectory inside(dir.path());
            program.emplace(api,
                            ReloadableProgram::files_t{"shaders/mesh.vert", "shaders/mesh.frag"},
                            ReloadableProgram::requirements_t{{"scale", "tint"},
                                                              {{"position", EDataType::Float, 2}}},
                            root->createLogApi("mesh", ELogLevel::Debug),
                            root->createLogApi("mesh", ELogLevel::Debug));
        }
        renderer->calls.clear();
        writer->lines.clear();

        EXPECT_EQ(program->reloadIfChanged(), c.taken);
        EXPECT_EQ(program->program() != nullptr, c.taken);
        for (const char* uniform : {"scale", "tint"}) {
            const auto handle = program->uniform(uniform);
            EXPECT_EQ(handle && handle->isValid(), c.taken) << uniform;
        }
        const auto position = program->attribute("position");
        EXPECT_EQ(position && position->isValid(), c.taken);
        if (c.taken) {
            EXPECT_EQ(position->getDataType(), EDataType::Float);
            EXPECT_EQ(position->getComponentCount(), 2);
        }
        // Names the mesh did not declare have no handle.
        EXPECT_EQ(program->uniform("position"), nullptr);
        EXPECT_EQ(program->attribute("scale"), nullptr);

        const Lines problems = takeProblems();
        if (c.vertex == nullptr) {
            ASSERT_EQ(problems.size(), 1u);
            EXPECT_EQ(problems[0].rfind("mesh > file reloader > Cannot read file "
                                        "'shaders/mesh.vert': ",
                                        0),
                      0u)
                << problems[0];
        } else if (c.vertex == brokenVertex) {
            // The compiler's own lines, on the mesh's channel; nothing looked up.
            ASSERT_FALSE(problems.empty());
            for (const auto& line : problems) {
                EXPECT_EQ(line.rfind("mesh > shader validator > ", 0), 0u) << line;
            }
        } else {
            EXPECT_EQ(problems, c.problems);
        }
        Lines rendererMessages;
        for (const auto& call : renderer->calls) {
            if (call.rfind("message:", 0) == 0) {
                rendererMessages.push_back(call);
            }
        }
        EXPECT_EQ(rendererMessages, c.rendererMessages);
        // A second poll without a change takes nothing and says nothing new.
        EXPECT_FALSE(program->reloadIfChanged());
        EXPECT_EQ(program->program() != nullptr, c.taken);
        EXPECT_TRUE(takeProblems().empty());
    }
}

} // namespace
