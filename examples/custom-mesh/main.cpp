// A program of its own on the engine's shell: the shell opens the window and
// runs the frame loop, the harness gives it vexel's options (--frames,
// --fixed-dt, --input, --capture), and the scene below draws one mesh.

#include "SpinningQuad.hpp"

#include "app/IScene.hpp"
#include "app/Program.hpp"
#include "core/logger/ELogLevel.hpp"
#include "engine/mesh/MeshRegister.hpp"
#include "harness/Launch.hpp"

#include <memory>
#include <string_view>
#include <vector>

namespace {

class QuadScene : public ox::app::IScene {
public:
    explicit QuadScene(const ox::app::LoggingContext& logging)
        : logging(logging) {}

    // --gpu-timing and --gl-debug reach the meshes through this.
    void instrument(const ox::app::scene_instruments_t& given) override { instruments = given; }
    void assemble(const ox::app::RendererContext&,
                  const std::shared_ptr<ox::renderer::IRenderingApi>& api) override {
        if (!api) {
            return;
        }
        api->clearColor({0.1f, 0.1f, 0.15f, 1.0f});
        meshes = std::make_shared<ox::engine::mesh::MeshRegister>(api);
        meshes->setGroupObserver(instruments.renderGroupObserver);
        meshes->setDebugAnnotations(instruments.debugAnnotations);
        quad = std::make_shared<SpinningQuad>(logging.logApiFactory->createLogApi(
            "SpinningQuad", ox::core::logger::ELogLevel::Debug));
        meshes->add(quad);
        meshes->initAll();
    }
    void update(double frameTime) override { time = frameTime; }
    void draw() override {
        if (!meshes) {
            return;
        }
        // Half a turn per second.
        quad->angle = static_cast<float>(time * 3.14159265358979);
        meshes->renderAll();
    }
    void shutdown() override {
        if (meshes) {
            meshes->deinitAll();
        }
    }
    float fieldOfView() const override { return 0.0f; }
    glm::vec3 cameraPosition() const override { return glm::vec3(0.0f); }

private:
    const ox::app::LoggingContext& logging;
    ox::app::scene_instruments_t instruments;
    std::shared_ptr<ox::engine::mesh::MeshRegister> meshes;
    std::shared_ptr<SpinningQuad> quad;
    double time = 0.0;
};

int run(const ox::app::frame_loop_controls_t& controls) {
    return ox::app::runProgram(
        [](const ox::app::LoggingContext& logging, ox::app::RendererContext&) {
            return std::make_unique<QuadScene>(logging);
        },
        controls);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ox::harness::launch("custom-mesh", arguments, run);
}
