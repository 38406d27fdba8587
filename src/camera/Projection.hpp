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

// The field of view `fovDegrees` changed by `degrees`, added in single
// precision. The angle has no limits, but it stays a finite float: a change
// that would take it past the float range, or is not a number, is dropped and
// the angle stays as it was.
float changedFieldOfView(float fovDegrees, double degrees);

} // namespace ox::camera
