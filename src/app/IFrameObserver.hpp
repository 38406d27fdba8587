#pragma once

#include "app/IScene.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRenderingApi.hpp"

#include <cstdint>

namespace ox::app {

// Something that watches or steers a run from outside the scene: an
// instrument, the scripted input, captures, screenshots, the recorder, an
// overlay. Each step has an empty default, so an observer spells out only
// the steps it takes part in. The shell calls the observers in the order of
// frame_loop_controls_t::observers, except loopEnded, which goes in reverse,
// so that the first to start is the last to end. Observers share the
// renderer context read-only: none may put anything of its own in it.
// Frames count from 1. Main thread only.
struct IFrameObserver {
    virtual ~IFrameObserver() = default;

    // Once the renderer runs, before the scene is built, so that listeners
    // registered here hear the window's events before the scene's.
    virtual void attach(const LoggingContext& logging, const RendererContext& context) {
        (void)logging;
        (void)context;
    }
    // Once the scene has been built: the start succeeded, and files the run
    // writes may be created now. Not called after a failed start.
    virtual void started() {}
    // Before the frame's update.
    virtual void beginFrame(std::uint32_t frame) { (void)frame; }
    // After the frame's draw and before the swap, when the back buffer holds
    // the frame; `window` is the main window.
    virtual void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                            const renderer::IRendererWindow& window) {
        (void)frame;
        (void)api;
        (void)window;
    }
    // After every observer's frameDrawn and before the swap: something drawn
    // over the frame (a debug overlay) that the read-backs must not hold.
    virtual void drawOver(std::uint32_t frame, const IScene& scene, renderer::IRenderingApi& api,
                          const renderer::IRendererWindow& window) {
        (void)frame;
        (void)scene;
        (void)api;
        (void)window;
    }
    // After the window's events at the end of the frame were delivered and
    // before the loop asks for Escape: input from elsewhere (a script) that
    // belongs before the next frame arrives here, where real input does.
    virtual void eventsPolled(std::uint32_t frame) { (void)frame; }
    // After the last frame, before shut-down, while the context still exists.
    virtual void loopEnded() {}
};

} // namespace ox::app
