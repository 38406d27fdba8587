#pragma once

namespace ox::renderer {

struct IWindowInput;

// Input that does not come from the window system (a script, a replayed
// session): asked once each time the window's events are polled, it hands
// what arrived since the last poll to the window's input, which treats it
// exactly as the window system's own events. Owned by the window it feeds.
// Main thread only.
struct IInputSource {
    virtual ~IInputSource() = default;

    virtual void poll(IWindowInput& input) = 0;
};

} // namespace ox::renderer
