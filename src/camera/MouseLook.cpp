#include "camera/MouseLook.hpp"

#include <fmt/format.h>

#include <cmath>
#include <limits>

namespace ox::camera {

using core::logger::ELogLevel;
using renderer::EInputAction;
using renderer::EInputMouseButton;

void MouseLook::onMouseButton(renderer::IRendererWindow* window, EInputMouseButton button,
                              EInputAction action, core::logger::ILogApi* log) {
    if (button != EInputMouseButton::Button1) {
        return;
    }
    mouseLook = action == EInputAction::Press;
    if (window != nullptr) {
        window->setCursorMode(mouseLook ? renderer::ECursorMode::Disabled
                                        : renderer::ECursorMode::Normal);
    }
    const std::string text = fmt::format("Mouse look {}activated.", mouseLook ? "" : "de");
    if (log != nullptr && log->isEnabled(ELogLevel::Debug)) {
        log->log(ELogLevel::Debug, text);
    }
}

void MouseLook::onCursorPosition(double x, double y, FreeCamera& camera) {
    if (!mouseLook) {
        return;
    }
    // A position no float can hold is skipped as if it had not come: the
    // next turn is measured from the last one that could be held.
    constexpr double largest = std::numeric_limits<float>::max();
    if (!(std::abs(x) <= largest && std::abs(y) <= largest)) {
        return;
    }
    currentCursor = {static_cast<float>(x), static_cast<float>(y)};
    if (!firstCursorEvent && currentCursor != lastCursor) {
        camera.pitch((currentCursor.y - lastCursor.y) / pixelsPerRadian);
        camera.yaw((lastCursor.x - currentCursor.x) / pixelsPerRadian);
    }
    firstCursorEvent = false;
    lastCursor = currentCursor;
}

} // namespace ox::camera
