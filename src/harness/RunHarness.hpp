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
// goes in through the main window's events dispatcher and a window that
// answers for scripted keys, the captures come out through the checked
// read-back. A script's events for frame n arrive where the window's own
// events for it do, right after the poll at the end of frame n - 1 (those
// of frame 1 before the first frame), so a replayed session ends and draws
// exactly as the live one it was recorded from. Keep it alive for the whole
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
    std::optional<InputScript> script;
    std::optional<FrameCapture> capture;
    // The dispatcher the script's events go to, and the real window they
    // come from, as a real event would.
    std::shared_ptr<renderer::IRendererWindowEvents> events;
    std::shared_ptr<renderer::IRendererWindow> window;
};

} // namespace ox::harness
