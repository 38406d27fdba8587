#pragma once

#include "engine/mesh/mesh_properties_t.hpp"
#include "engine/mesh/mesh_render_data_t.hpp"

#include <memory>
#include <string_view>

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
    // The two below are optional, so that a mesh written for the first four
    // still compiles: it draws under a generic name and without labels.

    // The mesh's name in debug annotations ("TestTriangle z=1"); lives as
    // long as the mesh.
    virtual std::string_view getName() const { return "mesh"; }
    // Labels the mesh's program, buffers and vertex arrays after its name for
    // GL debugging tools, and from then on every program it rebuilds too.
    // Nothing before init.
    virtual void labelObjects(renderer::IRenderingApi& /*api*/) {}
    virtual ~IMesh() = default;
};

} // namespace ox::engine::mesh
