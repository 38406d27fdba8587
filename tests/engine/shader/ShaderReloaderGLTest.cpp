#include "engine/shader/ShaderReloader.hpp"

#include "core/logger/LoggerMachinery.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "support/CurrentDirectory.hpp"
#include "support/GlTestContext.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingWriter.hpp"
#include "support/TempDir.hpp"
#include "support/WriteFile.hpp"

#include <fmt/format.h>

#include <cstring>
#include <functional>

namespace fs = std::filesystem;
using ox::core::logger::ELogLevel;
using ox::engine::shader::ShaderReloader;
using ox::engine::shader::ShaderValidator;
using ox::renderer::opengl::OpenGlRenderingApi;
using ox::test::writeFile;
using Lines = std::vector<std::string>;

namespace {

constexpr const char* vertexSource = R"(#version 430 core
uniform float scale;
in vec2 position;
void main() { gl_Position = vec4(position * scale, 0.0, 1.0); }
)";

// Another valid vertex shader, of another length.
constexpr const char* otherVertexSource = R"(#version 430 core
uniform float scale;
in vec2 position;
void main() { gl_Position = vec4(position * scale * 0.5, 0.0, 1.0); }
)";

// The fragment stage is the only one with "tint": a program that passes the
// validator was built with the fragment file's text.
constexpr const char* fragmentSource = R"(#version 430 core
uniform vec4 tint;
out vec4 color;
void main() { color = tint; }
)";

constexpr const char* brokenVertexSource = R"(#version 430 core
void main() { gl_Position = vec4(first, second, 0.0, 1.0); }
)";

class ShaderReloaderGLTest : public ox::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        root->addWriter(writer);
        validator->setLogger("shader validator", channel);
        validator->setUniforms({"scale", "tint"});
        writeFile(vertexPath(), vertexSource);
        writeFile(fragmentPath(), fragmentSource);
        {
            // Paths are taken from the directory current at construction,
            // whatever is current when polling.
            ox::test::CurrentDirectory inside(dir.path());
            reloader = std::make_shared<ShaderReloader>(api);
        }
        reloader->setLogger("file reloader", channel);
        reloader->setValidator(validator);
        reloader->setShaderFiles("shaders/a.vert", "shaders/a.frag");
    }
    void TearDown() override {
        reloader.reset();
        validator.reset();
        api->releaseRenderer();
        GlTest::TearDown();
    }

    fs::path vertexPath() const { return dir / "shaders/a.vert"; }
    fs::path fragmentPath() const { return dir / "shaders/a.frag"; }

    // Everything logged since the last take.
    Lines takeMessages() {
        Lines messages = writer->messages();
        writer->lines.clear();
        return messages;
    }
    // What was logged above Debug since the last take; all of it must be errors.
    Lines takeErrors() {
        Lines errors;
        for (const auto& [level, line] : writer->lines) {
            if (level != ELogLevel::Debug) {
                EXPECT_EQ(level, ELogLevel::Error) << line;
                errors.push_back(line.substr(line.find(" > ") + 3));
            }
        }
        writer->lines.clear();
        return errors;
    }

    ox::test::TempDir dir;
    std::shared_ptr<ox::test::RecordingRenderer> renderer =
        std::make_shared<ox::test::RecordingRenderer>();
    std::shared_ptr<OpenGlRenderingApi> api = std::make_shared<OpenGlRenderingApi>(renderer);
    std::shared_ptr<ox::core::logger::LoggerMachinery> root =
        std::make_shared<ox::core::logger::LoggerMachinery>();
    std::shared_ptr<ox::test::RecordingWriter> writer =
        std::make_shared<ox::test::RecordingWriter>();
    std::shared_ptr<ox::core::logger::ILogApi> channel =
        root->createLogApi("mesh", ELogLevel::Debug);
    std::shared_ptr<ShaderValidator> validator = std::make_shared<ShaderValidator>(api);
    std::shared_ptr<ShaderReloader> reloader;
};

TEST_F(ShaderReloaderGLTest, ReadsBothFilesFirstThenOnlyWhatChanged) {
    const auto first = reloader->reloadIfChanged();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isLinked());
    EXPECT_EQ(takeMessages(),
              (Lines{"file reloader > Reloading file 'shaders/a.frag'.",
                     fmt::format("file reloader > {} bytes read.", std::strlen(fragmentSource)),
                     "file reloader > Reloading file 'shaders/a.vert'.",
                     fmt::format("file reloader > {} bytes read.", std::strlen(vertexSource))}));

    EXPECT_EQ(reloader->reloadIfChanged(), nullptr);
    EXPECT_TRUE(takeMessages().empty());

    writeFile(vertexPath(), otherVertexSource);
    const auto second = reloader->reloadIfChanged();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->getProgram(), first->getProgram());
    EXPECT_EQ(takeMessages(), (Lines{"file reloader > Reloading file 'shaders/a.vert'.",
                                     fmt::format("file reloader > {} bytes read.",
                                                 std::strlen(otherVertexSource))}));
}

TEST_F(ShaderReloaderGLTest, ARewriteWithinOneTimestampTickIsSeenByItsSize) {
    ASSERT_NE(reloader->reloadIfChanged(), nullptr);
    const auto time = fs::last_write_time(vertexPath());

    writeFile(vertexPath(), otherVertexSource);
    fs::last_write_time(vertexPath(), time);
    EXPECT_NE(reloader->reloadIfChanged(), nullptr);
}

TEST_F(ShaderReloaderGLTest, ACompileErrorKeepsTheProgramAndIsReportedOncePerSave) {
    ASSERT_NE(reloader->reloadIfChanged(), nullptr);
    takeMessages();

    writeFile(vertexPath(), brokenVertexSource);
    EXPECT_EQ(reloader->reloadIfChanged(), nullptr);
    const Lines errors = takeErrors();
    ASSERT_GE(errors.size(), 2u);
    for (const auto& line : errors) {
        EXPECT_TRUE(line.starts_with("shader validator > ")) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        EXPECT_GT(line.size(), std::string_view("shader validator > ").size());
    }

    // Not retried until the file changes again.
    EXPECT_EQ(reloader->reloadIfChanged(), nullptr);
    EXPECT_TRUE(takeMessages().empty());

    // Saving the same text again is a new attempt.
    ox::test::stampNewWriteTime(vertexPath());
    EXPECT_EQ(reloader->reloadIfChanged(), nullptr);
    EXPECT_EQ(takeErrors(), errors);

    writeFile(vertexPath(), vertexSource);
    EXPECT_NE(reloader->reloadIfChanged(), nullptr);
}

TEST_F(ShaderReloaderGLTest, WithoutAValidatorABrokenProgramIsHandedOver) {
    reloader->setValidator(nullptr);
    writeFile(vertexPath(), brokenVertexSource);
    const auto program = reloader->reloadIfChanged();
    ASSERT_NE(program, nullptr);
    EXPECT_FALSE(program->isLinked());
}

TEST_F(ShaderReloaderGLTest, BadEditsNeverEscapeAndAreReportedOnceUntilTheNextGoodSave) {
    const fs::path vertex = vertexPath();
    const fs::path folder = vertex.parent_path();
    const std::string cannotRead = "file reloader > Cannot read file 'shaders/a.vert': ";
    struct Case {
        const char* what;
        std::function<void()> edit;
        // Exact lines; none listed means compiler errors from the validator.
        Lines lines;
    };
    const Case cases[] = {
        {"deleted", [&] { fs::remove(vertex); }, {cannotRead + "No such file or directory."}},
        {"renamed away",
         [&] { fs::rename(vertex, folder / "a.vert~"); },
         {cannotRead + "No such file or directory."}},
        {"folder gone",
         [&] { fs::rename(folder, dir / "old"); },
         {"file reloader > Cannot read file 'shaders/a.frag': No such file or directory.",
          cannotRead + "No such file or directory."}},
        {"a folder in its place",
         [&] {
             fs::remove(vertex);
             fs::create_directory(vertex);
         },
         {cannotRead + "Is a directory."}},
        {"10 MB",
         [&] { writeFile(vertex, std::string(10 << 20, ' ')); },
         {cannotRead + "it is larger than 1048576 bytes."}},
        {"binary garbage",
         [&] {
             writeFile(vertex, std::string("\x7f"
                                           "ELF\x02\x01\x01\x00\x00\xff\xfe",
                                           11));
         },
         {cannotRead + "it contains a NUL byte, so it is not shader text."}},
        {"empty", [&] { writeFile(vertex, ""); }, {}},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(reloader->reloadIfChanged(), nullptr);
        takeMessages();

        c.edit();
        for (int poll = 0; poll < 3; ++poll) {
            std::shared_ptr<ox::renderer::IShaderHolder> program;
            EXPECT_NO_THROW(program = reloader->reloadIfChanged());
            EXPECT_EQ(program, nullptr);
        }
        const Lines errors = takeErrors();
        if (c.lines.empty()) {
            ASSERT_FALSE(errors.empty());
            for (const auto& line : errors) {
                EXPECT_TRUE(line.starts_with("shader validator > ")) << line;
            }
        } else {
            EXPECT_EQ(errors, c.lines);
        }

        // The next good save is picked up (at the top of the loop).
        fs::remove_all(vertex);
        writeFile(vertex, vertexSource);
        writeFile(fragmentPath(), fragmentSource);
    }
    EXPECT_NE(reloader->reloadIfChanged(), nullptr);
}

} // namespace
