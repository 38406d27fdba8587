#include "mesh/TestTriangleInstanced.hpp"

#include "support/MeshGLTest.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"

using ox::mesh::TestTriangleInstanced;

namespace {

class TestTriangleInstancedGLTest : public ox::test::MeshGLTest {
protected:
    void SetUp() override {
        MeshGLTest::SetUp();
        reg->add(triangles);
        ox::test::copyRepositoryShaders(dir.path());
    }

    std::shared_ptr<TestTriangleInstanced> triangles =
        std::make_shared<TestTriangleInstanced>(root);
};

TEST_F(TestTriangleInstancedGLTest, DrawsTheInstancesFromTheStartingView) {
    init();
    drawFrame();

    EXPECT_GT(target->litPixels(), size / 2);
    EXPECT_TRUE(takeErrors().empty());
    EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
}

TEST_F(TestTriangleInstancedGLTest, FilesFixedAfterABrokenStartDrawWithTheVertexData) {
    const auto vertexFile = dir / "shaders/test-triangle-instanced.vert";
    const std::string good = ox::test::readFile(vertexFile);
    ox::test::writeFile(vertexFile, "#version 430 core\nvoid main() { gl_Position = nothing; }\n");
    init();
    drawFrame();
    EXPECT_EQ(target->litPixels(), 0);
    EXPECT_FALSE(takeErrors().empty());

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
