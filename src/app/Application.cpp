#include "app/Application.hpp"

#include "app/FrameLoop.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"
#include "app/SceneContext.hpp"

#include <string>
#include <vector>

namespace ox::app {

int runApplication() {
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
                        prepareFrameLoop(rendererContext, scene, api);
                        runFrameLoop(rendererContext, scene, api);
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

} // namespace ox::app
