#include "harness/Launch.hpp"

#include "app/LoggingContext.hpp"
#include "harness/CommandLine.hpp"
#include "harness/FrameCapture.hpp"
#include "harness/InputScript.hpp"
#include "harness/OutputFile.hpp"
#include "harness/OverlayHook.hpp"
#include "harness/RenderDocCapture.hpp"
#include "harness/RenderDocLibrary.hpp"
#include "harness/RunHarness.hpp"
#include "harness/RunInstruments.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ox::harness {

namespace {

namespace fs = std::filesystem;

// A file the command line names, or the log, and whether the run writes it.
struct named_file_t {
    std::string option;
    fs::path path;
    bool written = true;
};

// Two names of one file: hard links too, or, for a file not there yet, the
// same place however spelled. A device (/dev/null) takes any number of writers.
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code code;
    if (fs::exists(a, code) && fs::exists(b, code)) {
        return fs::equivalent(a, b, code) && fs::is_regular_file(a, code);
    }
    const auto place = [](const fs::path& path) {
        std::error_code error;
        const fs::path absolute = fs::absolute(path, error);
        const fs::path resolved = fs::weakly_canonical(absolute, error);
        return error ? absolute.lexically_normal() : resolved;
    };
    return place(a) == place(b);
}

} // namespace

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
    // Nothing the run writes may land on a file it reads or writes already.
    // Captures are distinct names in one folder: not compared among themselves.
    std::vector<named_file_t> files{{"the log file", app::logFilePath, false}};
    if (options.inputFile) {
        files.push_back({"--input", *options.inputFile, false});
    }
    if (options.statsFile) {
        files.push_back({"--stats", *options.statsFile});
    }
    if (options.recordFile) {
        files.push_back({"--record", *options.recordFile});
    }
    if (options.captureDir) {
        const FrameCapture captures(*options.captureDir, options.captureFrames, nullptr);
        for (const std::uint32_t frame : options.captureFrames) {
            files.push_back({"--capture", captures.fileFor(frame)});
        }
    }
    for (auto file = files.begin(); file != files.end(); ++file) {
        for (auto other = files.begin(); file->written && other != file; ++other) {
            const bool captures = file->option == "--capture" && other->option == "--capture";
            if (!captures && sameFile(file->path, other->path)) {
                return refuse(file->option + " " + file->path.string() + ": is the same file as " +
                              other->option + " " + other->path.string());
            }
        }
    }
    // Files the run will write are only checked here: they are created once
    // the renderer has started, so a start that fails leaves them as they were.
    for (const named_file_t& file : files) {
        std::string error;
        if (file.written && file.option != "--capture" && !OutputFile::check(file.path, error)) {
            return refuse(file.option + " " + error);
        }
    }
    if (options.captureDir) {
        std::string error;
        if (!FrameCapture::prepareDirectory(*options.captureDir, error)) {
            return refuse("--capture " + error);
        }
    }
    RunHarness harness(options, std::move(input));
    RunInstruments instruments(options);
    app::frame_loop_controls_t controls = harness.controls();
    // First: the recorder must know the frame before scripted events arrive.
    controls.hooks.insert(controls.hooks.begin(), &instruments);
    controls.instruments = instruments.sceneInstruments();
    // Captures are read by their debug groups; RenderDoc put here from
    // outside (renderdoccmd capture) asks for them as much as --renderdoc.
    controls.instruments.debugAnnotations |=
        options.renderdoc || RenderDocLibrary::entryPoint() != nullptr;
    // Before the overlay, which captures leave out like every read-back.
    RenderDocCapture renderdoc(options);
    controls.hooks.push_back(&renderdoc);
    // Last: it draws over the frame the other hooks have seen.
    std::optional<OverlayHook> overlay;
    if (options.overlay) {
        overlay.emplace(instruments.timings());
        controls.hooks.push_back(&*overlay);
        controls.overlay = &*overlay;
    }
    controls.renderer.debugContext = options.glDebug;
    controls.renderer.vsync = options.vsync;
    controls.renderer.headless = options.headless;
    controls.renderer.eglDevice = options.eglDevice;
    return program(controls);
}

} // namespace ox::harness
