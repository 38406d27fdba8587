#include "renderer/EventsDispatcherBase.hpp"

#include <utility>

namespace ox::renderer {

void EventsDispatcherBase::invokeOnAttachEvent() {
    attachListeners.invoke();
}

void EventsDispatcherBase::invokeOnDetachEvent() {
    detachListeners.invoke();
}

void EventsDispatcherBase::addOnAttachEventListener(std::function<void()> listener) {
    attachListeners.add(std::move(listener));
}

void EventsDispatcherBase::addOnDetachEventListener(std::function<void()> listener) {
    detachListeners.add(std::move(listener));
}

} // namespace ox::renderer
