#pragma once

#include "app/IScene.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/SceneContext.hpp"
#include "camera/MouseLook.hpp"
#include "debug/CoordSphere.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "engine/mesh/mesh_render_data_t.hpp"
#include "mesh/TestTriangleInstanced.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRenderingApi.hpp"

#include <glm/vec3.hpp>

#include <memory>

namespace ox::app {

// The demo scene as the frame loop sees it: assembled once before the loop,
// updated and drawn every frame, shut down while the context still exists.
// It owns the field of view, the mouse-look state, the mesh register with the
// test meshes and the render data; the graph it drives is the scene context's.
// The logging and scene contexts must outlive it, and it must outlive the
// frame loop: the input listeners it registers refer to it without owning it.
// Main thread only.
class Scene : public IScene {
public:
    // Field of view at start, in degrees.
    static constexpr float initialFieldOfView = 45.0f;

    // `graph` must have been filled by setupSceneGraph.
    Scene(const LoggingContext& logging, const SceneContext& graph);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Registers the wheel and mouse-look listeners on the window's events
    // dispatcher and, when there is a rendering API, builds the mesh register
    // with the 360-triangle tunnel, the instanced triangles and the space grid
    // and initialises them.
    void assemble(const RendererContext& context,
                  const std::shared_ptr<renderer::IRenderingApi>& api) override;
    // Writes the frame time into the graph and evaluates it.
    void update(double frameTime) override;
    // Integrates the field of view, builds the projection and the render data
    // and draws every mesh.
    void draw() override;
    // Frees every mesh's GL objects; call while the context exists.
    void shutdown() override;
    // Before assemble: the mesh register gets the render-group observer and
    // the debug annotations.
    void instrument(const scene_instruments_t& given) override { instruments = given; }

    // Field of view in degrees, as the last draw step left it.
    float fieldOfView() const override { return fov; }
    glm::vec3 cameraPosition() const override;
    glm::vec3 cameraForward() const override;
    const engine::mesh::mesh_render_data_t& renderData() const { return data; }

private:
    const LoggingContext& logging;
    const SceneContext& graph;
    float fov = initialFieldOfView;
    camera::MouseLook mouseLook;
    std::shared_ptr<renderer::IRendererWindow> window;
    std::shared_ptr<debug::CoordSphere> coordSphere;
    std::shared_ptr<engine::mesh::MeshRegister> meshRegister;
    std::shared_ptr<mesh::TestTriangleInstanced> instancedTriangles;
    engine::mesh::mesh_render_data_t data{};
    scene_instruments_t instruments;
};

} // namespace ox::app
