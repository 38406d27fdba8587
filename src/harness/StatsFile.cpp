#include "harness/StatsFile.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <cmath>
#include <cstring>
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

StatsFile::StatsFile(std::filesystem::path path, std::FILE* stream, bool withGpu)
    : file(std::move(path))
    , stream(stream)
    , withGpu(withGpu)
    , buffer(std::make_unique<std::array<char, 1 << 16>>()) {
    std::setvbuf(stream, buffer->data(), _IOFBF, buffer->size());
}

StatsFile::~StatsFile() {
    std::string ignored;
    close(ignored);
}

std::unique_ptr<StatsFile> StatsFile::open(const std::filesystem::path& path, bool withGpu,
                                           std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = path.string() + ": is a directory";
        return nullptr;
    }
    std::FILE* stream = std::fopen(path.c_str(), "w");
    if (stream == nullptr) {
        error = path.string() + ": cannot be written (" + std::strerror(errno) + ")";
        return nullptr;
    }
    std::unique_ptr<StatsFile> stats(new StatsFile(path, stream, withGpu));
    const char* header = withGpu ? "frame,frame_ms,gpu_frame_ms,gpu_group0_ms,gpu_group1_ms,"
                                   "gpu_group2_ms\n"
                                 : "frame,frame_ms\n";
    if (std::fputs(header, stream) == EOF) {
        error = path.string() + ": cannot be written";
        return nullptr;
    }
    return stats;
}

bool StatsFile::writeRow(std::uint32_t frame, double frameSeconds, double gpuFrameSeconds,
                         const FrameTimings::group_seconds_t& gpuGroupSeconds) {
    if (stream == nullptr || !failure.empty()) {
        return false;
    }
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
    const auto size = static_cast<std::size_t>(out - row.data());
    if (std::fwrite(row.data(), 1, size, stream) != size) {
        failure = std::strerror(errno);
        return false;
    }
    return true;
}

bool StatsFile::close(std::string& error) {
    if (stream == nullptr) {
        return true;
    }
    if (std::fflush(stream) != 0 && failure.empty()) {
        failure = std::strerror(errno);
    }
    if (std::fclose(stream) != 0 && failure.empty()) {
        failure = std::strerror(errno);
    }
    stream = nullptr;
    if (!failure.empty()) {
        error = file.string() + ": " + failure;
        return false;
    }
    return true;
}

} // namespace ox::harness
