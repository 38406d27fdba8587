#pragma once

#include "harness/DurationHistogram.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace ox::harness {

// Frame times of a run, from the renderer's clock, and the GPU times of each
// frame and render group where they are measured; writes the end-of-run line.
// The first frame is left out of the figures: it carries the start-up (shader
// compilation, first uploads). Fixed memory; adding allocates nothing.
class FrameTimings {
public:
    static constexpr std::size_t groupCount = 3;
    using group_seconds_t = std::array<double, groupCount>;
    // How many of the latest frames are kept one by one, for a live graph.
    static constexpr std::size_t recentCount = 300;
    // Milliseconds of the latest frames in a ring: `recentFrameMs()[recentStart()]`
    // is the oldest of the `recentFrames()` kept, the rest follow, wrapping.
    using recent_ms_t = std::array<float, recentCount>;

    void addFrame(std::uint32_t frame, double seconds);
    // `seconds` NaN: the frame's GPU time never came back; it is counted.
    void addGpuFrame(std::uint32_t frame, double seconds, const group_seconds_t& groups);

    // "600 frames; frame time without the first: mean 16.667 ms, median ...,
    // 95th percentile ..., 99th percentile ..., longest ... ms", then, when
    // GPU times were measured, the GPU time per frame and per render group
    // (mean and 99th percentile), and "no GPU time for 3 of 600 frames" when
    // some frames went without one.
    std::string summary(std::uint32_t frames) const;

    const DurationHistogram& frameTimes() const { return cpu; }
    const DurationHistogram& gpuFrameTimes() const { return gpu; }
    const DurationHistogram& gpuGroupTimes(std::size_t group) const { return gpuGroups[group]; }

    const recent_ms_t& recentFrameMs() const { return recentMs; }
    std::size_t recentStart() const { return recentFrames() < recentCount ? 0 : recentNext; }
    std::size_t recentFrames() const { return std::min(recentAdded, recentCount); }
    // The GPU times of the latest frame measured, when one was.
    double lastGpuSeconds() const { return lastGpu; }
    const group_seconds_t& lastGpuGroupSeconds() const { return lastGroups; }

private:
    recent_ms_t recentMs{};
    std::size_t recentNext = 0;
    std::size_t recentAdded = 0;
    double lastGpu = 0.0;
    group_seconds_t lastGroups{};
    DurationHistogram cpu;
    DurationHistogram gpu;
    std::array<DurationHistogram, groupCount> gpuGroups;
    std::uint32_t withoutGpu = 0;
};

} // namespace ox::harness
