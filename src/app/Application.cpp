#include "app/Application.hpp"

#include "app/FrameStatistics.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"
#include "renderer/input.hpp"

#include <string>
#include <vector>

namespace ox::app {

namespace {

using renderer::ECapability;
using renderer::EClearBuffer;

// Runs frames until the window closes; the window is destroyed inside the
// last frame.
void runFrameLoop(RendererContext& context, Scene& scene,
                  const std::shared_ptr<renderer::IRenderingApi>& api) {
    const std::shared_ptr<renderer::IRendererWindow> window = context.window;
    renderer::IRenderer& renderer = *context.renderer;
    FrameStatistics stats;
    stats.start(renderer.getTime());

    bool running = true;
    while (running) {
        const double frameTime = renderer.getTime();
        stats.beginFrame(frameTime);
        scene.update(frameTime);
        if (api) {
            api->clear(EClearBuffer::Color | EClearBuffer::Depth);
        }
        scene.draw(api);

        const Scene::position_t camera = scene.cameraPosition();
        stats.refreshTitle(renderer.getTime(), scene.fieldOfView(), camera.x, camera.y, camera.z);
        window->setTitle(stats.title());
        window->swapBuffers();
        renderer.pollEvents();

        if (window->isKeyPressed(renderer::EInputKey::Escape)) {
            window->setShouldClose(true);
        }
        if (window->shouldClose()) {
            running = false;
            window->destroy();
        }
    }
}

} // namespace

int runApplication() {
    int exitCode = 1;
    std::vector<std::string> memoryLog;
    {
        LoggingContext logging;
        if (setupLogging(memoryLog, logging)) {
            RendererContext rendererContext;
            if (setupRenderer(logging, rendererContext)) {
                {
                    std::shared_ptr<renderer::IRenderingApi> api =
                        rendererContext.renderer->getRenderingApi();
                    Scene scene;
                    if (api) {
                        api->clearColor({0.0f, 0.0f, 0.0f, 0.0f});
                    }
                    scene.assemble(rendererContext, api);
                    if (api) {
                        api->enable(ECapability::DepthTest);
                    }
                    runFrameLoop(rendererContext, scene, api);
                    scene.shutdown(api);
                    rendererContext.renderer->deinit();
                }
                exitCode = 0;
            }
            releaseRenderer(rendererContext);
        }
        releaseLogging(logging);
    }
    return exitCode;
}

} // namespace ox::app
