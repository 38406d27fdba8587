#pragma once

#include <cstddef>

namespace ox::engine::mesh {

// Told by the mesh register where each render group's drawing begins and
// ends, for instruments that measure the groups (GPU timers). Both calls come
// for every group in every render pass, empty groups included. Main thread
// only, inside the pass.
struct IRenderGroupObserver {
    virtual void beforeGroup(std::size_t group) = 0;
    virtual void afterGroup(std::size_t group) = 0;
    virtual ~IRenderGroupObserver() = default;
};

} // namespace ox::engine::mesh
