#include "debug/CoordSphere.hpp"

#include <gtest/gtest.h>

namespace {

using ox::debug::CoordSphere;

TEST(CoordSphereTest, StartsEmptyAtTheOrigin) {
    const CoordSphere sphere;
    EXPECT_TRUE(sphere.outline.empty());
    EXPECT_EQ(sphere.center, glm::vec3(0.0f));
}

TEST(CoordSphereTest, OutlineIsSixteenPointsCounterClockwiseFromOneZero) {
    CoordSphere sphere;
    sphere.fillOutline();
    ASSERT_EQ(sphere.outline.size(), 16u);
    const struct {
        std::size_t index;
        glm::vec2 point;
    } expected[] = {
        {0, {1.0f, 0.0f}},   {2, {0.70710678f, 0.70710678f}},
        {4, {0.0f, 1.0f}},   {8, {-1.0f, 0.0f}},
        {12, {0.0f, -1.0f}}, {15, {0.92387953f, -0.38268343f}},
    };
    for (const auto& [index, point] : expected) {
        EXPECT_NEAR(sphere.outline[index].x, point.x, 1e-6f) << "entry " << index;
        EXPECT_NEAR(sphere.outline[index].y, point.y, 1e-6f) << "entry " << index;
    }
}

} // namespace
