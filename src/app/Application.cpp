#include "app/Application.hpp"

#include "app/CommandLine.hpp"
#include "app/FrameCapture.hpp"
#include "app/FrameLoop.hpp"
#include "app/GpuTimer.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/RunInstruments.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"
#include "app/ScreenshotKey.hpp"
#include "app/SessionRecorder.hpp"
#include "app/StatsFile.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ox::app {

namespace {

void logError(const LoggingContext& logging, const std::string& text) {
    if (logging.mainLog && logging.mainLog->isEnabled(core::logger::ELogLevel::Error)) {
        logging.mainLog->log(core::logger::ELogLevel::Error, text);
    }
}

// The instruments asked for on the command line that need the window, its
// context or the assembled scene. Each one that cannot work is one error
// line and the run goes on without it.
void setUpInstruments(const run_options_t& options, const LoggingContext& logging,
                      const RendererContext& context, Scene& scene,
                      const std::shared_ptr<renderer::IRenderingApi>& api,
                      RunInstruments& instruments, ScreenshotKey& screenshots,
                      std::unique_ptr<SessionRecorder>& recorder) {
    if (context.windowEvents) {
        screenshots.listen(*context.windowEvents);
    }
    if (options.recordFile) {
        std::string error;
        recorder = SessionRecorder::open(*options.recordFile, error);
        if (!recorder) {
            logError(logging, "Session not recorded: " + error);
        } else if (context.windowEvents) {
            recorder->listen(*context.windowEvents);
        }
    }
    bool gpuTiming = false;
    if (options.gpuTiming) {
        auto timer = std::make_shared<GpuTimer>(api);
        if (timer->start()) {
            instruments.setGpuTimer(timer);
            scene.setRenderGroupObserver(timer);
            gpuTiming = true;
        } else {
            logError(logging, "GPU timing is not available: the context has no timer queries.");
        }
    }
    if (options.statsFile) {
        std::string error;
        auto stats = StatsFile::open(*options.statsFile, gpuTiming, error);
        if (!stats) {
            logError(logging, "Frame statistics not written: " + error);
        }
        instruments.setStatsFile(std::move(stats));
    }
}

} // namespace

int runApplication(const run_options_t& options, InputScript* input) {
    int exitCode = 1;
    std::vector<std::string> memoryLog;
    {
        LoggingContext logging;
        if (setupLogging(memoryLog, logging)) {
            RendererContext rendererContext;
            renderer_options_t rendererOptions;
            rendererOptions.debugContext = options.glDebug;
            rendererOptions.vsync = options.vsync;
            if (setupRenderer(logging, rendererContext, rendererOptions)) {
                SceneContext sceneContext;
                if (setupSceneGraph(logging, rendererContext, sceneContext)) {
                    {
                        const std::shared_ptr<renderer::IRenderingApi> api =
                            rendererContext.renderer->getRenderingApi();
                        Scene scene(logging, sceneContext);
                        scene.setScriptedKeys(input);
                        scene.setDebugAnnotations(options.glDebug);
                        if (options.glDebug) {
                            rendererContext.renderer->enableDriverMessages();
                        }
                        std::optional<FrameCapture> capture;
                        if (options.captureDir) {
                            capture.emplace(*options.captureDir, options.captureFrames,
                                            logging.mainLog);
                        }
                        frame_loop_controls_t controls;
                        controls.fixedDelta = options.fixedDelta;
                        controls.lastFrame = options.frames;
                        controls.input = input;
                        controls.capture = capture ? &*capture : nullptr;
                        prepareFrameLoop(rendererContext, scene, api);

                        RunInstruments instruments(logging.mainLog);
                        ScreenshotKey screenshots(logging.mainLog);
                        std::unique_ptr<SessionRecorder> recorder;
                        setUpInstruments(options, logging, rendererContext, scene, api, instruments,
                                         screenshots, recorder);
                        controls.instruments = &instruments;
                        controls.screenshots = &screenshots;
                        controls.recorder = recorder.get();
                        runFrameLoop(rendererContext, scene, api, controls);
                        // The end-of-run line comes before shut-down, whose
                        // lines stay the last of the log.
                        instruments.finish(rendererContext.renderer->getTime());
                        if (std::string error; recorder && !recorder->close(error)) {
                            logError(logging, "Session recording incomplete: " + error);
                        }
                        shutDownFrameLoop(rendererContext, scene);
                        // The scene's meshes, then the API go here, before
                        // the contexts.
                    }
                    exitCode = 0;
                }
                releaseSceneGraph(sceneContext);
            }
            // A renderer left initialised by a failed later stage shuts down
            // as this releases it.
            releaseRenderer(rendererContext);
        }
        releaseLogging(logging);
    }
    return exitCode;
}

int launchApplication(std::span<const std::string_view> arguments) {
    const CommandLine commandLine = CommandLine::parse(arguments);
    const auto refuse = [](const std::string& reason) {
        std::fprintf(stderr, "vexel: %s\n", reason.c_str());
        return 2;
    };
    switch (commandLine.outcome) {
    case CommandLine::EOutcome::Help:
        std::fputs(CommandLine::usage(), stdout);
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
    return runApplication(options, input ? &*input : nullptr);
}

} // namespace ox::app
