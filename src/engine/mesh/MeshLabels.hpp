#pragma once

#include "renderer/IRenderingApi.hpp"

#include <cstdint>
#include <span>
#include <string_view>

namespace ox::engine::mesh {

// Debug labels of a mesh's GL objects, all named after the mesh so that a
// trace groups them: "<mesh> program", "<mesh> vertex array", "<mesh> buffer
// <n>" (n from 1). Names 0 (objects never made) are skipped.
struct MeshLabels {
    static void labelProgram(renderer::IRenderingApi& api, std::string_view mesh,
                             std::uint32_t program);
    static void labelAll(renderer::IRenderingApi& api, std::string_view mesh, std::uint32_t program,
                         std::uint32_t vertexArray, std::span<const std::uint32_t> buffers);
};

} // namespace ox::engine::mesh
