#pragma once

#include "engine/mesh/IRenderGroupObserver.hpp"
#include "harness/FrameTimings.hpp"
#include "renderer/IRenderingApi.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ox::harness {

// GPU time of every frame and of each render group, from GL_TIME_ELAPSED
// queries through the rendering API. Such queries cannot nest, so a frame is
// measured as consecutive segments: the work before the first group, each
// group, the work between and after them; the frame's time is their sum.
// Results are read back `framesInFlight` frames later, when the GPU has long
// finished them, so the CPU never waits for it; a frame whose results are
// still not there by then is handed over without times (NaN), never dropped.
// Main thread with the context current.
class GpuTimer final : public engine::mesh::IRenderGroupObserver {
public:
    static constexpr std::uint32_t framesInFlight = 4;

    struct frame_times_t {
        std::uint32_t frame = 0;
        double seconds = 0.0;
        FrameTimings::group_seconds_t groupSeconds{};
    };
    using Receiver = std::function<void(const frame_times_t&)>;

    GpuTimer();
    ~GpuTimer() override;

    // Creates the queries through `api`; false when the context has no timer
    // to measure with. Until then the timer measures nothing.
    bool start(std::shared_ptr<renderer::IRenderingApi> api);
    bool isStarted() const { return !queries.empty(); }

    // Before the frame's first GL command. Reads back the frame measured
    // `framesInFlight` frames ago into `ready`, with NaN times when its
    // results are not there yet.
    void beginFrame(std::uint32_t frame, frame_times_t& ready, bool& hasReady);
    // After the frame's last GL command, before the buffers swap.
    void endFrame();
    void beforeGroup(std::size_t group) override;
    void afterGroup(std::size_t group) override;

    // At the end of the run: waits for every frame still measured and hands
    // them over, oldest first, then deletes the queries.
    void finish(const Receiver& receive);

private:
    static constexpr std::size_t groupCount = FrameTimings::groupCount;
    // Before the first group, after each group.
    static constexpr std::size_t otherSegments = groupCount + 1;
    static constexpr std::size_t segments = groupCount + otherSegments;

    struct slot_t {
        std::uint32_t frame = 0; // 0: nothing measured in it
        std::array<bool, segments> used{};
    };

    std::uint32_t query(std::size_t slot, std::size_t segment) const;
    void beginSegment(std::size_t segment);
    void endSegment();
    bool collect(std::size_t slot, bool wait, frame_times_t& times);

    std::shared_ptr<renderer::IRenderingApi> api;
    std::vector<std::uint32_t> queries;
    std::array<slot_t, framesInFlight> slots{};
    std::size_t current = 0;
    bool inFrame = false;
    bool segmentOpen = false;
    std::size_t nextOther = 0;
};

} // namespace ox::harness
