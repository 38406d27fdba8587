#include "app/FrameLoop.hpp"

#include "app/FrameStatistics.hpp"
#include "renderer/input.hpp"

namespace ox::app {

using renderer::ECapability;
using renderer::EClearBuffer;

void prepareFrameLoop(RendererContext& context, Scene& scene,
                      const std::shared_ptr<renderer::IRenderingApi>& api) {
    if (api) {
        api->clearColor({0.0f, 0.0f, 0.0f, 0.0f});
    }
    scene.assemble(context, api);
    if (api) {
        api->enable(ECapability::DepthTest);
    }
}

void runFrameLoop(RendererContext& context, Scene& scene,
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
        if (controls.recorder) {
            controls.recorder->setEventFrame(frame);
        }
        if (controls.instruments) {
            controls.instruments->frameStarted(frame, frameTime);
        }
        if (controls.input && context.windowEvents) {
            controls.input->dispatch(frame, *context.windowEvents, window);
        }
        // Frame n is computed as if (n - 1) fixed steps had passed since the
        // first; multiplying rather than summing keeps every frame's time
        // free of accumulated rounding.
        scene.update(controls.fixedDelta ? static_cast<double>(frame - 1) * *controls.fixedDelta
                                         : frameTime);
        if (controls.instruments) {
            controls.instruments->beforeDraw();
        }
        if (api) {
            api->clear(EClearBuffer::Color | EClearBuffer::Depth);
        }
        scene.draw();
        // Read back before the swap: afterwards the back buffer's contents
        // are undefined.
        if (controls.capture && api && controls.capture->wants(frame)) {
            controls.capture->capture(frame, *api, window->getSize());
        }
        if (controls.screenshots && api && controls.screenshots->isRequested()) {
            controls.screenshots->takeIfRequested(frame, *api, window->getSize());
        }

        const bool lastFrame = controls.lastFrame && frame >= *controls.lastFrame;
        const glm::vec3 camera = scene.cameraPosition();
        stats.refreshTitle(renderer.getTime(), scene.fieldOfView(), camera.x, camera.y, camera.z,
                           lastFrame);
        window->setTitle(stats.title());
        if (controls.instruments) {
            controls.instruments->beforeSwap();
        }
        window->swapBuffers();
        // What the window reports now arrives before the next frame.
        if (controls.recorder) {
            controls.recorder->setEventFrame(frame + 1);
        }
        renderer.pollEvents();

        if (window->isKeyPressed(renderer::EInputKey::Escape) ||
            (controls.input && controls.input->isKeyHeld(renderer::EInputKey::Escape)) ||
            lastFrame) {
            window->setShouldClose(true);
        }
        // The window itself is destroyed only after the scene has shut down:
        // destroying it here would take the GL context with it while meshes
        // still hold buffers and programs to free.
        running = !window->shouldClose();
    }
}

void shutDownFrameLoop(RendererContext& context, Scene& scene) {
    scene.shutdown();
    if (context.window) {
        context.window->destroy();
    }
    if (context.renderer) {
        context.renderer->deinit();
    }
}

} // namespace ox::app
