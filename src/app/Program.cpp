#include "app/Program.hpp"

#include "app/FrameLoop.hpp"
#include "app/StopSignals.hpp"

#include <string>
#include <vector>

namespace ox::app {

int runProgram(const scene_factory_t& makeScene, const frame_loop_controls_t& controls) {
    // From the start: a stop signal during start-up ends the run after its
    // first frame, with the same shut-down as any other end.
    const StopSignals stopSignals;
    int exitCode = 1;
    std::vector<std::string> memoryLog;
    {
        LoggingContext logging;
        if (setupLogging(memoryLog, logging)) {
            RendererContext rendererContext;
            if (setupRenderer(logging, rendererContext, controls.renderer)) {
                for (IFrameObserver* observer : controls.observers) {
                    observer->attach(logging, rendererContext);
                }
                if (std::unique_ptr<IScene> scene = makeScene(logging, rendererContext)) {
                    // Only now has the start succeeded: a failed one leaves
                    // every file the run would write as it was.
                    for (IFrameObserver* observer : controls.observers) {
                        observer->started();
                    }
                    scene->instrument(controls.instruments);
                    {
                        const std::shared_ptr<renderer::IRenderingApi> api =
                            rendererContext.renderer->getRenderingApi();
                        prepareFrameLoop(rendererContext, *scene, api);
                        runFrameLoop(rendererContext, *scene, api, controls);
                        StopSignals::report(*logging.mainLog);
                        // Before shut-down, whose lines stay the last of the log.
                        for (auto observer = controls.observers.rbegin();
                             observer != controls.observers.rend(); ++observer) {
                            (*observer)->loopEnded();
                        }
                        shutDownFrameLoop(rendererContext, *scene);
                    }
                    // The scene with its meshes and its own stage's objects
                    // goes here, before the renderer.
                    scene.reset();
                    exitCode = 0;
                }
            }
            // On every path, while the logging is still there: a renderer
            // left running by a failed later stage shuts down here.
            releaseRenderer(rendererContext);
        }
        releaseLogging(logging);
    }
    return exitCode;
}

} // namespace ox::app
