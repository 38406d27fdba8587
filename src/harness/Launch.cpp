#include "harness/Launch.hpp"

#include "harness/CommandLine.hpp"
#include "harness/FrameCapture.hpp"
#include "harness/InputScript.hpp"
#include "harness/OverlayHook.hpp"
#include "harness/RunHarness.hpp"
#include "harness/RunInstruments.hpp"
#include "harness/SessionRecorder.hpp"
#include "harness/StatsFile.hpp"

#include <cstdio>
#include <optional>
#include <string>

namespace ox::harness {

int launch(std::string_view name, std::span<const std::string_view> arguments,
           const program_t& program) {
    const CommandLine commandLine = CommandLine::parse(arguments);
    const auto refuse = [name](const std::string& reason) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(name.size()), name.data(),
                     reason.c_str());
        return 2;
    };
    switch (commandLine.outcome) {
    case CommandLine::EOutcome::Help:
        std::fputs(CommandLine::usage(name).c_str(), stdout);
        return 0;
    case CommandLine::EOutcome::Error:
        return refuse(commandLine.error);
    case CommandLine::EOutcome::Run:
        break;
    }
    const run_options_t& options = commandLine.options;
    std::optional<InputScript> input;
    if (options.inputFile) {
        std::string error;
        input = InputScript::load(*options.inputFile, error);
        if (!input) {
            return refuse("--input " + error);
        }
    }
    if (options.captureDir) {
        std::string error;
        if (!FrameCapture::prepareDirectory(*options.captureDir, error)) {
            return refuse("--capture " + error);
        }
    }
    // Files the run will write are tried now, before a window opens; the
    // run creates them afresh.
    if (options.statsFile) {
        std::string error;
        if (!StatsFile::open(*options.statsFile, false, error)) {
            return refuse("--stats " + error);
        }
    }
    if (options.recordFile) {
        std::string error;
        if (!SessionRecorder::open(*options.recordFile, error)) {
            return refuse("--record " + error);
        }
    }
    RunHarness harness(options, std::move(input));
    RunInstruments instruments(options);
    app::frame_loop_controls_t controls = harness.controls();
    // First: the recorder must know the frame before scripted events arrive.
    controls.hooks.insert(controls.hooks.begin(), &instruments);
    // Last: it draws over the frame the other hooks have seen.
    std::optional<OverlayHook> overlay;
    if (options.overlay) {
        overlay.emplace(instruments.timings());
        controls.hooks.push_back(&*overlay);
        controls.overlay = &*overlay;
    }
    controls.renderer.debugContext = options.glDebug;
    controls.renderer.vsync = options.vsync;
    return program(controls);
}

} // namespace ox::harness
