#include "camera/FreeCamera.hpp"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

using ox::camera::FreeCamera;

constexpr float halfPi = std::numbers::pi_v<float> / 2.0f;

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-6f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(FreeCameraTest, StartsAtTheOriginLookingAlongZWithARightHandedFrame) {
    FreeCamera camera;
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(camera.forward, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(camera.up, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(camera.right, glm::cross(camera.forward, camera.up));
    EXPECT_EQ(camera.up, glm::cross(camera.right, camera.forward));
}

TEST(FreeCameraTest, YawTurnsAboutUp) {
    FreeCamera camera;
    camera.yaw(halfPi);
    expectNear(camera.forward, {1.0f, 0.0f, 0.0f});
    expectNear(camera.right, {0.0f, 0.0f, 1.0f});
    EXPECT_EQ(camera.up, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(camera.yawAngle, halfPi);
}

TEST(FreeCameraTest, PitchTurnsAboutRight) {
    FreeCamera camera;
    camera.pitch(halfPi);
    expectNear(camera.forward, {0.0f, 1.0f, 0.0f});
    expectNear(camera.up, {0.0f, 0.0f, -1.0f});
    EXPECT_EQ(camera.right, glm::vec3(-1.0f, 0.0f, 0.0f));
    EXPECT_EQ(camera.pitchAngle, halfPi);
}

TEST(FreeCameraTest, RollTurnsAboutForward) {
    FreeCamera camera;
    camera.roll(halfPi);
    expectNear(camera.right, {0.0f, 1.0f, 0.0f});
    expectNear(camera.up, {1.0f, 0.0f, 0.0f});
    EXPECT_EQ(camera.forward, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(camera.rollAngle, halfPi);
}

TEST(FreeCameraTest, OppositeTurnsCancel) {
    FreeCamera camera;
    camera.yaw(0.7f);
    camera.yaw(-0.7f);
    camera.pitch(-0.3f);
    camera.pitch(0.3f);
    expectNear(camera.forward, {0.0f, 0.0f, 1.0f});
    expectNear(camera.up, {0.0f, 1.0f, 0.0f});
    expectNear(camera.right, {-1.0f, 0.0f, 0.0f});
    EXPECT_EQ(camera.yawAngle, 0.0f);
    EXPECT_EQ(camera.pitchAngle, 0.0f);
}

// Each turn renormalises one axis and rebuilds another from a cross product;
// without that the frame would skew a little more with every frame of a long
// session. Each turn is checked alone too: mixed with the others, one turn's
// renormalisation could hide another's drift.
TEST(FreeCameraTest, FrameStaysOrthonormalOverManySmallTurns) {
    using Turn = void (FreeCamera::*)(float);
    const struct {
        const char* name;
        std::vector<Turn> turns;
    } cases[] = {
        {"yaw", {&FreeCamera::yaw}},
        {"pitch", {&FreeCamera::pitch}},
        {"roll", {&FreeCamera::roll}},
        {"all three", {&FreeCamera::yaw, &FreeCamera::pitch, &FreeCamera::roll}},
    };
    for (const auto& test : cases) {
        FreeCamera camera;
        std::mt19937 random(20240611u);
        std::uniform_real_distribution<float> turn(-0.05f, 0.05f);

        float worst = 0.0f;
        for (int step = 0; step < 100000; ++step) {
            for (const Turn each : test.turns) {
                (camera.*each)(turn(random));
            }
            if (step % 1000 == 999) {
                const glm::vec3 f = camera.forward;
                const glm::vec3 r = camera.right;
                const glm::vec3 u = camera.up;
                worst = std::max({worst, std::abs(glm::length(f) - 1.0f),
                                  std::abs(glm::length(r) - 1.0f), std::abs(glm::length(u) - 1.0f),
                                  std::abs(glm::dot(f, r)), std::abs(glm::dot(f, u)),
                                  std::abs(glm::dot(r, u)), glm::length(glm::cross(f, u) - r)});
            }
        }
        EXPECT_LT(worst, 1e-5f) << test.name;
    }
}

} // namespace
