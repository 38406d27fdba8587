#pragma once

#include "camera/FreeCamera.hpp"
#include "core/logger/ILogApi.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/input.hpp"

#include <glm/vec2.hpp>

namespace ox::camera {

// Turning the camera with the mouse while the left button is held. The scene
// owns one and forwards the window's mouse-button and cursor events to it.
// Main thread only.
class MouseLook {
public:
    // Pixels of cursor movement per radian of turn.
    static constexpr float pixelsPerRadian = 300.0f;

    // True while the left button is held.
    bool mouseLook = false;
    glm::vec2 lastCursor{0.0f, 0.0f};
    glm::vec2 currentCursor{0.0f, 0.0f};
    // Cleared by the first cursor event seen while mouse look is on, never set
    // again: that event only records where the cursor is.
    bool firstCursorEvent = true;

    // The left button switches mouse look on when pressed and off on any other
    // action; the window's cursor is captured while it is on (when there is a
    // window), and the switch is logged on `log` (when there is one) at debug
    // level. Other buttons are ignored.
    void onMouseButton(renderer::IRendererWindow* window, renderer::EInputMouseButton button,
                       renderer::EInputAction action, core::logger::ILogApi* log);

    // While mouse look is on, turns `camera` by the cursor's movement since the
    // last event: down pitches up, right yaws right. A position beyond the
    // float range (or not a number) is ignored.
    void onCursorPosition(double x, double y, FreeCamera& camera);
};

} // namespace ox::camera
