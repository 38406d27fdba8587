#include "harness/RunInstruments.hpp"

#include <limits>
#include <utility>

namespace ox::harness {

using core::logger::ELogLevel;

RunInstruments::RunInstruments(const run_options_t& options, RunOutputs& outputs)
    : options(options)
    , outputs(outputs) {
    // Made now so the scene can be given it before it is assembled; it
    // measures only once attach() has started it.
    if (options.gpuTiming) {
        gpuTimer = std::make_shared<GpuTimer>();
    }
}

void RunInstruments::attach(const app::LoggingContext& logging,
                            const app::RendererContext& context) {
    log = logging.mainLog;
    renderer = context.renderer;
    const auto api = context.renderer ? context.renderer->getRenderingApi() : nullptr;
    if (options.glDebug && context.renderer) {
        context.renderer->enableDriverMessages();
    }
    if (gpuTimer) {
        gpuTiming = gpuTimer->start(api);
        if (!gpuTiming) {
            logError("GPU timing is not available: the context has no timer queries.");
        }
    }
}

void RunInstruments::started() {
    if (OutputFile* file = outputs.open(output_kinds::stats)) {
        stats.emplace(*file, gpuTiming);
    }
}

void RunInstruments::beginFrame(std::uint32_t next) {
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

void RunInstruments::frameDrawn(std::uint32_t, renderer::IRenderingApi&,
                                const renderer::IRendererWindow&) {
    if (gpuTiming) {
        gpuTimer->endFrame();
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
    // The file keeps its first failure, which the run's outputs report at the end.
    if (stats && !stats->writeRow(row, seconds, gpuSeconds, groups)) {
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
    stats.reset();
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
