#include "mesh/TestTriangleInstanced.hpp"

#include "support/CurrentDirectory.hpp"
#include "support/RecordingRenderingApi.hpp"
#include "support/TempDir.hpp"
#include "support/WriteFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using ox::mesh::TestTriangleInstanced;
using ox::renderer::EPrimitiveMode;
using ox::test::RecordingRenderingApi;
using Calls = std::vector<std::string>;

namespace {

// The recording API "links" whatever it is given, so any file content will do.
struct TestTriangleInstancedTest : ::testing::Test {
    TestTriangleInstancedTest() {
        ox::test::writeFile(dir / "shaders/test-triangle-instanced.vert", "vertex");
        ox::test::writeFile(dir / "shaders/test-triangle-instanced.frag", "fragment");
    }
    void init() {
        ox::test::CurrentDirectory inside(dir.path());
        triangles->init(api, nullptr);
    }
    Calls takeCalls() {
        Calls calls = std::move(api->calls);
        api->calls.clear();
        return calls;
    }
    int count(const std::string& call) const {
        return static_cast<int>(std::count(api->calls.begin(), api->calls.end(), call));
    }

    ox::test::TempDir dir;
    std::shared_ptr<RecordingRenderingApi> api = std::make_shared<RecordingRenderingApi>();
    std::shared_ptr<TestTriangleInstanced> triangles =
        std::make_shared<TestTriangleInstanced>(nullptr);
    ox::engine::mesh::mesh_render_data_t data{};
};

TEST_F(TestTriangleInstancedTest, NothingHappensOutsideInitAndDeinit) {
    triangles->render(api, nullptr, data);
    triangles->deinit(api, nullptr);
    EXPECT_TRUE(api->calls.empty());

    init();
    init();
    EXPECT_EQ(count("genBuffers(2)"), 1);
    EXPECT_EQ(count("createShaderBuilder()"), 1);
    EXPECT_EQ(api->lastFloats, (std::vector<float>{0.0f, 0.0f, -0.5f, -0.866f, 0.5f, -0.866f}));
    EXPECT_EQ(api->lastUints, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(count("enableVertexAttribArray(position)"), 1);

    triangles->deinit(api, nullptr);
    EXPECT_EQ(count("deleteBuffers(1, 2)"), 1);
    takeCalls();
    triangles->render(api, nullptr, data);
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(TestTriangleInstancedTest, DrawsSixThousandInstancesInItsModeUnlessOverridden) {
    init();
    takeCalls();
    struct Case {
        std::uint32_t flags;
        EPrimitiveMode mode;
        std::string draw;
    };
    const Case cases[] = {
        {0u, EPrimitiveMode::Points, "drawElementsInstanced(4, 3, 5, 6000)"},
        {1u, EPrimitiveMode::LineLoop, "drawElementsInstanced(3, 3, 5, 6000)"},
    };
    for (const auto& c : cases) {
        data.primitiveOverride = {c.flags, c.mode};
        triangles->render(api, nullptr, data);
        EXPECT_EQ(api->calls.back(), c.draw);
        EXPECT_EQ(count("set(time_elapsed, 0f)"), 1);
        takeCalls();
    }
}

} // namespace
