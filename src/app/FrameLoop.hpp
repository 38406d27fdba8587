#pragma once

#include "app/IScene.hpp"
#include "app/RendererContext.hpp"
#include "app/frame_loop_controls_t.hpp"
#include "renderer/IRenderingApi.hpp"

#include <memory>

namespace ox::app {

// The steps around the frame loop, all on the main thread with the main
// window's context current. `api` is the renderer's rendering API (may be
// empty, then nothing is drawn).

// Clear colour, scene assembly and depth test, before the first frame.
void prepareFrameLoop(RendererContext& context, IScene& scene,
                      const std::shared_ptr<renderer::IRenderingApi>& api);

// Runs frames (update, clear, draw, title, swap, events) until the window is
// asked to close by Escape, by the window system or by a stop signal (see
// StopSignals), or `controls` end the run.
// The observers of `controls` see each frame begin, drawn and its events
// polled; with a
// frame limit, the last frame's title is always rewritten, so the end state
// stays readable in the title.
void runFrameLoop(RendererContext& context, IScene& scene,
                  const std::shared_ptr<renderer::IRenderingApi>& api,
                  const frame_loop_controls_t& controls = {});

// Shuts the scene down while the window and its context still exist, so its
// meshes can free their GL objects, then destroys the window and
// deinitialises the renderer.
void shutDownFrameLoop(RendererContext& context, IScene& scene);

} // namespace ox::app
