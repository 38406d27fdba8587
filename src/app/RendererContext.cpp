#include "app/RendererContext.hpp"

#include "app/HeadlessBackEnd.hpp"
#include "renderer/IMonitor.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/opengl/Renderer.hpp"

#include <fmt/format.h>

namespace ox::app {

using core::logger::ELogLevel;
using core::logger::ILogApi;
using namespace ox::renderer;

namespace {

void logLine(ILogApi& channel, ELogLevel level, std::string_view text) {
    if (channel.isEnabled(level)) {
        channel.log(level, text);
    }
}

ELogLevel levelOfMessage(std::int32_t type) {
    switch (type) {
    case MessageTypeError:
        return ELogLevel::Error;
    case MessageTypeInfo:
        return ELogLevel::Info;
    default:
        return ELogLevel::Debug;
    }
}

void addRendererListeners(RendererEventsDispatcher& events, const std::shared_ptr<ILogApi>& log) {
    events.addOnAttachEventListener(
        [log] { logLine(*log, ELogLevel::Info, "Event dispatcher attached."); });
    events.addOnDetachEventListener(
        [log] { logLine(*log, ELogLevel::Info, "Event dispatcher detached."); });
    events.addOnMessageEventListener([log](const renderer_message_data_t& data) {
        logLine(*log, levelOfMessage(data.type), data.message);
    });
    events.addOnInitEventListener([log](std::shared_ptr<IRenderer>) {
        logLine(*log, ELogLevel::Debug, "Initializing renderer.");
    });
    events.addOnDeinitEventListener([log](std::shared_ptr<IRenderer>) {
        logLine(*log, ELogLevel::Debug, "Renderer deinitialized.");
    });
    events.addOnMonitorInitEventListener([log](std::shared_ptr<IRenderer>,
                                               std::shared_ptr<IMonitor> monitor) {
        if (!monitor) {
            // The dispatcher has already reported the empty pointer.
            return;
        }
        int modes = 0;
        monitor->forEachVideoMode([&modes](const IMonitorVideoMode*) { ++modes; });
        logLine(*log, ELogLevel::Info,
                fmt::format("'{}' monitor (with {} video modes supported) has been initialized.",
                            monitor->getName(), modes));
    });
    events.addOnCreateWindowEventListener(
        [log](std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow> window) {
            if (!window) {
                return;
            }
            const dimension_t size = window->getSize();
            logLine(*log, ELogLevel::Info,
                    fmt::format("Creating a new renderer window '{}' with size {}x{} .",
                                window->getTitle(), size.width, size.height));
        });
    events.addOnDestroyWindowEventListener([log](std::shared_ptr<IRenderer>,
                                                 std::shared_ptr<IRendererWindow> window) {
        if (!window) {
            logLine(*log, ELogLevel::Error,
                    "invokeOnDestroyWindowEvent() obtained empty shared pointer.");
            return;
        }
        logLine(*log, ELogLevel::Info, fmt::format("Destroying window '{}'.", window->getTitle()));
    });
}

void addWindowListeners(RendererWindowEventsDispatcher& events,
                        const std::shared_ptr<ILogApi>& log) {
    events.addOnAttachEventListener(
        [log] { logLine(*log, ELogLevel::Debug, "Event dispatcher attached."); });
    events.addOnDetachEventListener(
        [log] { logLine(*log, ELogLevel::Debug, "Event dispatcher detached."); });
    events.addOnResizeEventListener(
        [log](std::shared_ptr<IRendererWindow> window, const dimension_t& size) {
            if (!window) {
                return;
            }
            logLine(*log, ELogLevel::Info,
                    fmt::format("'{}' window has been resized to {}x{}.", window->getTitle(),
                                size.width, size.height));
            if (auto renderer = window->getRenderer()) {
                if (auto api = renderer->getRenderingApi()) {
                    api->viewport({0, 0}, {size.width, size.height});
                }
            }
        });
}

// The back end the options ask for. Everything after this sees only the
// renderer interfaces.
std::shared_ptr<IRenderer> createRenderer(const renderer_options_t& options) {
    if (options.headless) {
        return createHeadlessRenderer(options.eglDevice);
    }
    return std::make_shared<opengl::Renderer>();
}

} // namespace

bool setupRenderer(const LoggingContext& logging, RendererContext& context,
                   const renderer_options_t& options) {
    const std::shared_ptr<ILogApi> mainLog = logging.mainLog;
    const std::shared_ptr<ILogApi> rendererLog = logging.rendererLog;
    const std::shared_ptr<ILogApi> windowLog = logging.windowLog;

    RendererContext built;
    // Logs the reason, then releases what this stage built: a renderer that
    // got as far as init terminates GLFW and detaches its events while it can
    // still reach them.
    const auto fail = [&mainLog, &built](std::string_view message) {
        logLine(*mainLog, ELogLevel::Fatal, message);
        if (built.renderer) {
            built.renderer->deinit();
        }
        return false;
    };

    built.rendererEvents = std::make_shared<RendererEventsDispatcher>();
    if (!built.rendererEvents) {
        return fail("Unable to create renderer event dispatcher.");
    }
    addRendererListeners(*built.rendererEvents, rendererLog);

    built.renderer = createRenderer(options);
    if (!built.renderer) {
        return fail("Unable to create OpenGL renderer.");
    }
    built.renderer->attachEvents(built.rendererEvents);
    if (!built.renderer->init()) {
        return fail("Unable to initialize OpenGL renderer.");
    }

    built.windowFactory = built.renderer->createWindowFactory();
    if (!built.windowFactory) {
        return fail("Unable to create window factory.");
    }

    built.windowEvents = std::make_shared<RendererWindowEventsDispatcher>();
    if (!built.windowEvents) {
        return fail("Unable to create window event dispatcher.");
    }
    addWindowListeners(*built.windowEvents, windowLog);

    IRendererWindowOpenGlHintFactory& hints = built.windowFactory->setTitle(windowTitle)
                                                  .setSize(windowWidth, windowHeight)
                                                  .setEvents(built.windowEvents)
                                                  .getOpenGlHintFactory()
                                                  .setContextVersion({4, 5})
                                                  .setClientApi(EClientApi::OpenGl)
                                                  .setOpenGlProfile(EOpenGlProfile::Core);
    if (options.debugContext) {
        hints.setBoolHint(EWindowBoolHint::OpenGlDebugContext, true);
    }
    built.window = hints.getWindowFactory().createWindow();
    if (!built.window) {
        return fail("Unable to create renderer window.");
    }
    if (!built.window->isValid()) {
        return fail("Failed to initialize renderer window.");
    }

    const dimension_t size = built.window->getSize();
    built.window->handleResize(size.width, size.height);
    built.window->focus();
    built.window->makeContextCurrent();
    built.renderer->setSwapInterval(options.vsync);

    context = built;
    return true;
}

void releaseRenderer(RendererContext& context) {
    // Shut down here, not when the last reference goes: the renderer and its
    // rendering API hold each other until deinit, and a hook of the run may
    // still hold either, so the release alone could leave the window's and
    // the renderer's last lines until after the logging is gone, or forever.
    // After a normal shut-down this says nothing more.
    if (context.renderer) {
        context.renderer->deinit();
    }
    context.window.reset();
    context.windowEvents.reset();
    context.windowFactory.reset();
    context.renderer.reset();
    context.rendererEvents.reset();
}

} // namespace ox::app
