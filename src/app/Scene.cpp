#include "app/Scene.hpp"

#include "app/key_bindings.hpp"
#include "camera/Projection.hpp"
#include "mesh/TestSpaceGrid.hpp"
#include "mesh/TestTriangle.hpp"

namespace ox::app {

using renderer::EInputAction;
using renderer::EInputMouseButton;
using renderer::IRendererWindow;

namespace {

constexpr int tunnelTriangles = 360;

} // namespace

Scene::Scene(const LoggingContext& logging, const SceneContext& graph)
    : logging(logging)
    , graph(graph) {}

void Scene::assemble(const RendererContext& context,
                     const std::shared_ptr<renderer::IRenderingApi>& api) {
    window = context.window;
    coordSphere = std::make_shared<debug::CoordSphere>();
    coordSphere->fillOutline();

    // The listeners hold only `this`: the dispatcher lives in the renderer
    // context, which outlives the scene, and a shared pointer back to the
    // window or the dispatcher from here would close an ownership cycle.
    if (const auto& events = context.windowEvents) {
        events->addOnScrollEventListener(
            [this](std::shared_ptr<IRendererWindow>, double, double yOffset) {
                fov = ox::camera::changedFieldOfView(fov, -yOffset);
            });
        events->addOnCursorPositionEventListener(
            [this](std::shared_ptr<IRendererWindow>, double x, double y) {
                if (graph.camera) {
                    mouseLook.onCursorPosition(x, y, graph.camera->camera);
                }
            });
        events->addOnMouseButtonEventListener([this](std::shared_ptr<IRendererWindow> eventWindow,
                                                     EInputMouseButton button, EInputAction action,
                                                     std::uint16_t) {
            mouseLook.onMouseButton(eventWindow.get(), button, action, logging.windowLog.get());
        });
    }

    if (!api) {
        return;
    }
    meshRegister = std::make_shared<engine::mesh::MeshRegister>(api);
    meshRegister->setDebugAnnotations(instruments.debugAnnotations);
    meshRegister->setGroupObserver(instruments.renderGroupObserver);
    // Added first, so within their render group the tunnel draws before the
    // other meshes.
    for (int i = 0; i < tunnelTriangles; ++i) {
        meshRegister->add(std::make_shared<mesh::TestTriangle>(static_cast<float>(-180 + i),
                                                               static_cast<float>(i)));
    }
    instancedTriangles = std::make_shared<mesh::TestTriangleInstanced>(logging.logApiFactory);
    meshRegister->add(instancedTriangles);
    meshRegister->add(std::make_shared<mesh::TestSpaceGrid>(logging.logApiFactory));
    meshRegister->initAll();
}

void Scene::update(double frameTime) {
    graph.timeTicks->value = frameTime;
    graph.manager->update();
}

void Scene::draw() {
    fov = ox::camera::changedFieldOfView(fov, graph.fovDelta->value);
    const float aspect = window ? window->getAspectRatio() : 1.0f;
    const camera::FreeCamera& camera = graph.camera->camera;

    data.model = glm::mat4(1.0f);
    data.view = graph.camera->value;
    data.projection = ox::camera::perspectiveProjection(fov, aspect);
    data.viewProjection = data.projection * data.view;
    data.cameraPosition = camera.position;
    data.cameraDirection = camera.forward;
    data.cameraAxis = camera.up;
    // Only the enable bit follows C; whatever else is in the flags stays.
    auto& primitive = data.primitiveOverride;
    if (window && window->isKeyPressed(keyFor(EControl::Outlines))) {
        primitive.flags |= engine::mesh::primitive_override_t::enabledBit;
    } else {
        primitive.flags &= ~engine::mesh::primitive_override_t::enabledBit;
    }
    primitive.mode = renderer::EPrimitiveMode::LineLoop;

    if (!meshRegister) {
        return;
    }
    meshRegister->setRenderData(data);
    instancedTriangles->timeElapsed = graph.time->value;
    meshRegister->renderAll();
}

void Scene::shutdown() {
    if (meshRegister) {
        meshRegister->deinitAll();
    }
}

glm::vec3 Scene::cameraPosition() const {
    return graph.camera ? graph.camera->camera.position : glm::vec3(0.0f);
}

glm::vec3 Scene::cameraForward() const {
    return graph.camera ? graph.camera->camera.forward : glm::vec3(0.0f);
}

} // namespace ox::app
