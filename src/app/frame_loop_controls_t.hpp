#pragma once

#include "app/IFrameObserver.hpp"
#include "app/scene_instruments_t.hpp"
#include "renderer/opengl/renderer_options_t.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace ox::app {

// What a run's options change in the frame loop; all empty, the loop follows
// the renderer's clock until the window closes. The loop does not own the
// observers.
struct frame_loop_controls_t {
    // The graph's time is (frame - 1) x this, instead of the renderer's clock.
    std::optional<double> fixedDelta;
    // The loop ends after this frame, as if Escape had been pressed.
    std::optional<std::uint32_t> lastFrame;
    // Called at every step in this order (loopEnded in reverse); the harness
    // writes the order down in one place (harness::ERunObserver).
    std::vector<IFrameObserver*> observers;
    // What the renderer start-up does differently (debug context, vsync).
    renderer::opengl::renderer_options_t renderer;
    // Handed to the scene before it is assembled.
    scene_instruments_t instruments;
};

} // namespace ox::app
