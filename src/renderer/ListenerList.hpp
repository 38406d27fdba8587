#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace ox::renderer {

// The listeners of one event, called in registration order.
//
// An invocation calls the listeners that were registered when it began. A
// listener may register further listeners (on this list or any other) while it
// runs; those wait in `pending` until the outermost invocation of this list has
// returned, because appending to `listeners` could reallocate it and destroy the
// very function object that is running. Empty functions are not kept: calling
// one would throw std::bad_function_call from inside the window system's event
// processing.
//
// Not thread-safe; used on the main thread only.
template <typename Signature>
class ListenerList;

template <typename... Args>
class ListenerList<void(Args...)> {
public:
    using Listener = std::function<void(Args...)>;

    void add(Listener listener) {
        if (!listener) {
            return;
        }
        if (depth > 0) {
            pending.push_back(std::move(listener));
        } else {
            listeners.push_back(std::move(listener));
        }
    }

    template <typename... CallArgs>
    void invoke(CallArgs&&... args) {
        const DepthGuard guard{*this};
        const std::size_t count = listeners.size();
        for (std::size_t index = 0; index < count; ++index) {
            // Each listener receives its own copies of by-value arguments, so
            // nothing is forwarded (moved) here.
            listeners[index](args...);
        }
    }

    std::size_t size() const { return listeners.size() + pending.size(); }

private:
    struct DepthGuard {
        ListenerList& list;
        explicit DepthGuard(ListenerList& owner)
            : list(owner) {
            ++list.depth;
        }
        ~DepthGuard() {
            if (--list.depth == 0 && !list.pending.empty()) {
                for (auto& listener : list.pending) {
                    list.listeners.push_back(std::move(listener));
                }
                list.pending.clear();
            }
        }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
    };

    std::vector<Listener> listeners;
    std::vector<Listener> pending;
    int depth = 0;
};

} // namespace ox::renderer
