#include "harness/StatsFile.hpp"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <string_view>

namespace ox::harness {

namespace {

// Milliseconds with microsecond resolution; empty for a time not measured.
char* appendMs(char* out, char* end, double seconds) {
    if (out >= end) {
        return out;
    }
    *out++ = ',';
    if (std::isnan(seconds)) {
        return out;
    }
    return fmt::format_to_n(out, static_cast<std::size_t>(end - out), "{:.3f}", seconds * 1000.0)
        .out;
}

} // namespace

StatsFile::StatsFile(OutputFile& file, bool withGpu)
    : file(file)
    , withGpu(withGpu) {
    file.write(withGpu ? "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,gpu_group2_ms\n"
                       : "frame,frame_ms\n");
}

bool StatsFile::writeRow(std::uint32_t frame, double frameSeconds, double gpuFrameSeconds,
                         const FrameTimings::group_seconds_t& gpuGroupSeconds) {
    // Seven fields of at most a few dozen characters each.
    std::array<char, 256> row;
    char* const end = row.data() + row.size() - 1;
    char* out = fmt::format_to_n(row.data(), row.size() / 2, "{}", frame).out;
    out = appendMs(out, end, frameSeconds);
    if (withGpu) {
        out = appendMs(out, end, gpuFrameSeconds);
        for (const double group : gpuGroupSeconds) {
            out = appendMs(out, end, group);
        }
    }
    *out++ = '\n';
    return file.write(std::string_view(row.data(), static_cast<std::size_t>(out - row.data())));
}

} // namespace ox::harness
