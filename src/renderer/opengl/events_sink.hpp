#pragma once

#include <memory>

namespace ox::renderer::opengl {

// Attaching and detaching an events sink works the same for the renderer and
// its windows. A local copy keeps the sink alive while its listeners run: a
// listener may drop the owner's last reference to it.

template <typename Sink>
void detachEventsSink(std::shared_ptr<Sink>& slot) {
    if (!slot) {
        return;
    }
    const std::shared_ptr<Sink> sink = slot;
    sink->invokeOnDetachEvent();
    // A detach listener may already have attached another sink; keep that one.
    if (slot == sink) {
        slot.reset();
    }
}

template <typename Sink>
void attachEventsSink(std::shared_ptr<Sink>& slot, std::shared_ptr<Sink> sink) {
    detachEventsSink(slot);
    slot = std::move(sink);
    if (slot) {
        const std::shared_ptr<Sink> attached = slot;
        attached->invokeOnAttachEvent();
    }
}

} // namespace ox::renderer::opengl
