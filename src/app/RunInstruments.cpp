#include "app/RunInstruments.hpp"

#include <limits>
#include <utility>

namespace ox::app {

using core::logger::ELogLevel;

RunInstruments::RunInstruments(std::shared_ptr<core::logger::ILogApi> mainLog)
    : log(std::move(mainLog)) {}

void RunInstruments::setStatsFile(std::unique_ptr<StatsFile> file) {
    stats = std::move(file);
}

void RunInstruments::setGpuTimer(std::shared_ptr<GpuTimer> timer) {
    gpuTimer = std::move(timer);
}

void RunInstruments::frameStarted(std::uint32_t next, double now) {
    if (frame != 0) {
        frameEnded(frame, now - frameStart);
    }
    frame = next;
    frameStart = now;
}

void RunInstruments::beforeDraw() {
    if (gpuTimer) {
        GpuTimer::frame_times_t ready;
        bool hasReady = false;
        gpuTimer->beginFrame(frame, ready, hasReady);
        if (hasReady) {
            gpuFrame(ready);
        }
    }
}

void RunInstruments::beforeSwap() {
    if (gpuTimer) {
        gpuTimer->endFrame();
    }
}

void RunInstruments::frameEnded(std::uint32_t ended, double seconds) {
    frameTimings.addFrame(ended, seconds);
    if (gpuTimer) {
        // The row waits for the frame's GPU times.
        cpuSeconds[ended % pendingFrames] = seconds;
    } else {
        writeRow(ended, seconds, 0.0, {});
    }
}

void RunInstruments::gpuFrame(const GpuTimer::frame_times_t& times) {
    frameTimings.addGpuFrame(times.frame, times.seconds, times.groupSeconds);
    // Frames come back a few frames late, never later than `pendingFrames`.
    const double seconds = frame - times.frame < pendingFrames
                               ? cpuSeconds[times.frame % pendingFrames]
                               : std::numeric_limits<double>::quiet_NaN();
    writeRow(times.frame, seconds, times.seconds, times.groupSeconds);
}

void RunInstruments::writeRow(std::uint32_t row, double seconds, double gpuSeconds,
                              const FrameTimings::group_seconds_t& groups) {
    if (stats && !stats->writeRow(row, seconds, gpuSeconds, groups)) {
        std::string error;
        stats->close(error);
        logError("Frame statistics stopped: " + error);
        stats.reset();
    }
}

void RunInstruments::finish(double now) {
    if (finished) {
        return;
    }
    finished = true;
    if (frame != 0) {
        frameEnded(frame, now - frameStart);
    }
    if (gpuTimer) {
        gpuTimer->finish([this](const GpuTimer::frame_times_t& times) { gpuFrame(times); });
    }
    if (stats) {
        std::string error;
        if (!stats->close(error)) {
            logError("Frame statistics incomplete: " + error);
        }
        stats.reset();
    }
    const std::string line = frameTimings.summary(frame);
    if (log != nullptr && log->isEnabled(ELogLevel::Info)) {
        log->log(ELogLevel::Info, line);
    }
}

void RunInstruments::logError(const std::string& text) {
    if (log != nullptr && log->isEnabled(ELogLevel::Error)) {
        log->log(ELogLevel::Error, text);
    }
}

} // namespace ox::app
