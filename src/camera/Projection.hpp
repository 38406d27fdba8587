#pragma once

#include <glm/mat4x4.hpp>

namespace ox::camera {

// Clip planes of the demo's projection.
inline constexpr float nearPlane = 1.0f;
inline constexpr float farPlane = 10000.0f;

// The demo's right-handed perspective projection (depth range -1 to 1) for a
// vertical angle of `fovDegrees` and a width-to-height `aspect`. Any angle is
// accepted, including 180 degrees and beyond or below 0; the matrix follows
// the formula whatever it gives.
glm::mat4 perspectiveProjection(float fovDegrees, float aspect);

} // namespace ox::camera
