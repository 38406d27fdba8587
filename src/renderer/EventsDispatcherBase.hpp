#pragma once

#include "renderer/IEventDispatcherBase.hpp"
#include "renderer/ListenerList.hpp"

#include <functional>

namespace ox::renderer {

// Attach and detach listeners shared by both dispatchers. A dispatcher may be
// attached to several objects at once; each attach and detach runs the
// matching listeners once. Main thread only.
class EventsDispatcherBase : public IEventDispatcherBase {
public:
    void invokeOnAttachEvent() override;
    void invokeOnDetachEvent() override;
    void addOnAttachEventListener(std::function<void()> listener) override;
    void addOnDetachEventListener(std::function<void()> listener) override;
    virtual ~EventsDispatcherBase() = default;

private:
    ListenerList<void()> attachListeners;
    ListenerList<void()> detachListeners;
};

} // namespace ox::renderer
