#pragma once

#include "engine/mesh/mesh_render_data_t.hpp"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <span>

namespace ox::engine::mesh {

struct IMesh;

// Keeps the meshes to draw in three render groups, visited in the order 0, 1,
// 2, and hands them the frame's render data. Adding or removing never calls
// init or deinit. Main thread only.
struct IMeshRegister {
    // Returns how many meshes were added (empty pointers are skipped).
    virtual std::uint32_t add(std::span<const std::shared_ptr<IMesh>> meshes) = 0;
    // False only for an empty pointer. A mesh added twice is visited twice.
    virtual bool add(std::shared_ptr<IMesh> mesh) = 0;
    // Leaves every group sorted by object address.
    virtual std::uint32_t remove(std::span<const std::shared_ptr<IMesh>> meshes) = 0;
    // Removes every entry of that object, keeping the order of the others.
    virtual std::uint32_t remove(std::shared_ptr<IMesh> mesh) = 0;
    virtual std::uint32_t clear() = 0;
    virtual void initAll() = 0;
    virtual void deinitAll() = 0;
    virtual void setPrimitiveOverride(std::uint32_t flags, renderer::EPrimitiveMode mode) = 0;
    virtual void setCameraVectors(const glm::vec3& position, const glm::vec3& direction,
                                  const glm::vec3& axis) = 0;
    virtual void setMatrices(const glm::mat4& model, const glm::mat4& view,
                             const glm::mat4& projection, const glm::mat4& viewProjection) = 0;
    virtual void setRenderData(const mesh_render_data_t& data) = 0;
    virtual void renderAll() = 0;
    virtual ~IMeshRegister() = default;
};

} // namespace ox::engine::mesh
