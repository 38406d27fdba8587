#include "harness/FrameTimings.hpp"

#include <fmt/format.h>

#include <cmath>

namespace ox::harness {

namespace {

double ms(double seconds) {
    return seconds * 1000.0;
}

} // namespace

void FrameTimings::addFrame(std::uint32_t frame, double seconds) {
    if (frame > 1) {
        cpu.add(seconds);
        recentMs[recentNext] = static_cast<float>(ms(seconds));
        recentNext = (recentNext + 1) % recentCount;
        ++recentAdded;
    }
}

void FrameTimings::addGpuFrame(std::uint32_t frame, double seconds, const group_seconds_t& groups) {
    // The first frame's missing time counts too: its CSV row lacks it as well.
    if (std::isnan(seconds)) {
        ++withoutGpu;
        return;
    }
    if (frame <= 1) {
        return;
    }
    gpu.add(seconds);
    lastGpu = seconds;
    lastGroups = groups;
    for (std::size_t group = 0; group < groupCount; ++group) {
        gpuGroups[group].add(groups[group]);
    }
}

std::string FrameTimings::summary(std::uint32_t frames) const {
    std::string line =
        fmt::format("{} frame{}; frame time without the first: ", frames, frames == 1 ? "" : "s");
    if (cpu.count() == 0) {
        line += "no frame to measure";
    } else {
        line += fmt::format("mean {:.3f} ms, median {:.3f} ms, 95th percentile {:.3f} ms, 99th "
                            "percentile {:.3f} ms, longest {:.3f} ms",
                            ms(cpu.mean()), ms(cpu.percentile(0.5)), ms(cpu.percentile(0.95)),
                            ms(cpu.percentile(0.99)), ms(cpu.longest()));
    }
    if (gpu.count() != 0) {
        line += fmt::format("; GPU time per frame: mean {:.3f} ms, 99th percentile {:.3f} ms",
                            ms(gpu.mean()), ms(gpu.percentile(0.99)));
        for (std::size_t group = 0; group < groupCount; ++group) {
            const DurationHistogram& times = gpuGroups[group];
            line += fmt::format("; render group {}: mean {:.3f} ms, 99th percentile {:.3f} ms",
                                group, ms(times.mean()), ms(times.percentile(0.99)));
        }
    }
    // A frame without a GPU time still has its row in the CSV, with the GPU
    // fields empty; the line says how many there were.
    if (withoutGpu != 0) {
        line += fmt::format("; no GPU time for {} of {} frame{}", withoutGpu, frames,
                            frames == 1 ? "" : "s");
    }
    line += '.';
    return line;
}

} // namespace ox::harness
