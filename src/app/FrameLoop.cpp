#include "app/FrameLoop.hpp"

#include "app/FrameStatistics.hpp"
#include "app/StopSignals.hpp"
#include "app/key_bindings.hpp"
#include "renderer/input.hpp"

namespace ox::app {

using renderer::ECapability;
using renderer::EClearBuffer;

void prepareFrameLoop(RendererContext& context, IScene& scene,
                      const std::shared_ptr<renderer::IRenderingApi>& api) {
    if (api) {
        api->clearColor({0.0f, 0.0f, 0.0f, 0.0f});
    }
    scene.assemble(context, api);
    if (api) {
        api->enable(ECapability::DepthTest);
    }
}

void runFrameLoop(RendererContext& context, IScene& scene,
                  const std::shared_ptr<renderer::IRenderingApi>& api,
                  const frame_loop_controls_t& controls) {
    const std::shared_ptr<renderer::IRendererWindow> window = context.window;
    renderer::IRenderer& renderer = *context.renderer;
    FrameStatistics stats;
    stats.start(renderer.getTime());

    bool running = true;
    while (running) {
        const double frameTime = renderer.getTime();
        stats.beginFrame(frameTime);
        const std::uint32_t frame = stats.frameCount();
        for (IFrameObserver* observer : controls.observers) {
            observer->beginFrame(frame);
        }
        // Frame n is computed as if (n - 1) fixed steps had passed since the
        // first; multiplying rather than summing keeps every frame's time
        // free of accumulated rounding.
        scene.update(controls.fixedDelta ? static_cast<double>(frame - 1) * *controls.fixedDelta
                                         : frameTime);
        if (api) {
            api->clear(EClearBuffer::Color | EClearBuffer::Depth);
        }
        scene.draw();
        // Observers may read the frame back: that must happen before the
        // swap, after which the back buffer's contents are undefined; and
        // before anything is drawn over it.
        if (api) {
            for (IFrameObserver* observer : controls.observers) {
                observer->frameDrawn(frame, *api, *window);
            }
            for (IFrameObserver* observer : controls.observers) {
                observer->drawOver(frame, scene, *api, *window);
            }
        }

        const bool lastFrame = controls.lastFrame && frame >= *controls.lastFrame;
        const glm::vec3 camera = scene.cameraPosition();
        stats.refreshTitle(renderer.getTime(), scene.fieldOfView(), camera.x, camera.y, camera.z,
                           lastFrame);
        window->setTitle(stats.title());
        window->swapBuffers();
        renderer.pollEvents();
        for (IFrameObserver* observer : controls.observers) {
            observer->eventsPolled(frame);
        }

        if (window->isKeyPressed(keyFor(EControl::Quit)) || lastFrame ||
            StopSignals::received() != 0) {
            window->setShouldClose(true);
        }
        // The window itself is destroyed only after the scene has shut down:
        // destroying it here would take the GL context with it while meshes
        // still hold buffers and programs to free.
        running = !window->shouldClose();
    }
}

void shutDownFrameLoop(RendererContext& context, IScene& scene) {
    scene.shutdown();
    if (context.window) {
        context.window->destroy();
    }
    if (context.renderer) {
        context.renderer->deinit();
    }
}

} // namespace ox::app
