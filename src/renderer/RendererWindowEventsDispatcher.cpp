#include "renderer/RendererWindowEventsDispatcher.hpp"

#include <utility>

namespace ox::renderer {

void RendererWindowEventsDispatcher::invokeOnAttachEvent() {
    EventsDispatcherBase::invokeOnAttachEvent();
}

void RendererWindowEventsDispatcher::invokeOnDetachEvent() {
    EventsDispatcherBase::invokeOnDetachEvent();
}

void RendererWindowEventsDispatcher::addOnAttachEventListener(std::function<void()> listener) {
    EventsDispatcherBase::addOnAttachEventListener(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnDetachEventListener(std::function<void()> listener) {
    EventsDispatcherBase::addOnDetachEventListener(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnCloseEventListener(CloseListener listener) {
    closeListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnResizeEventListener(ResizeListener listener) {
    resizeListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnKeyEventListener(KeyListener listener) {
    keyListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnMouseButtonEventListener(MouseButtonListener listener) {
    mouseButtonListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnCursorPositionEventListener(
    CursorPositionListener listener) {
    cursorPositionListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::addOnScrollEventListener(ScrollListener listener) {
    scrollListeners.add(std::move(listener));
}

void RendererWindowEventsDispatcher::setPointerCapture(std::shared_ptr<IPointerCapture> capture) {
    pointerCapture = std::move(capture);
}

void RendererWindowEventsDispatcher::invokeOnCloseEvent(std::shared_ptr<IRendererWindow> window) {
    closeListeners.invoke(window);
}

void RendererWindowEventsDispatcher::invokeOnResizeEvent(std::shared_ptr<IRendererWindow> window,
                                                         const dimension_t& size) {
    resizeListeners.invoke(window, size);
}

void RendererWindowEventsDispatcher::invokeOnKeyEvent(std::shared_ptr<IRendererWindow> window,
                                                      EInputKey key, std::int32_t scancode,
                                                      EInputAction action, std::uint16_t mods) {
    keyListeners.invoke(window, key, scancode, action, mods);
}

void RendererWindowEventsDispatcher::invokeOnMouseButtonEvent(
    std::shared_ptr<IRendererWindow> window, EInputMouseButton button, EInputAction action,
    std::uint16_t mods) {
    if (pointerCapture && pointerCapture->takesMouseButton(button, action, mods)) {
        return;
    }
    mouseButtonListeners.invoke(window, button, action, mods);
}

void RendererWindowEventsDispatcher::invokeOnCursorPositionEvent(
    std::shared_ptr<IRendererWindow> window, double x, double y) {
    cursorPositionListeners.invoke(window, x, y);
}

void RendererWindowEventsDispatcher::invokeOnScrollEvent(std::shared_ptr<IRendererWindow> window,
                                                         double xOffset, double yOffset) {
    if (pointerCapture && pointerCapture->takesScroll(xOffset, yOffset)) {
        return;
    }
    scrollListeners.invoke(window, xOffset, yOffset);
}

} // namespace ox::renderer
