#pragma once

#include "camera/FreeCamera.hpp"
#include "cx/Cx2.hpp"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <memory>

namespace ox::cx::camera {

// Integrates per-pass increments into a camera and outputs its view matrix.
// input1: rotation increment (x yaw, y pitch, z roll, radians);
// input2: movement increment (x along up, y along right, z against forward).
// `camera` may also be turned directly between passes (mouse look); the turn
// shows in `value` at the next pass.
class FreeCamera : public Cx2<::glm::mat4, ::glm::vec3, ::glm::vec3> {
public:
    ::ox::camera::FreeCamera camera;

    FreeCamera(std::shared_ptr<Cx0<::glm::vec3>> rotation,
               std::shared_ptr<Cx0<::glm::vec3>> movement);

    int compute() override;
};

} // namespace ox::cx::camera
