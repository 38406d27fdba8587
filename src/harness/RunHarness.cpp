#include "harness/RunHarness.hpp"

#include "harness/ScriptedWindow.hpp"

#include <utility>

namespace ox::harness {

RunHarness::RunHarness(run_options_t options, std::optional<InputScript> script)
    : options(std::move(options))
    , script(std::move(script)) {}

app::frame_loop_controls_t RunHarness::controls() {
    app::frame_loop_controls_t controls;
    controls.fixedDelta = options.fixedDelta;
    controls.lastFrame = options.frames;
    controls.hooks.push_back(this);
    return controls;
}

void RunHarness::attach(const app::LoggingContext& logging, app::RendererContext& context) {
    if (script && context.window) {
        events = context.windowEvents;
        window = context.window;
        context.window = std::make_shared<ScriptedWindow>(window, *script);
    }
    if (options.captureDir) {
        capture.emplace(*options.captureDir, options.captureFrames, logging.mainLog);
    }
}

void RunHarness::beginFrame(std::uint32_t frame) {
    // Nothing was polled before the first frame.
    if (frame == 1 && script && events) {
        script->dispatch(frame, *events, window);
    }
}

void RunHarness::eventsPolled(std::uint32_t frame) {
    if (script && events) {
        script->dispatch(frame + 1, *events, window);
    }
}

void RunHarness::frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                            const renderer::IRendererWindow& mainWindow) {
    if (capture && capture->wants(frame)) {
        capture->capture(frame, api, mainWindow.getSize());
    }
}

} // namespace ox::harness
