#include "harness/RunHarness.hpp"

#include "renderer/IWindowInput.hpp"

#include <utility>

namespace ox::harness {

RunHarness::RunHarness(run_options_t options, std::optional<InputScript> script)
    : options(std::move(options))
    , script(script ? std::make_shared<InputScript>(std::move(*script)) : nullptr) {}

app::frame_loop_controls_t RunHarness::controls() {
    app::frame_loop_controls_t controls;
    controls.fixedDelta = options.fixedDelta;
    controls.lastFrame = options.frames;
    controls.hooks.push_back(this);
    return controls;
}

void RunHarness::attach(const app::LoggingContext& logging, app::RendererContext& context) {
    if (script && context.window) {
        // The window's own input, where its live events enter; a window
        // without one (none of the back end's) gets no scripted input.
        input = std::dynamic_pointer_cast<renderer::IWindowInput>(context.window);
        if (input) {
            input->addInputSource(script);
        }
    }
    if (options.captureDir) {
        capture.emplace(*options.captureDir, options.captureFrames, logging.mainLog);
    }
}

void RunHarness::beginFrame(std::uint32_t frame) {
    // Nothing was polled before the first frame; every later frame's events
    // come with the poll at the end of the frame before.
    if (frame == 1 && input) {
        input->pollInputSources();
    }
}

void RunHarness::eventsPolled(std::uint32_t) {}

void RunHarness::frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                            const renderer::IRendererWindow& mainWindow) {
    if (capture && capture->wants(frame)) {
        capture->capture(frame, api, mainWindow.getSize());
    }
}

} // namespace ox::harness
