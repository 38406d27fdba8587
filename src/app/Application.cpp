#include "app/Application.hpp"

#include "app/Program.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"
#include "harness/Launch.hpp"

#include <memory>

namespace ox::app {

namespace {

// The demo's own start-up stage and its scene, released together: the scene
// first, then the graph it drives.
class DemoScene final : public IScene {
public:
    explicit DemoScene(const LoggingContext& logging)
        : scene(logging, graph) {}
    ~DemoScene() override = default;

    SceneContext graph;
    Scene scene;

    void instrument(const scene_instruments_t& instruments) override {
        scene.instrument(instruments);
    }
    void assemble(const RendererContext& context,
                  const std::shared_ptr<renderer::IRenderingApi>& api) override {
        scene.assemble(context, api);
    }
    void update(double frameTime) override { scene.update(frameTime); }
    void draw() override { scene.draw(); }
    void shutdown() override { scene.shutdown(); }
    float fieldOfView() const override { return scene.fieldOfView(); }
    glm::vec3 cameraPosition() const override { return scene.cameraPosition(); }
    glm::vec3 cameraForward() const override { return scene.cameraForward(); }
};

std::unique_ptr<IScene> makeDemoScene(const LoggingContext& logging, RendererContext& context) {
    auto demo = std::make_unique<DemoScene>(logging);
    if (!setupSceneGraph(logging, context, demo->graph)) {
        return nullptr;
    }
    return demo;
}

} // namespace

int runApplication(const frame_loop_controls_t& controls) {
    return runProgram([](const LoggingContext& logging,
                         RendererContext& context) { return makeDemoScene(logging, context); },
                      controls);
}

int launchApplication(std::span<const std::string_view> arguments) {
    return harness::launch("vexel", arguments, runApplication);
}

} // namespace ox::app
