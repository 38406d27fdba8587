#include "app/Application.hpp"

#include "app/Program.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"
#include "harness/Launch.hpp"
#include "harness/RunInstruments.hpp"

#include <memory>

namespace ox::app {

namespace {

// The demo's own start-up stage and its scene, released together: the scene
// first, then the graph it drives.
class DemoScene final : public IScene {
public:
    DemoScene(const LoggingContext& logging, const frame_loop_controls_t& controls)
        : scene(logging, graph) {
        if (const auto* instruments = harness::RunInstruments::find(controls)) {
            groupObserver = instruments->groupObserver();
            scene.setDebugAnnotations(instruments->debugAnnotations());
        }
    }
    ~DemoScene() override = default;

    SceneContext graph;
    Scene scene;
    std::shared_ptr<engine::mesh::IRenderGroupObserver> groupObserver;

    void assemble(const RendererContext& context,
                  const std::shared_ptr<renderer::IRenderingApi>& api) override {
        scene.assemble(context, api);
        if (groupObserver) {
            scene.setRenderGroupObserver(groupObserver);
        }
    }
    void update(double frameTime) override { scene.update(frameTime); }
    void draw() override { scene.draw(); }
    void shutdown() override { scene.shutdown(); }
    float fieldOfView() const override { return scene.fieldOfView(); }
    glm::vec3 cameraPosition() const override { return scene.cameraPosition(); }
    glm::vec3 cameraForward() const override { return scene.cameraForward(); }
};

std::unique_ptr<IScene> makeDemoScene(const LoggingContext& logging, RendererContext& context,
                                      const frame_loop_controls_t& controls) {
    auto demo = std::make_unique<DemoScene>(logging, controls);
    if (!setupSceneGraph(logging, context, demo->graph)) {
        return nullptr;
    }
    return demo;
}

} // namespace

int runApplication(const frame_loop_controls_t& controls) {
    return runProgram(
        [&controls](const LoggingContext& logging, RendererContext& context) {
            return makeDemoScene(logging, context, controls);
        },
        controls);
}

int launchApplication(std::span<const std::string_view> arguments) {
    return harness::launch("vexel", arguments, runApplication);
}

} // namespace ox::app
