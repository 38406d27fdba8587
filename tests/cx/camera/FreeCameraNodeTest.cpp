#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"
#include "cx/camera/FreeCamera.hpp"

#include <glm/mat4x4.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <numbers>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using FreeCameraNode = ox::cx::camera::FreeCamera;

constexpr float halfPi = std::numbers::pi_v<float> / 2.0f;

void expectNear(const ::glm::vec3& actual, const ::glm::vec3& expected, float tolerance = 1e-6f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class FreeCameraNodeTest : public ::testing::Test {
protected:
    CxManager manager;
    std::shared_ptr<CxStatic<::glm::vec3>> rotation =
        manager.create<CxStatic<::glm::vec3>>(::glm::vec3(0.0f));
    std::shared_ptr<CxStatic<::glm::vec3>> movement =
        manager.create<CxStatic<::glm::vec3>>(::glm::vec3(0.0f));
    std::shared_ptr<FreeCameraNode> node = manager.create<FreeCameraNode>(rotation, movement);
};

TEST_F(FreeCameraNodeTest, ViewIsTheIdentityUntilTheFirstPass) {
    EXPECT_EQ(node->value, ::glm::mat4(1.0f));
}

TEST_F(FreeCameraNodeTest, ZeroIncrementsLookAlongZFromTheOrigin) {
    manager.update();
    EXPECT_EQ(node->camera.position, ::glm::vec3(0.0f));
    const ::glm::mat4& view = node->value;
    EXPECT_EQ(view[0], ::glm::vec4(-1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(view[1], ::glm::vec4(0.0f, 1.0f, 0.0f, 0.0f));
    EXPECT_EQ(view[2], ::glm::vec4(0.0f, 0.0f, -1.0f, 0.0f));
    EXPECT_EQ(view[3], ::glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
}

TEST_F(FreeCameraNodeTest, MovementFollowsUpRightAndBackward) {
    movement->value = {1.0f, 0.0f, 0.0f};
    manager.update();
    EXPECT_EQ(node->camera.position, ::glm::vec3(0.0f, 1.0f, 0.0f));

    node->camera.position = ::glm::vec3(0.0f);
    movement->value = {0.0f, 1.0f, 0.0f};
    manager.update();
    EXPECT_EQ(node->camera.position, ::glm::vec3(-1.0f, 0.0f, 0.0f));

    node->camera.position = ::glm::vec3(0.0f);
    movement->value = {0.0f, 0.0f, 1.0f};
    manager.update();
    EXPECT_EQ(node->camera.position, ::glm::vec3(0.0f, 0.0f, -1.0f));
}

TEST_F(FreeCameraNodeTest, IncrementsApplyOncePerPass) {
    movement->value = {0.0f, 0.0f, -2.0f};
    for (int pass = 0; pass < 3; ++pass) {
        manager.update();
    }
    EXPECT_EQ(node->camera.position, ::glm::vec3(0.0f, 0.0f, 6.0f));
    EXPECT_EQ(node->value[3], ::glm::vec4(0.0f, 0.0f, 6.0f, 1.0f));
}

TEST_F(FreeCameraNodeTest, TurnsYawPitchRollInThatOrderThenMovesAlongTheNewFrame) {
    // Yaw first takes forward to +x, then the pitch lifts it to +y; the other
    // order would end looking along +x.
    rotation->value = {halfPi, halfPi, 0.0f};
    movement->value = {0.0f, 0.0f, -1.0f};
    manager.update();
    expectNear(node->camera.forward, {0.0f, 1.0f, 0.0f});
    expectNear(node->camera.up, {-1.0f, 0.0f, 0.0f});
    expectNear(node->camera.position, {0.0f, 1.0f, 0.0f});
}

TEST_F(FreeCameraNodeTest, ViewMapsTheEyeToTheOriginAndForwardToMinusZ) {
    rotation->value = {0.3f, -0.2f, 0.1f};
    movement->value = {1.5f, -2.0f, 4.0f};
    manager.update();
    manager.update();

    const auto& camera = node->camera;
    const ::glm::vec4 eye = node->value * ::glm::vec4(camera.position, 1.0f);
    const ::glm::vec4 ahead = node->value * ::glm::vec4(camera.position + camera.forward, 1.0f);
    const ::glm::vec4 above = node->value * ::glm::vec4(camera.position + camera.up, 1.0f);
    const float tolerance = 1e-5f;
    expectNear(::glm::vec3(eye), {0.0f, 0.0f, 0.0f}, tolerance);
    expectNear(::glm::vec3(ahead), {0.0f, 0.0f, -1.0f}, tolerance);
    expectNear(::glm::vec3(above), {0.0f, 1.0f, 0.0f}, tolerance);
}

TEST_F(FreeCameraNodeTest, AngleSumsAccumulateTheIncrements) {
    rotation->value = {0.1f, 0.2f, -0.3f};
    float yaw = 0.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    for (int pass = 0; pass < 4; ++pass) {
        manager.update();
        yaw += 0.1f;
        pitch += 0.2f;
        roll += -0.3f;
    }
    EXPECT_EQ(node->camera.yawAngle, yaw);
    EXPECT_EQ(node->camera.pitchAngle, pitch);
    EXPECT_EQ(node->camera.rollAngle, roll);
}

TEST_F(FreeCameraNodeTest, DirectTurnShowsAtTheNextPass) {
    manager.update();
    const ::glm::mat4 before = node->value;
    node->camera.yaw(halfPi);
    EXPECT_EQ(node->value, before);

    manager.update();
    // Looking along +x now: the view's third row is -forward.
    EXPECT_NEAR(node->value[0][2], -1.0f, 1e-6f);
    EXPECT_NEAR(node->value[2][2], 0.0f, 1e-6f);
}

} // namespace
