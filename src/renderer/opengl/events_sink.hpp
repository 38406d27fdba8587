#pragma once

#include <memory>

namespace ox::renderer::opengl {

// Attaching and detaching an events sink works the same for the renderer and
// its windows. A local copy keeps the sink alive while its listeners run: a
// listener may drop the owner's last reference to it.
//
// `detaching` is the owner's flag for a detach in progress. A detach listener
// that detaches the same owner again returns at once: the sink is already on
// its way out, and going round again would call the detach listeners until the
// stack ran out.

// Sets a flag for the lifetime of the scope. Used by owners to turn a call
// that a listener makes from inside that same call into a no-op.
class ReentryScope {
public:
    explicit ReentryScope(bool& flag)
        : flag(flag) {
        flag = true;
    }
    ~ReentryScope() { flag = false; }
    ReentryScope(const ReentryScope&) = delete;
    ReentryScope& operator=(const ReentryScope&) = delete;

private:
    bool& flag;
};

template <typename Sink>
void detachEventsSink(std::shared_ptr<Sink>& slot, bool& detaching) {
    if (!slot || detaching) {
        return;
    }
    const ReentryScope scope{detaching};
    const std::shared_ptr<Sink> sink = slot;
    sink->invokeOnDetachEvent();
    // A detach listener may already have attached another sink; keep that one.
    if (slot == sink) {
        slot.reset();
    }
}

template <typename Sink>
void attachEventsSink(std::shared_ptr<Sink>& slot, std::shared_ptr<Sink> sink, bool& detaching) {
    detachEventsSink(slot, detaching);
    slot = std::move(sink);
    if (slot) {
        const std::shared_ptr<Sink> attached = slot;
        attached->invokeOnAttachEvent();
    }
}

} // namespace ox::renderer::opengl
