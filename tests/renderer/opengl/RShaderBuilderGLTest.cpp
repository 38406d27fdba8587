#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "renderer/opengl/RShaderAttributeHolder.hpp"
#include "renderer/opengl/RShaderBuilder.hpp"
#include "renderer/opengl/RShaderHolder.hpp"
#include "renderer/opengl/RShaderUniformHolder.hpp"
#include "support/GlTestContext.hpp"
#include "support/RecordingRenderer.hpp"
#include "support/RecordingRenderingApi.hpp"

#include <glm/gtc/type_ptr.hpp>

#include <stdexcept>

using ox::renderer::EDataType;
using ox::renderer::IShaderHolder;
using ox::renderer::opengl::OpenGlRenderingApi;
using ox::renderer::opengl::RShaderBuilder;
using ox::test::RecordingRenderer;
using ox::test::RecordingRenderingApi;

namespace {

constexpr const char* vertexSource = R"(#version 430 core
uniform mat4 mvp;
uniform vec4 tint;
uniform uint mode;
uniform float scale;
in vec3 position;
in vec3 color;
out vec4 vColor;
void main() {
    gl_Position = mvp * vec4(position * scale, 1.0);
    vColor = vec4(color, 1.0) * tint + float(mode);
}
)";

constexpr const char* fragmentSource = R"(#version 430 core
in vec4 vColor;
out vec4 color;
void main() { color = vColor; }
)";

constexpr const char* brokenVertexSource = R"(#version 430 core
void main() { gl_Position = undeclaredThing; }
)";

// Compiles on its own; the link fails because nothing defines shade().
constexpr const char* unresolvedFragmentSource = R"(#version 430 core
out vec4 color;
vec4 shade();
void main() { color = shade(); }
)";

std::vector<std::string> messagesOf(const IShaderHolder& holder) {
    std::vector<std::string> messages;
    holder.forEachMessage([&](const std::string_view message) { messages.emplace_back(message); });
    return messages;
}

GLint programParameter(GLuint program, GLenum parameter) {
    GLint value = -1;
    glGetProgramiv(program, parameter, &value);
    return value;
}

class RShaderBuilderGLTest : public ox::test::GlTest {
protected:
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
    std::shared_ptr<RecordingRenderingApi> api = std::make_shared<RecordingRenderingApi>(renderer);
    RShaderBuilder builder{api};

    std::shared_ptr<IShaderHolder> buildWorkingProgram() {
        return builder.addVertexShader(vertexSource).addFragmentShader(fragmentSource).build();
    }
};

TEST_F(RShaderBuilderGLTest, WorkingStagesLinkWithoutMessagesOrReports) {
    auto holder = buildWorkingProgram();
    ASSERT_TRUE(holder);
    EXPECT_TRUE(holder->isLinked());
    EXPECT_NE(holder->getProgram(), 0u);
    EXPECT_EQ(programParameter(holder->getProgram(), GL_LINK_STATUS), GL_TRUE);
    EXPECT_TRUE(messagesOf(*holder).empty());
    // The builder reports nothing itself; callers log the holder's messages.
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(RShaderBuilderGLTest, FailedStageLeavesProgramUnlinkedWithCompilerThenLinkerLog) {
    auto holder = builder.addVertexShader(brokenVertexSource)
                      .addFragmentShader(unresolvedFragmentSource)
                      .build();

    EXPECT_FALSE(holder->isLinked());
    const auto messages = messagesOf(*holder);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("undeclaredThing"), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("shade"), std::string::npos) << messages[1];
    // The broken stage was left out: only the fragment shader took part.
    EXPECT_EQ(programParameter(holder->getProgram(), GL_LINK_STATUS), GL_FALSE);
}

TEST_F(RShaderBuilderGLTest, UnlinkedEvenWhenTheRemainingStagesLink) {
    // Without its broken vertex stage the program links fine; it must still
    // not count as linked.
    auto holder =
        builder.addVertexShader(brokenVertexSource).addFragmentShader(fragmentSource).build();

    EXPECT_FALSE(holder->isLinked());
    const auto messages = messagesOf(*holder);
    ASSERT_GE(messages.size(), 1u);
    EXPECT_NE(messages[0].find("undeclaredThing"), std::string::npos) << messages[0];
}

TEST_F(RShaderBuilderGLTest, NoShaderObjectOutlivesTheBuildOutsideAProgram) {
    auto failed =
        builder.addVertexShader(brokenVertexSource).addFragmentShader(fragmentSource).build();
    auto working =
        RShaderBuilder(api).addVertexShader(vertexSource).addFragmentShader(fragmentSource).build();

    // Compiled stages stay attached to their program, flagged for deletion;
    // the failed one must be gone entirely.
    for (GLuint name = 1; name < 4096; ++name) {
        if (glIsShader(name) == GL_TRUE) {
            GLint flagged = GL_FALSE;
            glGetShaderiv(name, GL_DELETE_STATUS, &flagged);
            EXPECT_EQ(flagged, GL_TRUE) << "shader " << name << " was leaked";
        }
    }
}

TEST_F(RShaderBuilderGLTest, BuildingAgainMakesANewProgramWithAllMessagesSoFar) {
    builder.addVertexShader(brokenVertexSource).addFragmentShader(fragmentSource);
    auto first = builder.build();
    auto second = builder.build();

    EXPECT_NE(first->getProgram(), second->getProgram());
    const auto firstMessages = messagesOf(*first);
    const auto secondMessages = messagesOf(*second);
    ASSERT_FALSE(firstMessages.empty());
    ASSERT_GT(secondMessages.size(), firstMessages.size());
    EXPECT_TRUE(std::equal(firstMessages.begin(), firstMessages.end(), secondMessages.begin()));
    // The first holder never changes.
    EXPECT_EQ(messagesOf(*first), firstMessages);
}

TEST_F(RShaderBuilderGLTest, AnEmptyBuilderMakesAProgramThatIsLinkedOnlyIfGlSaysSo) {
    auto holder = builder.build();
    ASSERT_NE(holder->getProgram(), 0u);
    EXPECT_EQ(holder->isLinked(),
              programParameter(holder->getProgram(), GL_LINK_STATUS) == GL_TRUE);
}

TEST_F(RShaderBuilderGLTest, ForEachMessageVisitsInOrderAndIgnoresAnEmptyCallable) {
    builder.addVertexShader(brokenVertexSource).addFragmentShader(unresolvedFragmentSource);
    auto holder = builder.build();
    EXPECT_NO_THROW(holder->forEachMessage({}));
    EXPECT_NO_THROW(holder->forEachMessage(nullptr));
    EXPECT_EQ(messagesOf(*holder).size(), 2u);
}

TEST_F(RShaderBuilderGLTest, AFoundUniformIsPolledButNotReported) {
    auto holder = buildWorkingProgram();
    renderer->calls.clear();

    auto mvp = holder->getUniformLocation("mvp");
    ASSERT_TRUE(mvp);
    EXPECT_TRUE(mvp->isValid());
    EXPECT_EQ(mvp->getName(), "mvp");
    EXPECT_EQ(mvp->getLocation(), glGetUniformLocation(holder->getProgram(), "mvp"));
    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{"poll:RShaderHolder[glGetUniformLocation]"}));
}

TEST_F(RShaderBuilderGLTest, AMissingUniformIsReportedThenPolledAndInvalid) {
    auto holder = buildWorkingProgram();
    renderer->calls.clear();

    auto missing = holder->getUniformLocation("nowhere");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->isValid());
    EXPECT_EQ(missing->getLocation(), -1);
    EXPECT_EQ(missing->getName(), "nowhere");
    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{
                  "message:0:RShaderHolder::getUniformLocation() failed, because uniform "
                  "'nowhere' was not found.",
                  "poll:RShaderHolder[glGetUniformLocation]"}));
}

TEST_F(RShaderBuilderGLTest, AttributesCarryTheirLayoutAndReportUnderTheirOwnName) {
    auto holder = buildWorkingProgram();
    renderer->calls.clear();

    auto position = holder->getAttributeLocation("position", EDataType::Float, 3);
    EXPECT_TRUE(position->isValid());
    EXPECT_EQ(position->getLocation(), glGetAttribLocation(holder->getProgram(), "position"));
    EXPECT_EQ(position->getName(), "position");
    EXPECT_EQ(position->getDataType(), EDataType::Float);
    EXPECT_EQ(position->getGlType(), std::optional<std::uint32_t>(GL_FLOAT));
    EXPECT_EQ(position->getComponentCount(), 3);

    auto missing = holder->getAttributeLocation(std::string("normal"), EDataType::Byte, 4);
    EXPECT_FALSE(missing->isValid());
    EXPECT_EQ(missing->getLocation(), -1);
    EXPECT_EQ(missing->getGlType(), std::optional<std::uint32_t>(GL_BYTE));

    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{
                  "poll:RShaderHolder[getAttributeLocation]",
                  "message:0:RShaderHolder::getAttributeLocation() failed, because attribute "
                  "'normal' was not found.",
                  "poll:RShaderHolder[getAttributeLocation]"}));
}

TEST_F(RShaderBuilderGLTest, EveryDataTypeTranslatesAndOthersHaveNoGlType) {
    auto holder = buildWorkingProgram();
    const std::vector<GLenum> expected = {GL_BYTE,
                                          GL_UNSIGNED_BYTE,
                                          GL_SHORT,
                                          GL_UNSIGNED_SHORT,
                                          GL_INT,
                                          GL_UNSIGNED_INT,
                                          GL_HALF_FLOAT,
                                          GL_FLOAT,
                                          GL_DOUBLE,
                                          GL_FIXED,
                                          GL_INT_2_10_10_10_REV,
                                          GL_UNSIGNED_INT_2_10_10_10_REV,
                                          GL_UNSIGNED_INT_10F_11F_11F_REV};
    for (std::size_t value = 0; value < expected.size(); ++value) {
        auto attribute = holder->getAttributeLocation("color", static_cast<EDataType>(value), 3);
        EXPECT_EQ(attribute->getGlType(), std::optional<std::uint32_t>(expected[value])) << value;
    }
    for (int outside : {-1, 13, 1000}) {
        auto attribute = holder->getAttributeLocation("color", static_cast<EDataType>(outside), 3);
        EXPECT_TRUE(attribute->isValid());
        EXPECT_FALSE(attribute->getGlType().has_value()) << outside;
        EXPECT_EQ(static_cast<int>(attribute->getDataType()), outside);
    }
}

TEST_F(RShaderBuilderGLTest, LookupsReadOnlyTheCharactersOfTheView) {
    auto holder = buildWorkingProgram();
    const std::string_view longer = "positionXYZ";
    const std::string_view tint = std::string_view("mvptint").substr(3);

    EXPECT_TRUE(holder->getAttributeLocation(longer.substr(0, 8), EDataType::Float, 3)->isValid());
    auto uniform = holder->getUniformLocation(tint);
    EXPECT_TRUE(uniform->isValid());
    EXPECT_EQ(uniform->getName(), "tint");
    EXPECT_FALSE(holder->getUniformLocation(longer.substr(0, 3))->isValid());
}

TEST_F(RShaderBuilderGLTest, UniformSettersReachTheCurrentProgram) {
    auto holder = buildWorkingProgram();
    ASSERT_TRUE(holder->isLinked());
    holder->use();
    const GLuint program = holder->getProgram();

    glm::mat4 matrix(1.0f);
    matrix[3] = glm::vec4(1, 2, 3, 1); // translation: catches a transposed upload
    holder->getUniformLocation("mvp")->set(matrix);
    glm::mat4 readMatrix(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, "mvp"), glm::value_ptr(readMatrix));
    EXPECT_EQ(readMatrix, matrix);

    auto tint = holder->getUniformLocation("tint");
    const GLint tintLocation = glGetUniformLocation(program, "tint");
    glm::vec4 readVector(0.0f);
    tint->set(glm::vec4(0.1f, 0.2f, 0.3f, 0.4f));
    glGetUniformfv(program, tintLocation, glm::value_ptr(readVector));
    EXPECT_EQ(readVector, glm::vec4(0.1f, 0.2f, 0.3f, 0.4f));
    tint->set(std::array<float, 4>{1, 2, 3, 4});
    glGetUniformfv(program, tintLocation, glm::value_ptr(readVector));
    EXPECT_EQ(readVector, glm::vec4(1, 2, 3, 4));
    const float raw[4] = {5, 6, 7, 8};
    tint->set(std::span<const float, 4>(raw));
    glGetUniformfv(program, tintLocation, glm::value_ptr(readVector));
    EXPECT_EQ(readVector, glm::vec4(5, 6, 7, 8));

    holder->getUniformLocation("mode")->set(std::uint32_t{7});
    GLuint readMode = 0;
    glGetUniformuiv(program, glGetUniformLocation(program, "mode"), &readMode);
    EXPECT_EQ(readMode, 7u);

    holder->getUniformLocation("scale")->set(2.5f);
    GLfloat readScale = 0;
    glGetUniformfv(program, glGetUniformLocation(program, "scale"), &readScale);
    EXPECT_EQ(readScale, 2.5f);

    // An unknown uniform's location -1 is passed on, which OpenGL ignores.
    holder->getUniformLocation("nowhere")->set(1.0f);
    glUseProgram(0);
}

TEST_F(RShaderBuilderGLTest, ADestroyedHolderDeletesItsProgram) {
    auto holder = buildWorkingProgram();
    const GLuint program = holder->getProgram();
    ASSERT_EQ(glIsProgram(program), GL_TRUE);
    holder.reset();
    EXPECT_EQ(glIsProgram(program), GL_FALSE);
}

TEST_F(RShaderBuilderGLTest, WithoutARendererTheHolderKeepsItsProgramAndReportsNothing) {
    // The renderer lets go of the API when it shuts down; the context may be
    // gone by then, so the program is left alone.
    auto bareApi = std::make_shared<RecordingRenderingApi>();
    auto holder = RShaderBuilder(bareApi)
                      .addVertexShader(vertexSource)
                      .addFragmentShader(fragmentSource)
                      .build();
    const GLuint program = holder->getProgram();

    EXPECT_FALSE(holder->getUniformLocation("nowhere")->isValid());
    holder.reset();
    EXPECT_EQ(glIsProgram(program), GL_TRUE);
    glDeleteProgram(program);
}

TEST_F(RShaderBuilderGLTest, AHolderOutlivingItsApiStillAnswers) {
    std::shared_ptr<IShaderHolder> holder;
    GLuint program = 0;
    {
        auto shortLived = std::make_shared<RecordingRenderingApi>(renderer);
        holder = RShaderBuilder(shortLived)
                     .addVertexShader(brokenVertexSource)
                     .addFragmentShader(fragmentSource)
                     .build();
        program = holder->getProgram();
    }
    renderer->calls.clear();

    EXPECT_FALSE(holder->isLinked());
    EXPECT_EQ(holder->getProgram(), program);
    EXPECT_FALSE(messagesOf(*holder).empty());
    auto missing = holder->getAttributeLocation("position", EDataType::Float, 3);
    EXPECT_FALSE(missing->isValid());
    EXPECT_TRUE(renderer->calls.empty());
    holder.reset();
    EXPECT_EQ(glIsProgram(program), GL_TRUE);
    glDeleteProgram(program);
    // Looking up in an unlinked program is an OpenGL error no poll took.
    ox::test::drainGlErrors();
}

TEST_F(RShaderBuilderGLTest, ALogLongerThanTheBufferGrowsItToTwiceItsLength) {
    std::vector<std::int32_t> capacities;
    const auto query = [](std::uint32_t object, std::uint32_t parameter, std::int32_t* value) {
        ASSERT_EQ(parameter, static_cast<std::uint32_t>(GL_INFO_LOG_LENGTH));
        *value = static_cast<std::int32_t>(object);
    };
    const auto reader = [&](std::uint32_t object, std::int32_t capacity, std::int32_t* written,
                            char* log) {
        capacities.push_back(capacity);
        // `object` is the log length, NUL included, as OpenGL counts it.
        const std::string text(object - 1, 'a' + static_cast<char>(object % 26));
        std::copy(text.begin(), text.end(), log);
        log[text.size()] = '\0';
        *written = static_cast<std::int32_t>(text.size());
    };

    builder.retrieveLog(4096, query, reader);
    builder.retrieveLog(5000, query, reader);
    builder.retrieveLog(20, query, reader);
    builder.retrieveLog(0, query, reader);

    EXPECT_EQ(capacities, (std::vector<std::int32_t>{4096, 10000, 10000}));
    const auto messages = messagesOf(*builder.build());
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages[0], std::string(4095, 'a' + 4096 % 26));
    EXPECT_EQ(messages[1], std::string(4999, 'a' + 5000 % 26));
    // A shorter log after a longer one: only up to its own NUL.
    EXPECT_EQ(messages[2], std::string(19, 'a' + 20 % 26));
}

TEST_F(RShaderBuilderGLTest, AnUnloadedLogQueryThrowsBadFunctionCall) {
    EXPECT_THROW(builder.retrieveLog(1, {}, {}), std::bad_function_call);
}

TEST_F(RShaderBuilderGLTest, ARealLogLongerThanTheFirstBufferArrivesWhole) {
    std::string source = "#version 430 core\nvoid main() {\n";
    for (int i = 0; i < 200; ++i) {
        source += "    gl_Position = missing" + std::to_string(i) + ";\n";
    }
    source += "}\n";
    auto holder = builder.addVertexShader(source).build();

    const auto messages = messagesOf(*holder);
    ASSERT_FALSE(messages.empty());
    EXPECT_GT(messages[0].size(), 4096u);
    EXPECT_NE(messages[0].find("missing199"), std::string::npos);
}

TEST_F(RShaderBuilderGLTest, TheRenderingApiHandsOutBuildersThatKeepItAlive) {
    auto glApi = std::make_shared<OpenGlRenderingApi>(renderer);
    auto glBuilder = glApi->createShaderBuilder();
    ASSERT_TRUE(glBuilder);
    const std::weak_ptr<OpenGlRenderingApi> weakApi = glApi;
    glApi.reset();
    EXPECT_FALSE(weakApi.expired());

    auto holder =
        glBuilder->addVertexShader(vertexSource).addFragmentShader(fragmentSource).build();
    EXPECT_TRUE(holder->isLinked());
    glBuilder.reset();
    // The holder holds the API only weakly.
    EXPECT_TRUE(weakApi.expired());
    const GLuint program = holder->getProgram();
    holder.reset();
    glDeleteProgram(program);
}

TEST_F(RShaderBuilderGLTest, AnUnownedRenderingApiCannotMakeABuilder) {
    OpenGlRenderingApi unowned(renderer);
    EXPECT_THROW(unowned.createShaderBuilder(), std::bad_weak_ptr);
    unowned.releaseRenderer();
}

TEST_F(RShaderBuilderGLTest, AnAttributeWithoutGlTypeIsNeverPointedAt) {
    auto glApi = std::make_shared<OpenGlRenderingApi>(renderer);
    auto holder = glApi->createShaderBuilder()
                      ->addVertexShader(vertexSource)
                      .addFragmentShader(fragmentSource)
                      .build();
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    renderer->calls.clear();

    auto odd = holder->getAttributeLocation("position", static_cast<EDataType>(13), 3);
    EXPECT_TRUE(odd->isValid());
    EXPECT_FALSE(odd->getGlType().has_value());
    glApi->vertexAttribPointer(odd, 24);
    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{"poll:RShaderHolder[getAttributeLocation]"}));

    auto position = holder->getAttributeLocation("position", EDataType::Float, 3);
    glApi->vertexAttribPointer(position, 24);
    EXPECT_EQ(renderer->calls.back(), "poll:glVertexAttribPointer");
    EXPECT_TRUE(renderer->errors.empty());

    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray);
    holder.reset();
    glApi->releaseRenderer();
}

} // namespace
