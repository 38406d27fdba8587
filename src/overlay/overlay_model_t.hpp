#pragma once

#include "core/logger/impl/RecentLinesWriter.hpp"
#include "engine/shader/ReloadableProgram.hpp"

#include <glm/vec3.hpp>

#include <cstddef>
#include <cstdint>
#include <span>

namespace ox::overlay {

// What the debug overlay shows in one frame: views of figures that others
// own (the run's frame timings, the scene's camera, the live shader programs,
// the recent log lines), filled anew before every frame it draws. Nothing
// here is owned; everything must outlive the frame.
struct overlay_model_t {
    // Milliseconds of the latest frames, a ring: `recentCount` values from
    // index `recentStart`, wrapping at the end of `recentMs`.
    std::span<const float> recentMs;
    std::size_t recentStart = 0;
    std::size_t recentCount = 0;
    // The run's frames measured so far (the first left out) and their figures.
    std::uint64_t runFrames = 0;
    double runMedianMs = 0.0;
    double runP99Ms = 0.0;
    // GPU time of the latest frame measured and of each of its render
    // groups; `gpuTiming` false when the run measures none.
    bool gpuTiming = false;
    double gpuFrameMs = 0.0;
    std::span<const double> gpuGroupSeconds;

    glm::vec3 cameraPosition{0.0f};
    glm::vec3 cameraForward{0.0f};
    float fieldOfView = 0.0f;

    std::span<const engine::shader::ReloadableProgram* const> programs;
    const core::logger::impl::RecentLinesWriter* log = nullptr;
};

} // namespace ox::overlay
