#pragma once

#include "renderer/IAttachableEventsMonitor.hpp"

#include <functional>

namespace ox::renderer {

// Registration of attach/detach listeners, shared by both dispatchers. Listeners
// run in registration order and live as long as the dispatcher; there is no
// removal. Main thread only.
struct IEventDispatcherBase : IAttachableEventsMonitor {
    virtual void addOnAttachEventListener(std::function<void()> listener) = 0;
    virtual void addOnDetachEventListener(std::function<void()> listener) = 0;

protected:
    ~IEventDispatcherBase() = default;
};

} // namespace ox::renderer
