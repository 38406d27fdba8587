#include "camera/Projection.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ProjectionTest, ScalesByTheFieldOfViewAndAspect) {
    // Expected scales: 1 / tan(fov / 2), divided by the aspect for x.
    const struct {
        float fov;
        float aspect;
        float xScale;
        float yScale;
    } cases[] = {
        {45.0f, 1.0f, 2.4142134f, 2.4142134f},
        {45.0f, 2.0f, 1.2071067f, 2.4142134f},
        {90.0f, 1.0f, 1.0f, 1.0f},
        {30.0f, 0.75f, 4.976068f, 3.7320509f},
        // No limits: beyond 180 degrees the picture turns upside down.
        {200.0f, 1.0f, -0.17632699f, -0.17632699f},
    };
    for (const auto& [fov, aspect, xScale, yScale] : cases) {
        const glm::mat4 m = ox::camera::perspectiveProjection(fov, aspect);
        EXPECT_FLOAT_EQ(m[0][0], xScale) << "fov " << fov << ", aspect " << aspect;
        EXPECT_FLOAT_EQ(m[1][1], yScale) << "fov " << fov << ", aspect " << aspect;
        // Near 1 and far 10000, right-handed with depth from -1 to 1.
        EXPECT_EQ(m[2][2], -1.0002f);
        EXPECT_EQ(m[2][3], -1.0f);
        EXPECT_EQ(m[3][2], -2.0002f);
        for (int column = 0; column < 4; ++column) {
            for (int row = 0; row < 4; ++row) {
                const bool used = (column == row && column < 3) || (column == 2 && row == 3) ||
                                  (column == 3 && row == 2);
                if (!used) {
                    EXPECT_EQ(m[column][row], 0.0f) << "column " << column << ", row " << row;
                }
            }
        }
    }
}

} // namespace
