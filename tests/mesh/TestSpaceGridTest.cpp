#include "mesh/TestSpaceGrid.hpp"

#include "support/CurrentDirectory.hpp"
#include "support/RecordingRenderingApi.hpp"
#include "support/TempDir.hpp"
#include "support/WriteFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using ox::mesh::TestSpaceGrid;
using ox::renderer::EPrimitiveMode;
using ox::test::RecordingRenderingApi;
using Calls = std::vector<std::string>;

namespace {

// The recording API "links" whatever it is given, so any file content will do.
struct TestSpaceGridTest : ::testing::Test {
    TestSpaceGridTest() {
        ox::test::writeFile(dir / "shaders/test-space-grid.vert", "vertex");
        ox::test::writeFile(dir / "shaders/test-space-grid.frag", "fragment");
    }
    void init() {
        ox::test::CurrentDirectory inside(dir.path());
        grid->init(api, nullptr);
    }
    Calls takeCalls() {
        Calls calls = std::move(api->calls);
        api->calls.clear();
        return calls;
    }
    static bool has(const Calls& calls, const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    ox::test::TempDir dir;
    std::shared_ptr<RecordingRenderingApi> api = std::make_shared<RecordingRenderingApi>();
    std::shared_ptr<TestSpaceGrid> grid = std::make_shared<TestSpaceGrid>(nullptr);
    ox::engine::mesh::mesh_render_data_t data{};
};

TEST_F(TestSpaceGridTest, NothingHappensOutsideInitAndDeinit) {
    grid->render(api, nullptr, data);
    grid->deinit(api, nullptr);
    EXPECT_TRUE(api->calls.empty());

    init();
    init();
    EXPECT_EQ(std::count(api->calls.begin(), api->calls.end(), "genVertexArrays(1)"), 1);
    grid->deinit(api, nullptr);
    takeCalls();
    grid->render(api, nullptr, data);
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(TestSpaceGridTest, DrawsSixHundredInstancesOfSixtyVerticesInItsModeUnlessOverridden) {
    init();
    struct Case {
        std::uint32_t flags;
        EPrimitiveMode mode;
        std::string draw;
    };
    const Case cases[] = {
        {0u, EPrimitiveMode::Points, "drawArraysInstanced(1, 0, 60, 600)"},
        {1u, EPrimitiveMode::LineLoop, "drawArraysInstanced(3, 0, 60, 600)"},
        {0xfffffffeu, EPrimitiveMode::Triangles, "drawArraysInstanced(1, 0, 60, 600)"},
    };
    for (const auto& c : cases) {
        data.primitiveOverride = {c.flags, c.mode};
        grid->render(api, nullptr, data);
        const Calls calls = takeCalls();
        EXPECT_TRUE(has(calls, "set(instance_count, 600u)"));
        EXPECT_TRUE(has(calls, "set(mvp_matrix, mat4)"));
        EXPECT_EQ(calls.back(), c.draw);
    }
}

} // namespace
