#pragma once

#include "renderer/EPrimitiveMode.hpp"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <cstdint>

namespace ox::engine::mesh {

// Asks meshes that honour it to draw with `mode` instead of their own mode
// while bit 0 of `flags` is set.
struct primitive_override_t {
    std::uint32_t flags = 0;
    renderer::EPrimitiveMode mode{};

    static constexpr std::uint32_t enabledBit = 0x1;

    bool isEnabled() const { return (flags & enabledBit) != 0; }
};

// What the register hands to every mesh it renders in one frame.
struct mesh_render_data_t {
    glm::mat4 model{1.0f};
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    // projection * view; the meshes use it as their model-view-projection.
    glm::mat4 viewProjection{1.0f};
    glm::vec3 cameraPosition{0.0f};
    glm::vec3 cameraDirection{0.0f};
    glm::vec3 cameraAxis{0.0f};
    primitive_override_t primitiveOverride{};
};

} // namespace ox::engine::mesh
