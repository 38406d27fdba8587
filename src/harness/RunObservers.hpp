#pragma once

#include "app/frame_loop_controls_t.hpp"
#include "harness/ERunObserver.hpp"
#include "harness/FrameCapture.hpp"
#include "harness/InputScript.hpp"
#include "harness/OverlayHook.hpp"
#include "harness/RenderDocCapture.hpp"
#include "harness/RunHarness.hpp"
#include "harness/RunInstruments.hpp"
#include "harness/RunOutputs.hpp"
#include "harness/ScreenshotKey.hpp"
#include "harness/SessionRecorder.hpp"
#include "harness/run_options_t.hpp"

#include <optional>

namespace ox::harness {

// Everything that watches or steers one run from outside its program, built
// from the run's options: its outputs with every file registered, the
// instruments, the recorder, the script, screenshots, captures and the
// overlay, handed to the frame loop in the order of ERunObserver. Owns them
// all; keep it alive, in place, for the whole run. Main thread only.
class RunObservers {
public:
    // `script` is the loaded input file of `options`, if it names one.
    RunObservers(const run_options_t& options, std::optional<InputScript> script);
    RunObservers(const RunObservers&) = delete;
    RunObservers& operator=(const RunObservers&) = delete;

    RunOutputs& outputs() { return runOutputs; }
    // The frame loop's controls for the run, with these as its observers.
    app::frame_loop_controls_t controls();

private:
    run_options_t options;
    RunOutputs runOutputs;
    RunInstruments instruments;
    std::optional<SessionRecorder> recorder;
    std::optional<RunHarness> script;
    ScreenshotKey screenshots;
    std::optional<FrameCapture> captures;
    RenderDocCapture renderdoc;
    std::optional<OverlayHook> overlay;
};

} // namespace ox::harness
