#pragma once

#include "renderer/input.hpp"

#include <cstdint>

namespace ox::renderer {

// Something drawn over the scene (a debug overlay) that takes the mouse
// button and wheel events aimed at it, so that a click or a wheel step on it
// does not also turn or zoom the camera. The window's events dispatcher asks
// it first about each such event; a taken event reaches no listener. Cursor
// movement is never taken. Main thread only.
struct IPointerCapture {
    virtual ~IPointerCapture() = default;
    virtual bool takesMouseButton(EInputMouseButton button, EInputAction action,
                                  std::uint16_t mods) = 0;
    virtual bool takesScroll(double xOffset, double yOffset) = 0;
};

} // namespace ox::renderer
