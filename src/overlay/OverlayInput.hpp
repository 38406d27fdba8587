#pragma once

#include "renderer/IPointerCapture.hpp"
#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <cstdint>

struct ImGuiIO;

namespace ox::overlay {

// The pointer as the overlay sees it, fed by the window's events dispatcher
// like every other listener. A button pressed over the panel, and its
// release, and a wheel step over the panel are the overlay's: the dispatcher
// does not pass them on to the scene. While a button pressed elsewhere is
// held (a mouse-look drag) the overlay takes nothing and ImGui sees no
// pointer. Main thread only.
class OverlayInput : public renderer::IPointerCapture {
public:
    // Registers the cursor listener; the dispatcher shares `self`.
    static void listen(const std::shared_ptr<OverlayInput>& self,
                       renderer::RendererWindowEventsDispatcher& events);

    // The panel's rectangle in window pixels; an empty one (the overlay
    // hidden) takes no new press or wheel step.
    void setPanel(float left, float top, float right, float bottom);

    bool takesMouseButton(renderer::EInputMouseButton button, renderer::EInputAction action,
                          std::uint16_t mods) override;
    bool takesScroll(double xOffset, double yOffset) override;

    // Before ImGui::NewFrame: the pointer, the buttons (a press and release
    // within one frame still counts as a click) and the wheel since the last
    // frame.
    void feed(ImGuiIO& io);

private:
    bool overPanel() const;

    double cursorX = -1.0;
    double cursorY = -1.0;
    float panelLeft = 0.0f;
    float panelTop = 0.0f;
    float panelRight = 0.0f;
    float panelBottom = 0.0f;
    // One bit per button, Button1 in bit 0.
    std::uint32_t panelButtons = 0;
    std::uint32_t sceneButtons = 0;
    std::uint32_t pressedSinceFrame = 0;
    float wheel = 0.0f;
};

} // namespace ox::overlay
