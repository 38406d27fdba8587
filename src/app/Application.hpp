#pragma once

#include "app/frame_loop_controls_t.hpp"

#include <span>
#include <string_view>

namespace ox::app {

// The demo: the shell's logging and renderer stages, then the scene graph and
// the demo scene, the frame loop, and everything released in reverse order.
// Returns the process exit code: 0 after a normal end, 1 when a start-up
// stage failed.
int runApplication(const frame_loop_controls_t& controls = {});

// The demo from its command line (without the program name), under the run
// harness: see harness::launch.
int launchApplication(std::span<const std::string_view> arguments);

} // namespace ox::app
