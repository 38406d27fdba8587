#pragma once

#include "engine/mesh/mesh_properties_t.hpp"
#include "engine/mesh/mesh_render_data_t.hpp"

#include <memory>

namespace ox::renderer {
struct IRenderingApi;
}

namespace ox::engine::mesh {

struct IMeshRegister;

// Something the mesh register drives through init, render and deinit. Meshes
// guard themselves: init acts only when not yet initialised, render and
// deinit only when initialised. Main thread only, with the context current.
struct IMesh {
    virtual void init(std::shared_ptr<renderer::IRenderingApi> api,
                      std::shared_ptr<IMeshRegister> meshRegister) = 0;
    virtual void deinit(std::shared_ptr<renderer::IRenderingApi> api,
                        std::shared_ptr<IMeshRegister> meshRegister) = 0;
    // May return null; such a mesh goes to render group 0.
    virtual mesh_properties_t* getProperties() = 0;
    virtual void render(std::shared_ptr<renderer::IRenderingApi> api,
                        std::shared_ptr<IMeshRegister> meshRegister,
                        const mesh_render_data_t& data) = 0;
    virtual ~IMesh() = default;
};

} // namespace ox::engine::mesh
