#include "mesh/TestTriangle.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "support/RecordingRenderingApi.hpp"

#include <gtest/gtest.h>

using ox::engine::mesh::mesh_render_data_t;
using ox::engine::mesh::MeshRegister;
using ox::mesh::TestTriangle;
using ox::renderer::EPrimitiveMode;
using ox::test::RecordingRenderingApi;
using Calls = std::vector<std::string>;

namespace {

struct TestTriangleTest : ::testing::Test {
    std::shared_ptr<RecordingRenderingApi> api = std::make_shared<RecordingRenderingApi>();
    std::shared_ptr<TestTriangle> triangle = std::make_shared<TestTriangle>(-2.5f, 90.0f);
    mesh_render_data_t data{};

    Calls takeCalls() {
        Calls calls = std::move(api->calls);
        api->calls.clear();
        return calls;
    }
};

TEST(TestTriangleColorTest, HueRunsRoundTheCircleAtHalfSaturation) {
    struct Case {
        float hue;
        glm::vec3 color;
    };
    // Sector boundaries, and a point a quarter into every 60-degree sector,
    // where the rising and the falling channel differ (0.625 against 0.875).
    const Case cases[] = {
        {0, {1, 0.5f, 0.5f}},     {15, {1, 0.625f, 0.5f}},    {30, {1, 0.75f, 0.5f}},
        {60, {1, 1, 0.5f}},       {75, {0.875f, 1, 0.5f}},    {90, {0.75f, 1, 0.5f}},
        {135, {0.5f, 1, 0.625f}}, {180, {0.5f, 1, 1}},        {195, {0.5f, 0.875f, 1}},
        {240, {0.5f, 0.5f, 1}},   {255, {0.625f, 0.5f, 1}},   {300, {1, 0.5f, 1}},
        {315, {1, 0.5f, 0.875f}}, {359, {1, 0.5f, 0.50833f}},
    };
    for (const auto& [hue, expected] : cases) {
        const glm::vec3 color = TestTriangle::colorFromHue(hue);
        EXPECT_NEAR(color.r, expected.r, 1e-4f) << hue;
        EXPECT_NEAR(color.g, expected.g, 1e-4f) << hue;
        EXPECT_NEAR(color.b, expected.b, 1e-4f) << hue;
    }
}

TEST(TestTriangleColorTest, HuesOutsideTheCircleTakeTheFirstSector) {
    // 0 and anything below 0 or from 360 on use (1, t, 0.5).
    EXPECT_EQ(TestTriangle::colorFromHue(360.0f), glm::vec3(1, 0.5f, 0.5f));
    EXPECT_EQ(TestTriangle::colorFromHue(390.0f), glm::vec3(1, 0.75f, 0.5f));
    EXPECT_EQ(TestTriangle::colorFromHue(-30.0f), glm::vec3(1, 0.75f, 0.5f));
    // Inputs with no integer sector at all must not be converted.
    EXPECT_EQ(TestTriangle::colorFromHue(3e38f).b, 0.5f);
    EXPECT_EQ(TestTriangle::colorFromHue(-3e38f).b, 0.5f);
    EXPECT_EQ(TestTriangle::colorFromHue(std::numeric_limits<float>::quiet_NaN()).r, 1.0f);
    EXPECT_EQ(TestTriangle::colorFromHue(std::numeric_limits<float>::infinity()).r, 1.0f);
}

TEST_F(TestTriangleTest, StartsInRenderGroupZeroWithAllBitsClear) {
    auto* properties = triangle->getProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties, triangle->getProperties());
    EXPECT_EQ(properties->meshFlags, 0);
    EXPECT_EQ(properties->renderGroup, 0);
}

TEST_F(TestTriangleTest, NothingHappensBeforeInit) {
    triangle->render(api, nullptr, data);
    triangle->deinit(api, nullptr);
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(TestTriangleTest, InitBuildsTheProgramThenTheBuffers) {
    triangle->init(api, nullptr);

    EXPECT_EQ(takeCalls(), (Calls{
                               "createShaderBuilder()",
                               "addVertexShader()",
                               "addFragmentShader()",
                               "build()",
                               "forEachMessage(callable)",
                               "getUniformLocation(mvp_matrix)",
                               "getAttributeLocation(position, 7, 3)",
                               "getAttributeLocation(color, 7, 3)",
                               "genBuffers(2)",
                               "genVertexArrays(1)",
                               "bindVertexArray(3)",
                               "bindBuffer(0, 1)",
                               "bufferData(0, float[18], 3)",
                               "vertexAttribPointer(position, 24, 0)",
                               "enableVertexAttribArray(position)",
                               "vertexAttribPointer(color, 24, 12)",
                               "enableVertexAttribArray(color)",
                               "bindBuffer(6, 2)",
                               "bufferData(6, uint[3], 3)",
                           }));
    EXPECT_EQ(api->shaderSources, (Calls{std::string(TestTriangle::vertexShaderSource),
                                         std::string(TestTriangle::fragmentShaderSource)}));
    // Hue 90 is (0.75, 1, 0.5); every vertex sits at the triangle's depth.
    EXPECT_EQ(api->lastFloats, (std::vector<float>{-0.5f, -0.5f, -2.5f, 0.75f, 1, 0.5f, //
                                                   0.5f, -0.5f, -2.5f, 0.75f, 1, 0.5f,  //
                                                   0.0f, 0.5f, -2.5f, 0.75f, 1, 0.5f}));
    EXPECT_EQ(api->lastUints, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST_F(TestTriangleTest, InitTwiceCreatesOneSetOfBuffers) {
    triangle->init(api, nullptr);
    takeCalls();
    triangle->init(api, nullptr);
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(TestTriangleTest, InitClearsTheLowTwoBitsOfBothPropertyBytes) {
    triangle->getProperties()->meshFlags = 0xff;
    triangle->getProperties()->renderGroup = 0xff;
    triangle->init(api, nullptr);
    EXPECT_EQ(triangle->getProperties()->meshFlags, 0xfc);
    EXPECT_EQ(triangle->getProperties()->renderGroup, 0xfc);
}

TEST_F(TestTriangleTest, RenderDrawsThreeIndicesAsTrianglesUnlessOverridden) {
    triangle->init(api, nullptr);
    takeCalls();

    triangle->render(api, nullptr, data);
    EXPECT_EQ(takeCalls(), (Calls{"bindVertexArray(3)", "useProgram(101)", "set(mvp_matrix, mat4)",
                                  "drawElements(4, 3, 5)"}));

    data.primitiveOverride = {1u, EPrimitiveMode::LineLoop};
    triangle->render(api, nullptr, data);
    EXPECT_EQ(takeCalls().back(), "drawElements(3, 3, 5)");

    // Only bit 0 switches the override on.
    data.primitiveOverride = {0xfffffffeu, EPrimitiveMode::Points};
    triangle->render(api, nullptr, data);
    EXPECT_EQ(takeCalls().back(), "drawElements(4, 3, 5)");
}

TEST_F(TestTriangleTest, DeinitFreesEverythingAndInitStartsAfresh) {
    triangle->init(api, nullptr);
    takeCalls();

    triangle->deinit(api, nullptr);
    EXPECT_EQ(takeCalls(), (Calls{"deleteBuffers(1, 2)", "deleteVertexArrays(3)"}));
    triangle->deinit(api, nullptr);
    triangle->render(api, nullptr, data);
    EXPECT_TRUE(api->calls.empty());

    triangle->init(api, nullptr);
    const auto calls = takeCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "bindVertexArray(6)"), calls.end());
    triangle->render(api, nullptr, data);
    EXPECT_EQ(takeCalls()[1], "useProgram(102)");
}

TEST_F(TestTriangleTest, AMissingAttributeIsNotPointedAtTheBuffer) {
    api->unknownNames = {"color"};
    triangle->init(api, nullptr);
    const auto calls = takeCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "enableVertexAttribArray(position)"),
              calls.end());
    for (const auto& call : calls) {
        if (call.starts_with("vertexAttribPointer") || call.starts_with("enableVertexAttrib")) {
            EXPECT_EQ(call.find("(color"), std::string::npos) << call;
        }
    }
    triangle->render(api, nullptr, data);
    EXPECT_EQ(takeCalls().back(), "drawElements(4, 3, 5)");
}

TEST_F(TestTriangleTest, WithoutAnApiNothingHappens) {
    triangle->init(nullptr, nullptr);
    triangle->render(nullptr, nullptr, data);
    triangle->deinit(nullptr, nullptr);
    triangle->init(api, nullptr);
    EXPECT_FALSE(api->calls.empty());
}

TEST_F(TestTriangleTest, TheRegisterDrivesItThroughAllThreePasses) {
    auto reg = std::make_shared<MeshRegister>(api);
    reg->add(triangle);
    reg->renderAll();
    EXPECT_TRUE(api->calls.empty());

    reg->initAll();
    takeCalls();
    reg->setPrimitiveOverride(1u, EPrimitiveMode::LineLoop);
    reg->renderAll();
    EXPECT_EQ(takeCalls().back(), "drawElements(3, 3, 5)");
    reg->deinitAll();
    EXPECT_EQ(takeCalls(), (Calls{"deleteBuffers(1, 2)", "deleteVertexArrays(3)"}));
}

} // namespace
