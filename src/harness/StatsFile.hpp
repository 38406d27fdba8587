#pragma once

#include "harness/FrameTimings.hpp"
#include "harness/OutputFile.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace ox::harness {

// The per-frame CSV of --stats: a header, then one row per frame, "frame,
// frame_ms" or, with GPU times, "frame,frame_ms,gpu_frame_ms,
// gpu_group0_ms,gpu_group1_ms,gpu_group2_ms". Rows are formatted on the stack
// and collected in the output file's buffer, so a row costs neither an
// allocation nor a system call. Main thread only.
class StatsFile {
public:
    ~StatsFile();
    StatsFile(const StatsFile&) = delete;
    StatsFile& operator=(const StatsFile&) = delete;

    // Creates or empties the file and writes the header; nothing, with a
    // one-line reason in `error`, when it cannot.
    static std::unique_ptr<StatsFile> open(const std::filesystem::path& path, bool withGpu,
                                           std::string& error);

    // `gpu` is ignored for a file without GPU columns; NaN times are written
    // as empty fields. False, with the reason kept for close(), once a write
    // has failed; later rows are dropped.
    bool writeRow(std::uint32_t frame, double frameSeconds, double gpuFrameSeconds = 0.0,
                  const FrameTimings::group_seconds_t& gpuGroupSeconds = {});
    // Writes what is buffered and closes the file; false with the reason in
    // `error` when anything could not be written.
    bool close(std::string& error);

    const std::filesystem::path& path() const { return file->path(); }

private:
    StatsFile(std::unique_ptr<OutputFile> file, bool withGpu);

    std::unique_ptr<OutputFile> file;
    bool withGpu = false;
};

} // namespace ox::harness
