#include "camera/FreeCamera.hpp"

#include <glm/geometric.hpp>

#include <cmath>

namespace ox::camera {
namespace {

struct SinCos {
    float s;
    float c;
};

// Double-precision sine and cosine of the float angle, rounded to float.
SinCos sinCos(float angle) {
    const double wide = angle;
    return {static_cast<float>(std::sin(wide)), static_cast<float>(std::cos(wide))};
}

// Scales by the reciprocal of the length; the length is the double-precision
// square root of the single-precision sum of squares, rounded to float.
glm::vec3 normalize(const glm::vec3& v) {
    const float sum = v.x * v.x + v.y * v.y + v.z * v.z;
    const auto length = static_cast<float>(std::sqrt(static_cast<double>(sum)));
    return v * (1.0f / length);
}

// Adds `angle` to the angle sum `sum` unless either would stop being a
// finite float; says whether it did. A turn by such an angle is skipped whole:
// its sine and cosine would be NaN and would poison the frame for good.
bool addTurn(float& sum, float angle) {
    const float next = sum + angle;
    if (!std::isfinite(next)) {
        return false;
    }
    sum = next;
    return true;
}

} // namespace

// The vector rebuilt by a cross product in each turn is not normalised again:
// it comes from two unit vectors that are orthogonal to rounding error, and
// rebuilding it every turn is what keeps the frame from skewing over time.

void FreeCamera::yaw(float angle) {
    if (!addTurn(yawAngle, angle)) {
        return;
    }
    const auto [s, c] = sinCos(angle);
    forward = normalize(c * forward - s * right);
    right = glm::cross(forward, up);
}

void FreeCamera::pitch(float angle) {
    if (!addTurn(pitchAngle, angle)) {
        return;
    }
    const auto [s, c] = sinCos(angle);
    forward = normalize(c * forward + s * up);
    up = -glm::cross(forward, right);
}

void FreeCamera::roll(float angle) {
    if (!addTurn(rollAngle, angle)) {
        return;
    }
    const auto [s, c] = sinCos(angle);
    right = normalize(c * right + s * up);
    up = -glm::cross(forward, right);
}

} // namespace ox::camera
