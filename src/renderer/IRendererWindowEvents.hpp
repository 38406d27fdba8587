#pragma once

#include "renderer/IAttachableEventsMonitor.hpp"
#include "renderer/dimension_t.hpp"
#include "renderer/input.hpp"

#include <cstdint>
#include <memory>

namespace ox::renderer {

struct IRendererWindow;

// The sink a window reports to (usually a RendererWindowEventsDispatcher). Calls
// arrive on the main thread during IRenderer::pollEvents.
struct IRendererWindowEvents : IAttachableEventsMonitor {
    // The window is closing (close request or destruction).
    virtual void invokeOnCloseEvent(std::shared_ptr<IRendererWindow> window) = 0;
    // New client size.
    virtual void invokeOnResizeEvent(std::shared_ptr<IRendererWindow> window,
                                     const dimension_t& size) = 0;
    // mods holds the Mod* bits of input.hpp.
    virtual void invokeOnKeyEvent(std::shared_ptr<IRendererWindow> window, EInputKey key,
                                  std::int32_t scancode, EInputAction action,
                                  std::uint16_t mods) = 0;
    virtual void invokeOnMouseButtonEvent(std::shared_ptr<IRendererWindow> window,
                                          EInputMouseButton button, EInputAction action,
                                          std::uint16_t mods) = 0;
    virtual void invokeOnCursorPositionEvent(std::shared_ptr<IRendererWindow> window, double x,
                                             double y) = 0;
    virtual void invokeOnScrollEvent(std::shared_ptr<IRendererWindow> window, double xOffset,
                                     double yOffset) = 0;

protected:
    ~IRendererWindowEvents() = default;
};

} // namespace ox::renderer
