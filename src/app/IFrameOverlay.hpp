#pragma once

#include "app/IScene.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRenderingApi.hpp"

#include <cstdint>

namespace ox::app {

// Something drawn over every frame of a run (a debug overlay). The frame loop
// draws it after the hooks have seen the frame and before the swap, so that
// captures and screenshots hold the scene alone. Frames count from 1; main
// thread with the window's context current.
struct IFrameOverlay {
    virtual ~IFrameOverlay() = default;

    // `scene` has just been drawn; `window` is the main window.
    virtual void drawOver(std::uint32_t frame, const IScene& scene, renderer::IRenderingApi& api,
                          const renderer::IRendererWindow& window) = 0;
};

} // namespace ox::app
