#pragma once

#include "app/FrameCapture.hpp"
#include "app/InputScript.hpp"
#include "app/RunInstruments.hpp"
#include "app/ScreenshotKey.hpp"
#include "app/SessionRecorder.hpp"

#include <cstdint>
#include <optional>

namespace ox::app {

// What a run's options change in the frame loop; all empty, the loop follows
// the renderer's clock and real input until the window closes. The loop does
// not own the script or the capture.
struct frame_loop_controls_t {
    // The graph's time is (frame - 1) x this, instead of the renderer's clock.
    std::optional<double> fixedDelta;
    // The loop ends after this frame, as if Escape had been pressed.
    std::optional<std::uint32_t> lastFrame;
    InputScript* input = nullptr;
    const FrameCapture* capture = nullptr;
    // Frame timings, GPU timer and stats file; F12 screenshots; the
    // recording of the session's input. None owned.
    RunInstruments* instruments = nullptr;
    ScreenshotKey* screenshots = nullptr;
    SessionRecorder* recorder = nullptr;
};

} // namespace ox::app
