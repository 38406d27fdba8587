#include "harness/StatsFile.hpp"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

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

StatsFile::StatsFile(std::unique_ptr<OutputFile> file, bool withGpu)
    : file(std::move(file))
    , withGpu(withGpu) {}

StatsFile::~StatsFile() = default;

std::unique_ptr<StatsFile> StatsFile::open(const std::filesystem::path& path, bool withGpu,
                                           std::string& error) {
    std::unique_ptr<OutputFile> file = OutputFile::open(path, error);
    if (!file) {
        return nullptr;
    }
    const char* header = withGpu ? "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,"
                                   "gpu_group2_ms\n"
                                 : "frame,frame_ms\n";
    if (!file->write(header)) {
        error = path.string() + ": cannot be written";
        return nullptr;
    }
    return std::unique_ptr<StatsFile>(new StatsFile(std::move(file), withGpu));
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
    return file->write(std::string_view(row.data(), static_cast<std::size_t>(out - row.data())));
}

bool StatsFile::close(std::string& error) {
    return file->close(error);
}

} // namespace ox::harness
