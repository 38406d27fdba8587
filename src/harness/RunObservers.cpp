#include "harness/RunObservers.hpp"

#include "app/LoggingContext.hpp"
#include "harness/RenderDocLibrary.hpp"

#include <array>
#include <utility>

namespace ox::harness {

RunObservers::RunObservers(const run_options_t& runOptions, std::optional<InputScript> input)
    : options(runOptions)
    , instruments(options, runOutputs)
    , renderdoc(options) {
    // Written first, so that a written output is named before the file it
    // would land on: the log and the script are never written by the run.
    runOutputs.add(output_kinds::log, app::logFilePath);
    if (options.inputFile) {
        runOutputs.add(output_kinds::input, *options.inputFile);
    }
    if (options.statsFile) {
        runOutputs.add(output_kinds::stats, *options.statsFile);
    }
    if (options.recordFile) {
        runOutputs.add(output_kinds::record, *options.recordFile);
        recorder.emplace(runOutputs);
    }
    if (input) {
        script.emplace(std::move(*input));
    }
    if (options.captureDir) {
        captures.emplace(*options.captureDir, options.captureFrames);
        for (const std::uint32_t frame : options.captureFrames) {
            runOutputs.add(output_kinds::capture, captures->fileFor(frame));
        }
        runOutputs.add(output_kinds::captureFolder, *options.captureDir);
    }
    runOutputs.add(output_kinds::screenshots, ScreenshotKey::directory);
    if (options.overlay) {
        overlay.emplace(instruments.timings());
    }
}

app::frame_loop_controls_t RunObservers::controls() {
    std::array<app::IFrameObserver*, runObserverCount> slots{};
    const auto put = [&slots](ERunObserver slot, app::IFrameObserver* observer) {
        slots[static_cast<std::size_t>(slot)] = observer;
    };
    put(ERunObserver::Outputs, &runOutputs);
    put(ERunObserver::Timings, &instruments);
    put(ERunObserver::Recorder, recorder ? &*recorder : nullptr);
    put(ERunObserver::Script, script ? &*script : nullptr);
    put(ERunObserver::Screenshots, &screenshots);
    put(ERunObserver::Captures, captures ? &*captures : nullptr);
    put(ERunObserver::RenderDoc, &renderdoc);
    put(ERunObserver::Overlay, overlay ? &*overlay : nullptr);

    app::frame_loop_controls_t controls;
    for (app::IFrameObserver* observer : slots) {
        if (observer != nullptr) {
            controls.observers.push_back(observer);
        }
    }
    controls.fixedDelta = options.fixedDelta;
    controls.lastFrame = options.frames;
    controls.instruments = instruments.sceneInstruments();
    // Captures are read by their debug groups; RenderDoc put here from
    // outside (renderdoccmd capture) asks for them as much as --renderdoc.
    controls.instruments.debugAnnotations |=
        options.renderdoc || RenderDocLibrary::entryPoint() != nullptr;
    controls.renderer.debugContext = options.glDebug;
    controls.renderer.vsync = options.vsync;
    controls.renderer.headless = options.headless;
    controls.renderer.device = options.device;
    return controls;
}

} // namespace ox::harness
