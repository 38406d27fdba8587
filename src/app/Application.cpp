#include "app/Application.hpp"

#include "app/FrameLoop.hpp"
#include "app/LoggingContext.hpp"
#include "app/RendererContext.hpp"
#include "app/Scene.hpp"

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
                {
                    const std::shared_ptr<renderer::IRenderingApi> api =
                        rendererContext.renderer->getRenderingApi();
                    Scene scene;
                    prepareFrameLoop(rendererContext, scene, api);
                    runFrameLoop(rendererContext, scene, api);
                    shutDownFrameLoop(rendererContext, scene, api);
                    // The scene, then the API go here, before the contexts.
                }
                exitCode = 0;
            }
            releaseRenderer(rendererContext);
        }
        releaseLogging(logging);
    }
    return exitCode;
}

} // namespace ox::app
