#pragma once

#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRenderingApi.hpp"

#include <cstdint>

namespace ox::app {

// Something that watches or steers a run from outside the scene: it sees the
// renderer context once before the scene is built, the start of every frame,
// every drawn frame before it is shown, and the end of every frame's event
// polling.
// Frames count from 1. Main thread only.
struct IRunHook {
    virtual ~IRunHook() = default;

    virtual void attach(const LoggingContext& logging, RendererContext& context) = 0;
    // Before the frame's update.
    virtual void beginFrame(std::uint32_t frame) = 0;
    // After the frame's draw and before the swap, when the back buffer holds
    // the frame; `window` is the main window.
    virtual void frameDrawn(std::uint32_t frame, renderer::IRenderingApi& api,
                            const renderer::IRendererWindow& window) = 0;
    // After the window's events at the end of the frame were delivered (input
    // from a script among them, through the window's input) and before the
    // loop asks for Escape.
    virtual void eventsPolled(std::uint32_t frame) = 0;
    // After the last frame, before shut-down, while the context still exists.
    virtual void loopEnded() = 0;
};

} // namespace ox::app
