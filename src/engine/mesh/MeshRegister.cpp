#include "engine/mesh/MeshRegister.hpp"

#include "renderer/IRenderingApi.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace ox::engine::mesh {

namespace {

// std::less gives a total order on pointers even where `<` would not.
bool byAddress(const std::shared_ptr<IMesh>& left, const std::shared_ptr<IMesh>& right) {
    return std::less<const IMesh*>{}(left.get(), right.get());
}

} // namespace

MeshRegister::MeshRegister(std::shared_ptr<renderer::IRenderingApi> api)
    : api(std::move(api)) {}

MeshRegister::~MeshRegister() {
    clear();
}

std::size_t MeshRegister::chooseGroup(IMesh& mesh) {
    const mesh_properties_t* properties = mesh.getProperties();
    if (properties == nullptr) {
        return 0;
    }
    if ((properties->renderGroup & mesh_properties_t::renderGroup2Bit) != 0) {
        return 2;
    }
    if ((properties->renderGroup & mesh_properties_t::renderGroup1Bit) != 0) {
        return 1;
    }
    return 0;
}

std::uint32_t MeshRegister::add(std::span<const std::shared_ptr<IMesh>> meshes) {
    std::uint32_t added = 0;
    for (const auto& mesh : meshes) {
        if (add(mesh)) {
            ++added;
        }
    }
    return added;
}

bool MeshRegister::add(std::shared_ptr<IMesh> mesh) {
    if (!mesh) {
        return false;
    }
    groups[chooseGroup(*mesh)].push_back(std::move(mesh));
    return true;
}

std::uint32_t MeshRegister::remove(std::span<const std::shared_ptr<IMesh>> meshes) {
    Group sortedList(meshes.begin(), meshes.end());
    std::sort(sortedList.begin(), sortedList.end(), byAddress);

    std::uint32_t removed = 0;
    for (auto& group : groups) {
        std::sort(group.begin(), group.end(), byAddress);
        // Each entry of the list cancels one equal entry of the group.
        Group kept;
        kept.reserve(group.size());
        std::set_difference(group.begin(), group.end(), sortedList.begin(), sortedList.end(),
                            std::back_inserter(kept), byAddress);
        removed += static_cast<std::uint32_t>(group.size() - kept.size());
        group = std::move(kept);
    }
    return removed;
}

std::uint32_t MeshRegister::remove(std::shared_ptr<IMesh> mesh) {
    std::uint32_t removed = 0;
    for (auto& group : groups) {
        removed += static_cast<std::uint32_t>(
            std::erase_if(group, [&](const auto& entry) { return entry.get() == mesh.get(); }));
    }
    return removed;
}

std::uint32_t MeshRegister::clear() {
    std::size_t removed = 0;
    for (auto& group : groups) {
        removed += group.size();
        group.clear();
    }
    return static_cast<std::uint32_t>(removed);
}

template <typename Call>
void MeshRegister::forEachMesh(Call&& call) {
    for (std::size_t index = 0; index < groupCount; ++index) {
        const Group snapshot = groups[index];
        for (const auto& mesh : snapshot) {
            call(*mesh, std::shared_ptr<IMeshRegister>(shared_from_this()));
        }
    }
}

void MeshRegister::initAll() {
    forEachMesh([this](IMesh& mesh, std::shared_ptr<IMeshRegister> self) {
        mesh.init(api, std::move(self));
        if (debugAnnotations && api) {
            mesh.labelObjects(*api);
        }
    });
}

void MeshRegister::deinitAll() {
    forEachMesh([this](IMesh& mesh, std::shared_ptr<IMeshRegister> self) {
        mesh.deinit(api, std::move(self));
    });
}

void MeshRegister::renderAll() {
    const bool annotate = debugAnnotations && api;
    for (std::size_t index = 0; index < groupCount; ++index) {
        // The observer is held for the group: it may drop itself meanwhile.
        const std::shared_ptr<IRenderGroupObserver> observer = groupObserver;
        if (observer) {
            observer->beforeGroup(index);
        }
        const Group snapshot = groups[index];
        for (const auto& mesh : snapshot) {
            if (annotate) {
                api->pushDebugGroup(mesh->getName());
            }
            mesh->render(api, std::shared_ptr<IMeshRegister>(shared_from_this()), renderData);
            if (annotate) {
                api->popDebugGroup();
            }
        }
        if (observer) {
            observer->afterGroup(index);
        }
    }
}

void MeshRegister::setDebugAnnotations(bool enabled) {
    debugAnnotations = enabled;
}

void MeshRegister::setGroupObserver(std::shared_ptr<IRenderGroupObserver> observer) {
    groupObserver = std::move(observer);
}

void MeshRegister::setPrimitiveOverride(std::uint32_t flags, renderer::EPrimitiveMode mode) {
    renderData.primitiveOverride = {flags, mode};
}

void MeshRegister::setCameraVectors(const glm::vec3& position, const glm::vec3& direction,
                                    const glm::vec3& axis) {
    renderData.cameraPosition = position;
    renderData.cameraDirection = direction;
    renderData.cameraAxis = axis;
}

void MeshRegister::setMatrices(const glm::mat4& model, const glm::mat4& view,
                               const glm::mat4& projection, const glm::mat4& viewProjection) {
    renderData.model = model;
    renderData.view = view;
    renderData.projection = projection;
    renderData.viewProjection = viewProjection;
}

void MeshRegister::setRenderData(const mesh_render_data_t& data) {
    renderData = data;
}

} // namespace ox::engine::mesh
