#pragma once

#include "renderer/input.hpp"

#include <cstdint>
#include <memory>

namespace ox::renderer {

struct IInputSource;

// The one way input enters a window, whatever sends it: the window system's
// callbacks, an input source polled with the window's events, or a headless
// window's script. Each call updates the window's key state (what
// isKeyPressed answers) and forwards the event to the window's attached
// events sink. Implemented by every window of the OpenGL back end; found on
// an IRendererWindow with dynamic_cast. Main thread only.
struct IWindowInput {
    virtual void inputKey(EInputKey key, std::int32_t scancode, EInputAction action,
                          std::uint16_t mods) = 0;
    virtual void inputMouseButton(EInputMouseButton button, EInputAction action,
                                  std::uint16_t mods) = 0;
    virtual void inputCursorPosition(double x, double y) = 0;
    virtual void inputScroll(double xOffset, double yOffset) = 0;

    // Polled, in the order added, each time the window's events are polled
    // (IRenderer::pollEvents), after the window system's own events.
    virtual void addInputSource(std::shared_ptr<IInputSource> source) = 0;
    // Polls the sources once now; for the frame before the first poll.
    virtual void pollInputSources() = 0;

protected:
    ~IWindowInput() = default;
};

} // namespace ox::renderer
