#include "cx/camera/FreeCamera.hpp"

#include <glm/ext/matrix_transform.hpp>

#include <utility>

namespace ox::cx::camera {

FreeCamera::FreeCamera(std::shared_ptr<Cx0<::glm::vec3>> rotation,
                       std::shared_ptr<Cx0<::glm::vec3>> movement)
    : Cx2<::glm::mat4, ::glm::vec3, ::glm::vec3>(std::move(rotation), std::move(movement)) {}

int FreeCamera::compute() {
    const ::glm::vec3 r = input1->value;
    const ::glm::vec3 m = input2->value;

    // All three turns every pass, even zero ones, so the frame is re-derived
    // from cross products each pass; the move then uses the turned frame.
    camera.yaw(r.x);
    camera.pitch(r.y);
    camera.roll(r.z);

    camera.position += m.x * camera.up;
    camera.position += m.y * camera.right;
    camera.position += (-m.z) * camera.forward;

    value = ::glm::lookAtRH(camera.position, camera.position + camera.forward, camera.up);
    return 0;
}

} // namespace ox::cx::camera
