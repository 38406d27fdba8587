#include "harness/RunInstruments.hpp"

#include <limits>
#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;

RunInstruments::RunInstruments(const run_options_t& options)
    : options(options) {
    // Made now so the scene can be given it before it is assembled; it
    // measures only once attach() has started it.
    if (options.gpuTiming) {
        gpuTimer = std::make_shared<GpuTimer>();
    }
}

void RunInstruments::attach(const app::LoggingContext& logging, app::RendererContext& context) {
    log = logging.mainLog;
    renderer = context.renderer;
    const auto api = context.renderer ? context.renderer->getRenderingApi() : nullptr;
    if (options.glDebug && context.renderer) {
        context.renderer->enableDriverMessages();
    }
    screenshots.emplace(log);
    if (context.windowEvents) {
        screenshots->listen(*context.windowEvents);
    }
    if (options.recordFile) {
        std::string error;
        recorder = SessionRecorder::open(*options.recordFile, error);
        if (!recorder) {
            logError("Session not recorded: " + error);
        } else if (context.windowEvents) {
            recorder->listen(*context.windowEvents);
        }
    }
    if (gpuTimer) {
        gpuTiming = gpuTimer->start(api);
        if (!gpuTiming) {
            logError("GPU timing is not available: the context has no timer queries.");
        }
    }
    if (options.statsFile) {
        std::string error;
        stats = StatsFile::open(*options.statsFile, gpuTiming, error);
        if (!stats) {
            logError("Frame statistics not written: " + error);
        }
    }
}

void RunInstruments::beginFrame(std::uint32_t next) {
    // The first frame's scripted events are delivered after this, by the harness.
    if (recorder) {
        recorder->setEventFrame(next);
    }
    const auto owner = renderer.lock();
    const double now = owner ? owner->getTime() : 0.0;
    if (frame != 0) {
        frameEnded(frame, now - frameStart);
    }
    frame = next;
    frameStart = now;
    if (gpuTiming) {
        GpuTimer::frame_times_t ready;
        bool hasReady = false;
        gpuTimer->beginFrame(frame, ready, hasReady);
        if (hasReady) {
            gpuFrame(ready);
        }
    }
}

void RunInstruments::frameDrawn(std::uint32_t drawn, renderer::IRenderingApi& api,
                                const renderer::IRendererWindow& window) {
    if (screenshots && screenshots->isRequested()) {
        screenshots->takeIfRequested(drawn, api, window.getSize());
    }
    if (gpuTiming) {
        gpuTimer->endFrame();
    }
    // What the window reports from now on arrives before the next frame.
    if (recorder) {
        recorder->setEventFrame(drawn + 1);
    }
}

void RunInstruments::frameEnded(std::uint32_t ended, double seconds) {
    frameTimings.addFrame(ended, seconds);
    if (gpuTiming) {
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

void RunInstruments::loopEnded() {
    const auto owner = renderer.lock();
    if (finished || !owner) {
        return;
    }
    finished = true;
    if (frame != 0) {
        frameEnded(frame, owner->getTime() - frameStart);
    }
    if (gpuTiming) {
        gpuTimer->finish([this](const GpuTimer::frame_times_t& times) { gpuFrame(times); });
    }
    if (stats) {
        std::string error;
        if (!stats->close(error)) {
            logError("Frame statistics incomplete: " + error);
        }
        stats.reset();
    }
    if (std::string error; recorder && !recorder->close(error)) {
        logError("Session recording incomplete: " + error);
    }
    // An F12 that came with the last frame's events: that frame is shown
    // already and its buffer undefined, and no other follows.
    if (screenshots) {
        screenshots->reportUntaken(frame);
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

} // namespace ox::harness
