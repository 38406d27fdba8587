#pragma once

namespace ox::renderer {

// The notification side of attaching an events sink to a renderer or window.
// Main thread only. Never deleted through this interface.
struct IAttachableEventsMonitor {
    // The sink has been attached to a renderer or window.
    virtual void invokeOnAttachEvent() = 0;
    // The sink has been detached.
    virtual void invokeOnDetachEvent() = 0;

protected:
    ~IAttachableEventsMonitor() = default;
};

} // namespace ox::renderer
