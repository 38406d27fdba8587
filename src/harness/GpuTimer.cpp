#include "harness/GpuTimer.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace ox::harness {

using renderer::EQueryTarget;

GpuTimer::GpuTimer() = default;

GpuTimer::~GpuTimer() = default;

bool GpuTimer::start(std::shared_ptr<renderer::IRenderingApi> renderingApi) {
    if (!renderingApi || isStarted()) {
        return isStarted();
    }
    api = std::move(renderingApi);
    if (api->queryCounterBits(EQueryTarget::TimeElapsed) <= 0) {
        return false;
    }
    queries = api->genQueries(framesInFlight * segments);
    if (queries.size() != framesInFlight * segments ||
        std::find(queries.begin(), queries.end(), 0u) != queries.end()) {
        api->deleteQueries(queries);
        queries.clear();
    }
    return isStarted();
}

std::uint32_t GpuTimer::query(std::size_t slot, std::size_t segment) const {
    return queries[slot * segments + segment];
}

void GpuTimer::beginSegment(std::size_t segment) {
    slots[current].used[segment] = true;
    api->beginQuery(EQueryTarget::TimeElapsed, query(current, segment));
    segmentOpen = true;
}

void GpuTimer::endSegment() {
    if (segmentOpen) {
        api->endQuery(EQueryTarget::TimeElapsed);
        segmentOpen = false;
    }
}

void GpuTimer::beginFrame(std::uint32_t frame, frame_times_t& ready, bool& hasReady) {
    hasReady = false;
    if (!isStarted()) {
        return;
    }
    endFrame();
    current = frame % framesInFlight;
    slot_t& slot = slots[current];
    if (slot.frame != 0) {
        // The slot is needed now: a frame still being measured goes without
        // its times rather than unreported.
        if (!collect(current, false, ready)) {
            ready.frame = slot.frame;
            ready.seconds = std::numeric_limits<double>::quiet_NaN();
            ready.groupSeconds.fill(ready.seconds);
        }
        hasReady = true;
    }
    slot = slot_t{};
    slot.frame = frame;
    inFrame = true;
    nextOther = 0;
    beginSegment(groupCount + nextOther++);
}

void GpuTimer::endFrame() {
    endSegment();
    inFrame = false;
}

void GpuTimer::beforeGroup(std::size_t group) {
    if (!inFrame || group >= groupCount || slots[current].used[group]) {
        return;
    }
    endSegment();
    beginSegment(group);
}

void GpuTimer::afterGroup(std::size_t group) {
    if (!inFrame || group >= groupCount) {
        return;
    }
    endSegment();
    if (nextOther < otherSegments) {
        beginSegment(groupCount + nextOther++);
    }
}

bool GpuTimer::collect(std::size_t index, bool wait, frame_times_t& times) {
    const slot_t& slot = slots[index];
    if (!wait) {
        for (std::size_t segment = 0; segment < segments; ++segment) {
            if (slot.used[segment] && !api->isQueryResultAvailable(query(index, segment))) {
                return false;
            }
        }
    }
    times = frame_times_t{};
    times.frame = slot.frame;
    for (std::size_t segment = 0; segment < segments; ++segment) {
        if (!slot.used[segment]) {
            continue;
        }
        const double seconds =
            static_cast<double>(api->getQueryResult(query(index, segment))) * 1e-9;
        times.seconds += seconds;
        if (segment < groupCount) {
            times.groupSeconds[segment] = seconds;
        }
    }
    return true;
}

void GpuTimer::finish(const Receiver& receive) {
    if (!isStarted()) {
        return;
    }
    endFrame();
    std::array<std::size_t, framesInFlight> order{};
    for (std::size_t index = 0; index < framesInFlight; ++index) {
        order[index] = index;
    }
    std::sort(order.begin(), order.end(),
              [this](std::size_t a, std::size_t b) { return slots[a].frame < slots[b].frame; });
    for (const std::size_t index : order) {
        frame_times_t times;
        if (slots[index].frame != 0 && collect(index, true, times) && receive) {
            receive(times);
        }
        slots[index] = slot_t{};
    }
    api->deleteQueries(queries);
    queries.clear();
}

} // namespace ox::harness
