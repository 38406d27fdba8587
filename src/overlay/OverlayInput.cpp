#include "overlay/OverlayInput.hpp"

#include <imgui.h>

#include <cfloat>

namespace ox::overlay {

using renderer::EInputAction;
using renderer::EInputMouseButton;

namespace {

// Button1 to Button8 as bits 0 to 7; 0 for anything else.
std::uint32_t bitOf(EInputMouseButton button) {
    const auto index = static_cast<std::int32_t>(button) - 1;
    return index >= 0 && index < 8 ? 1u << index : 0u;
}

} // namespace

void OverlayInput::listen(const std::shared_ptr<OverlayInput>& self,
                          renderer::RendererWindowEventsDispatcher& events) {
    events.addOnCursorPositionEventListener(
        [self](std::shared_ptr<renderer::IRendererWindow>, double x, double y) {
            self->cursorX = x;
            self->cursorY = y;
        });
    events.setPointerCapture(self);
}

void OverlayInput::setPanel(float left, float top, float right, float bottom) {
    panelLeft = left;
    panelTop = top;
    panelRight = right;
    panelBottom = bottom;
}

bool OverlayInput::overPanel() const {
    return sceneButtons == 0 && cursorX >= panelLeft && cursorX < panelRight &&
           cursorY >= panelTop && cursorY < panelBottom;
}

bool OverlayInput::takesMouseButton(EInputMouseButton button, EInputAction action, std::uint16_t) {
    const std::uint32_t bit = bitOf(button);
    if (bit == 0) {
        return false;
    }
    if (action == EInputAction::Press) {
        if (overPanel()) {
            panelButtons |= bit;
            pressedSinceFrame |= bit;
            return true;
        }
        sceneButtons |= bit;
        return false;
    }
    // A release (or a repeat) belongs where its press went.
    const bool panel = (panelButtons & bit) != 0;
    if (action == EInputAction::Release) {
        panelButtons &= ~bit;
        sceneButtons &= ~bit;
    }
    return panel;
}

bool OverlayInput::takesScroll(double, double yOffset) {
    if (!overPanel()) {
        return false;
    }
    wheel += static_cast<float>(yOffset);
    return true;
}

void OverlayInput::feed(ImGuiIO& io) {
    io.MousePos = sceneButtons == 0
                      ? ImVec2(static_cast<float>(cursorX), static_cast<float>(cursorY))
                      : ImVec2(-FLT_MAX, -FLT_MAX);
    for (int index = 0; index < 5; ++index) {
        const std::uint32_t bit = 1u << index;
        io.MouseDown[index] = ((panelButtons | pressedSinceFrame) & bit) != 0;
    }
    pressedSinceFrame = 0;
    io.MouseWheel = wheel;
    wheel = 0.0f;
}

} // namespace ox::overlay
