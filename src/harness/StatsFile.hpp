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
// allocation nor a system call. The file is not owned: the run's outputs
// (RunOutputs) create and close it. Main thread only.
class StatsFile {
public:
    StatsFile(const StatsFile&) = delete;
    StatsFile& operator=(const StatsFile&) = delete;

    // Writes the header into `file`, which must outlive the StatsFile.
    StatsFile(OutputFile& file, bool withGpu);

    // `gpu` is ignored for a file without GPU columns; NaN times are written
    // as empty fields. False, with the reason kept for the file's close(),
    // once a write has failed; later rows are dropped.
    bool writeRow(std::uint32_t frame, double frameSeconds, double gpuFrameSeconds = 0.0,
                  const FrameTimings::group_seconds_t& gpuGroupSeconds = {});

private:
    OutputFile& file;
    bool withGpu = false;
};

} // namespace ox::harness
