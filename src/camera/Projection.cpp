#include "camera/Projection.hpp"

#include <cmath>
#include <limits>

namespace ox::camera {

glm::mat4 perspectiveProjection(float fovDegrees, float aspect) {
    // The degree constant, the single-precision product and the double tangent
    // are what the title and the picture were tuned with; glm::perspective
    // uses a float tangent and gives other last bits.
    constexpr float radiansPerDegree = 0.017453292f;
    const float halfAngle = fovDegrees * radiansPerDegree * 0.5f;
    const auto t = static_cast<float>(std::tan(static_cast<double>(halfAngle)));

    glm::mat4 projection(0.0f);
    projection[0][0] = 1.0f / (t * aspect);
    projection[1][1] = 1.0f / t;
    projection[2][2] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    projection[2][3] = -1.0f;
    projection[3][2] = -(2.0f * farPlane * nearPlane) / (farPlane - nearPlane);
    return projection;
}

float changedFieldOfView(float fovDegrees, double degrees) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (!(std::abs(degrees) <= largest)) {
        return fovDegrees;
    }
    const float changed = fovDegrees + static_cast<float>(degrees);
    return std::isfinite(changed) ? changed : fovDegrees;
}

} // namespace ox::camera
