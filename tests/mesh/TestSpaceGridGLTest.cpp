#include "mesh/TestSpaceGrid.hpp"

#include "support/MeshGLTest.hpp"
#include "support/ReadFile.hpp"
#include "support/RepositoryShaders.hpp"

using ox::mesh::TestSpaceGrid;
using Lines = std::vector<std::string>;

namespace {

class TestSpaceGridGLTest : public ox::test::MeshGLTest {
protected:
    static constexpr int half = size / 2;

    void SetUp() override {
        MeshGLTest::SetUp();
        reg->add(grid);
        // As in a core context where nobody bound a vertex array.
        glBindVertexArray(0);
    }

    std::shared_ptr<TestSpaceGrid> grid = std::make_shared<TestSpaceGrid>(root);
};

TEST_F(TestSpaceGridGLTest, DrawsTheGroundBelowTheHorizonFromTheStartingView) {
    ox::test::copyRepositoryShaders(dir.path());
    init();
    drawFrame();

    EXPECT_GT(target->litPixels(0, half), size);
    EXPECT_TRUE(takeErrors().empty());
    EXPECT_TRUE(renderer->messages.empty()) << renderer->messages.front();
}

TEST_F(TestSpaceGridGLTest, AnEditedFileChangesThePictureAtTheNextFrame) {
    ox::test::copyRepositoryShaders(dir.path());
    init();
    drawFrame();
    GLint before = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &before);
    const int groundBefore = target->litPixels(0, half);

    // Lift the ground above the camera: the lines move to the upper half.
    const auto vertexFile = dir / "shaders/test-space-grid.vert";
    std::string source = ox::test::readFile(vertexFile);
    const std::string ground = "groundHeight = -4.0";
    ASSERT_NE(source.find(ground), std::string::npos);
    source.replace(source.find(ground), ground.size(), "groundHeight = 4.0");
    ox::test::writeFile(vertexFile, source);
    drawFrame();

    GLint after = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &after);
    EXPECT_NE(after, before);
    EXPECT_GT(target->litPixels(half, size), groundBefore / 2);
    EXPECT_LT(target->litPixels(0, half), groundBefore / 2);
    EXPECT_TRUE(takeErrors().empty());
}

TEST_F(TestSpaceGridGLTest, MissingShadersAreReportedOnceAndDrawnOnceTheyAppear) {
    init();
    for (int frame = 0; frame < 3; ++frame) {
        drawFrame();
        EXPECT_EQ(target->litPixels(), 0);
    }
    EXPECT_EQ(takeErrors(), (Lines{"file reloader > Cannot read file "
                                   "'shaders/test-space-grid.frag': No such file or directory.",
                                   "file reloader > Cannot read file "
                                   "'shaders/test-space-grid.vert': No such file or directory."}));

    ox::test::copyRepositoryShaders(dir.path());
    drawFrame();
    EXPECT_GT(target->litPixels(0, half), size);
    EXPECT_TRUE(takeErrors().empty());
}

} // namespace
