#pragma once

#include "app/IScene.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/frame_loop_controls_t.hpp"

#include <functional>
#include <memory>

namespace ox::app {

// Builds a program's scene once the renderer runs, with whatever start-up
// stage of its own it needs. Returns null after logging one fatal line on
// "main" when that stage fails.
using scene_factory_t =
    std::function<std::unique_ptr<IScene>(const LoggingContext& logging, RendererContext& context)>;

// The program's shell: builds the logging and renderer contexts in order,
// lets the observers of `controls` attach, builds the scene, tells the
// observers the run has started, runs the frame loop and releases everything
// in reverse order. SIGINT and SIGTERM end the run as
// Escape does (StopSignals). Returns the process exit code: 0 after a normal
// end, 1 when a start-up stage failed.
int runProgram(const scene_factory_t& makeScene, const frame_loop_controls_t& controls = {});

} // namespace ox::app
