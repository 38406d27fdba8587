#pragma once

#include <glm/vec3.hpp>

namespace ox::camera {

// A six-degrees-of-freedom camera: a position and a right-handed orthonormal
// frame (right = forward x up) turned by yaw, pitch and roll increments. The
// fields are read directly by whoever draws with the camera. Main thread only.
class FreeCamera {
public:
    // Sums of every increment applied, in radians; informational only.
    float pitchAngle = 0.0f;
    float yawAngle = 0.0f;
    float rollAngle = 0.0f;

    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 right{-1.0f, 0.0f, 0.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 forward{0.0f, 0.0f, 1.0f};

    virtual ~FreeCamera() = default;

    // Turn about `up`, `right` and `forward` respectively, by `angle` radians.
    // A turn that is not a finite number, or would take its angle sum past
    // the float range, is ignored, so the frame stays finite whatever comes.
    void yaw(float angle);
    void pitch(float angle);
    void roll(float angle);
};

} // namespace ox::camera
