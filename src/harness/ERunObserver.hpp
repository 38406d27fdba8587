#pragma once

#include <cstddef>
#include <cstdint>

namespace ox::harness {

// The order in which a run's observers see every step of a frame (and, in
// reverse, its end), written once. A new observer is one more line here, in
// the place its reasons give it.
enum class ERunObserver : std::uint8_t {
    // First: it lets files be created once the start succeeded, before
    // anyone writes; last to end, it closes them after every last write.
    Outputs,
    // A frame's GPU measure begins before anything else sends GL commands
    // for it and ends before the read-backs below, which are not the frame's.
    Timings,
    // It must know which frame events belong to before the script delivers
    // them.
    Recorder,
    Script,
    Screenshots,
    Captures,
    // After the read-backs, whose GL calls are not the frame's, and before
    // the overlay, which a capture leaves out like every read-back.
    RenderDoc,
    // Last, and first to end: it draws over each frame in a step of its own
    // after every read-back above (drawOver), so that captures and
    // screenshots hold the scene alone.
    Overlay,
};

inline constexpr std::size_t runObserverCount = static_cast<std::size_t>(ERunObserver::Overlay) + 1;

} // namespace ox::harness
