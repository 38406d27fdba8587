#include "engine/mesh/MeshLabels.hpp"

#include <string>

namespace ox::engine::mesh {

using renderer::EObjectType;

void MeshLabels::labelProgram(renderer::IRenderingApi& api, std::string_view mesh,
                              std::uint32_t program) {
    if (program != 0) {
        api.objectLabel(EObjectType::Program, program, std::string(mesh) + " program");
    }
}

void MeshLabels::labelAll(renderer::IRenderingApi& api, std::string_view mesh,
                          std::uint32_t program, std::uint32_t vertexArray,
                          std::span<const std::uint32_t> buffers) {
    labelProgram(api, mesh, program);
    if (vertexArray != 0) {
        api.objectLabel(EObjectType::VertexArray, vertexArray, std::string(mesh) + " vertex array");
    }
    std::size_t number = 0;
    for (const std::uint32_t buffer : buffers) {
        ++number;
        if (buffer != 0) {
            api.objectLabel(EObjectType::Buffer, buffer,
                            std::string(mesh) + " buffer " + std::to_string(number));
        }
    }
}

} // namespace ox::engine::mesh
