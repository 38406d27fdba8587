#include "app/Application.hpp"

#include "app/CommandLine.hpp"
#include "app/FrameCapture.hpp"
#include "app/FrameLoop.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ox::app {

int runApplication(const run_options_t& options, InputScript* input) {
    int exitCode = 1;
    std::vector<std::string> memoryLog;
    {
        LoggingContext logging;
        if (setupLogging(memoryLog, logging)) {
            RendererContext rendererContext;
            if (setupRenderer(logging, rendererContext)) {
                SceneContext sceneContext;
                if (setupSceneGraph(logging, rendererContext, sceneContext)) {
                    {
                        const std::shared_ptr<renderer::IRenderingApi> api =
                            rendererContext.renderer->getRenderingApi();
                        Scene scene(logging, sceneContext);
                        scene.setScriptedKeys(input);
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
                        runFrameLoop(rendererContext, scene, api, controls);
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
    return runApplication(options, input ? &*input : nullptr);
}

} // namespace ox::app
