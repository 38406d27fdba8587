#pragma once

#include "app/IRunHook.hpp"
#include "app/frame_loop_controls_t.hpp"
#include "harness/FrameCapture.hpp"
#include "harness/InputScript.hpp"
#include "harness/run_options_t.hpp"

#include <memory>
#include <optional>

namespace ox::harness {

// A run steered by its options from outside the program: the scripted input
// goes in as an input source of the main window, the captures come out
// through the checked read-back. A script's events for frame n arrive with
// the window's own events for it, in the poll at the end of frame n - 1
// (those of frame 1 before the first frame), so a replayed session ends and
// draws exactly as the live one it was recorded from. Keep it alive for the whole
// run. Main thread only.
class RunHarness : public app::IRunHook {
public:
    // `script` is the loaded input file of `options`, if it names one.
    RunHarness(run_options_t options, std::optional<InputScript> script);

    // The frame loop's controls for this run, with this harness as a hook.
    app::frame_loop_controls_t controls();

    void attach(const app::LoggingContext& logging, app::RendererContext& context) override;
    void beginFrame(std::uint32_t frame) override;
    void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                    const renderer::IRendererWindow& window) override;
    void eventsPolled(std::uint32_t frame) override;
    void loopEnded() override {}

private:
    run_options_t options;
    std::shared_ptr<InputScript> script;
    std::optional<FrameCapture> capture;
    // The main window's input, which the script feeds.
    std::shared_ptr<renderer::IWindowInput> input;
};

} // namespace ox::harness
