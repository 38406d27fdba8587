#include "renderer/RendererEventsDispatcher.hpp"

#include <string_view>
#include <utility>

namespace ox::renderer {

void RendererEventsDispatcher::invokeOnAttachEvent() {
    EventsDispatcherBase::invokeOnAttachEvent();
}

void RendererEventsDispatcher::invokeOnDetachEvent() {
    EventsDispatcherBase::invokeOnDetachEvent();
}

void RendererEventsDispatcher::addOnAttachEventListener(std::function<void()> listener) {
    EventsDispatcherBase::addOnAttachEventListener(std::move(listener));
}

void RendererEventsDispatcher::addOnDetachEventListener(std::function<void()> listener) {
    EventsDispatcherBase::addOnDetachEventListener(std::move(listener));
}

void RendererEventsDispatcher::addOnMessageEventListener(MessageListener listener) {
    messageListeners.add(std::move(listener));
}

void RendererEventsDispatcher::addOnInitEventListener(RendererListener listener) {
    initListeners.add(std::move(listener));
}

void RendererEventsDispatcher::addOnDeinitEventListener(RendererListener listener) {
    deinitListeners.add(std::move(listener));
}

void RendererEventsDispatcher::addOnMonitorInitEventListener(MonitorListener listener) {
    monitorInitListeners.add(std::move(listener));
}

void RendererEventsDispatcher::addOnCreateWindowEventListener(WindowListener listener) {
    createWindowListeners.add(std::move(listener));
}

void RendererEventsDispatcher::addOnDestroyWindowEventListener(WindowListener listener) {
    destroyWindowListeners.add(std::move(listener));
}

void RendererEventsDispatcher::invokeOnMessageEvent(const renderer_message_data_t& data) {
    messageListeners.invoke(data);
}

void RendererEventsDispatcher::invokeOnInitEvent(std::shared_ptr<IRenderer> renderer) {
    initListeners.invoke(renderer);
}

void RendererEventsDispatcher::invokeOnDeinitEvent(std::shared_ptr<IRenderer> renderer) {
    deinitListeners.invoke(renderer);
}

namespace {

// Reported before the listeners run, so an empty pointer is visible in the log
// even when the listeners themselves ignore it. Goes through the virtual call so
// an override of invokeOnMessageEvent sees it as well.
void reportEmptyPointer(IRendererEvents& events, const std::shared_ptr<IRenderer>& renderer,
                        const std::string_view& text) {
    events.invokeOnMessageEvent(
        renderer_message_data_t{.renderer = renderer, .type = MessageTypeError, .message = text});
}

} // namespace

void RendererEventsDispatcher::invokeOnMonitorInitEvent(std::shared_ptr<IRenderer> renderer,
                                                        std::shared_ptr<IMonitor> monitor) {
    if (!monitor) {
        static constexpr std::string_view text =
            "invokeOnMonitorInitEvent() obtained empty shared pointer.";
        reportEmptyPointer(*this, renderer, text);
    }
    monitorInitListeners.invoke(renderer, monitor);
}

void RendererEventsDispatcher::invokeOnCreateWindowEvent(std::shared_ptr<IRenderer> renderer,
                                                         std::shared_ptr<IRendererWindow> window) {
    if (!window) {
        static constexpr std::string_view text =
            "invokeOnCreateWindowEvent() obtained empty shared pointer.";
        reportEmptyPointer(*this, renderer, text);
    }
    createWindowListeners.invoke(renderer, window);
}

void RendererEventsDispatcher::invokeOnDestroyWindowEvent(std::shared_ptr<IRenderer> renderer,
                                                          std::shared_ptr<IRendererWindow> window) {
    if (!window) {
        static constexpr std::string_view text =
            "invokeOnDestroyWindowEvent() obtained empty shared pointer.";
        reportEmptyPointer(*this, renderer, text);
    }
    destroyWindowListeners.invoke(renderer, window);
}

} // namespace ox::renderer
