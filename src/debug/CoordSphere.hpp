#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <vector>

namespace ox::debug {

// A debugging aid: the outline of a unit circle as 2D points around a centre.
// Whoever creates it owns it and fills the outline; it is not a mesh and
// nothing draws it. Main thread only.
class CoordSphere {
public:
    // Points of the unit circle in order of increasing angle, from (1, 0).
    std::vector<glm::vec2> outline;
    glm::vec3 center{0.0f, 0.0f, 0.0f};

    virtual ~CoordSphere() = default;

    // Appends the 16 points at angles k * pi/8, k = 0 to 15.
    void fillOutline();
};

} // namespace ox::debug
