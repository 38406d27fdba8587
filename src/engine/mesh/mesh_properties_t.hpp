#pragma once

#include <cstdint>

namespace ox::engine::mesh {

// Two bytes of flags embedded in every mesh. The register reads the render
// group bits once, when the mesh is added; changing them later does not move
// the mesh.
struct mesh_properties_t {
    // Byte 0: mesh-private flags. Meshes clear bits 0 and 1 in init; nothing
    // else reads them.
    std::uint8_t meshFlags = 0;
    // Byte 1: render group selection; bit 1 wins over bit 0.
    std::uint8_t renderGroup = 0;

    static constexpr std::uint8_t renderGroup1Bit = 0x01;
    static constexpr std::uint8_t renderGroup2Bit = 0x02;
};

} // namespace ox::engine::mesh
