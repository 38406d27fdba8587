#pragma once

#include "engine/mesh/IMesh.hpp"
#include "engine/mesh/IMeshRegister.hpp"
#include "engine/mesh/IRenderGroupObserver.hpp"

#include <array>
#include <memory>
#include <vector>

namespace ox::engine::mesh {

// The register of the meshes the application draws. Always owned by a shared
// pointer: every pass hands the meshes a shared pointer to the register, so a
// pass on a register nobody owns throws std::bad_weak_ptr. Holds the rendering
// API strongly. Main thread only.
class MeshRegister : public IMeshRegister, public std::enable_shared_from_this<MeshRegister> {
public:
    static constexpr std::size_t groupCount = 3;

    explicit MeshRegister(std::shared_ptr<renderer::IRenderingApi> api);
    ~MeshRegister() override;

    std::uint32_t add(std::span<const std::shared_ptr<IMesh>> meshes) override;
    bool add(std::shared_ptr<IMesh> mesh) override;
    std::uint32_t remove(std::span<const std::shared_ptr<IMesh>> meshes) override;
    std::uint32_t remove(std::shared_ptr<IMesh> mesh) override;
    std::uint32_t clear() override;
    void initAll() override;
    void deinitAll() override;
    void setPrimitiveOverride(std::uint32_t flags, renderer::EPrimitiveMode mode) override;
    void setCameraVectors(const glm::vec3& position, const glm::vec3& direction,
                          const glm::vec3& axis) override;
    void setMatrices(const glm::mat4& model, const glm::mat4& view, const glm::mat4& projection,
                     const glm::mat4& viewProjection) override;
    void setRenderData(const mesh_render_data_t& data) override;
    void renderAll() override;

    // With annotations on, initAll labels every mesh's GL objects and
    // renderAll wraps each mesh's draw in a debug group named after it, so a
    // trace shows the frame's structure. Off by default: no such call is made.
    void setDebugAnnotations(bool enabled);
    // Told around each group of every render pass; may be empty. Shared.
    void setGroupObserver(std::shared_ptr<IRenderGroupObserver> observer);

private:
    using Group = std::vector<std::shared_ptr<IMesh>>;

    static std::size_t chooseGroup(IMesh& mesh);

    // Visits every group in order over a copy of it, so meshes that add or
    // remove meshes while being called do not disturb the group being walked.
    template <typename Call>
    void forEachMesh(Call&& call);

    std::shared_ptr<renderer::IRenderingApi> api;
    mesh_render_data_t renderData{};
    std::array<Group, groupCount> groups;
    bool debugAnnotations = false;
    std::shared_ptr<IRenderGroupObserver> groupObserver;
};

} // namespace ox::engine::mesh
