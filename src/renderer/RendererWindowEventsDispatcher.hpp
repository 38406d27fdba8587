#pragma once

#include "renderer/EventsDispatcherBase.hpp"
#include "renderer/IPointerCapture.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IRendererWindowEventsDispatcher.hpp"
#include "renderer/ListenerList.hpp"

#include <cstdint>
#include <functional>
#include <memory>

namespace ox::renderer {

// Fans window events out to the listeners the application registered, in
// registration order. Create with std::make_shared; the window factory attaches
// it to every window it creates. Arguments are passed on unchecked. Main thread
// only (window events arrive during IRenderer::pollEvents).
class RendererWindowEventsDispatcher : public IRendererWindowEventsDispatcher,
                                       public IRendererWindowEvents,
                                       public EventsDispatcherBase {
public:
    // One implementation of attach/detach, whichever interface it is reached through.
    void invokeOnAttachEvent() override;
    void invokeOnDetachEvent() override;
    void addOnAttachEventListener(std::function<void()> listener) override;
    void addOnDetachEventListener(std::function<void()> listener) override;

    void addOnCloseEventListener(CloseListener listener) override;
    void addOnResizeEventListener(ResizeListener listener) override;
    void addOnKeyEventListener(KeyListener listener) override;
    void addOnMouseButtonEventListener(MouseButtonListener listener) override;
    void addOnCursorPositionEventListener(CursorPositionListener listener) override;
    void addOnScrollEventListener(ScrollListener listener) override;

    // Mouse button and wheel events go to `capture` first and on to the
    // listeners only when it does not take them; empty, every event reaches
    // them. One at a time: setting another replaces it.
    void setPointerCapture(std::shared_ptr<IPointerCapture> capture);

    void invokeOnCloseEvent(std::shared_ptr<IRendererWindow> window) override;
    void invokeOnResizeEvent(std::shared_ptr<IRendererWindow> window,
                             const dimension_t& size) override;
    void invokeOnKeyEvent(std::shared_ptr<IRendererWindow> window, EInputKey key,
                          std::int32_t scancode, EInputAction action, std::uint16_t mods) override;
    void invokeOnMouseButtonEvent(std::shared_ptr<IRendererWindow> window, EInputMouseButton button,
                                  EInputAction action, std::uint16_t mods) override;
    void invokeOnCursorPositionEvent(std::shared_ptr<IRendererWindow> window, double x,
                                     double y) override;
    void invokeOnScrollEvent(std::shared_ptr<IRendererWindow> window, double xOffset,
                             double yOffset) override;

private:
    std::shared_ptr<IPointerCapture> pointerCapture;
    ListenerList<void(std::shared_ptr<IRendererWindow>)> closeListeners;
    ListenerList<void(std::shared_ptr<IRendererWindow>, const dimension_t&)> resizeListeners;
    ListenerList<void(std::shared_ptr<IRendererWindow>, EInputKey, std::int32_t, EInputAction,
                      std::uint16_t)>
        keyListeners;
    ListenerList<void(std::shared_ptr<IRendererWindow>, EInputMouseButton, EInputAction,
                      std::uint16_t)>
        mouseButtonListeners;
    ListenerList<void(std::shared_ptr<IRendererWindow>, double, double)> cursorPositionListeners;
    ListenerList<void(std::shared_ptr<IRendererWindow>, double, double)> scrollListeners;
};

} // namespace ox::renderer
