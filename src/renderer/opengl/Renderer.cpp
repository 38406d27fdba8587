#include "renderer/opengl/Renderer.hpp"

#include "renderer/IMonitor.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/opengl/EGlError.hpp"
#include "renderer/opengl/GlfwWindowFactory.hpp"
#include "renderer/opengl/events_sink.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <fmt/format.h>

#include <algorithm>

namespace ox::renderer::opengl {

namespace {

// 51 messages per poll: enough to see a pattern, few enough that a broken
// frame cannot flood the log.
constexpr int maxErrorMessagesPerPoll = 51;

} // namespace

Renderer::~Renderer() {
    deinit();
}

std::shared_ptr<IRenderer> Renderer::self() {
    return weak_from_this().lock();
}

void Renderer::attachEvents(std::shared_ptr<IRendererEvents> sink) {
    attachEventsSink(events, std::move(sink), detaching);
}

void Renderer::detachEvents() {
    detachEventsSink(events, detaching);
}

const bool& Renderer::getErrorPolling() const {
    return errorPolling;
}

void Renderer::setErrorPolling(const bool& enabled) {
    errorPolling = enabled;
}

void Renderer::pollErrors(const std::string_view& callName) {
    if (!errorPolling) {
        return;
    }
    int reported = 0;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        // Without a window there is no context whose errors matter.
        if (windows.empty()) {
            return;
        }
        if (reported >= maxErrorMessagesPerPoll) {
            reportMessage(MessageTypeError,
                          fmt::format("Too many renderer errors caused by '{}', bailing error "
                                      "code polling!",
                                      callName));
            return;
        }
        ++reported;
        const auto error = glErrorFromCode(code);
        const std::string_view name = error ? glErrorName(*error) : "(translation failed)";
        reportMessage(MessageTypeError,
                      fmt::format("OpenGL error {} (internal: {:#06x}) after '{}' call.", name,
                                  code, callName));
    }
}

void Renderer::reportMessage(std::int32_t type, const std::string_view& text) {
    if (!events) {
        return;
    }
    const auto sink = events;
    const renderer_message_data_t data{self(), type, text};
    sink->invokeOnMessageEvent(data);
}

void Renderer::monitorInitialized(std::shared_ptr<IMonitor> monitor) {
    if (events) {
        const auto sink = events;
        sink->invokeOnMonitorInitEvent(self(), std::move(monitor));
    }
}

void Renderer::windowCreated(std::shared_ptr<IRendererWindow> window) {
    if (window) {
        if (glew && glew->getStatus() != 1) {
            window->makeContextCurrent();
            if (glew->getStatus() != 1) {
                glew->init();
            }
        }
        windows.push_back(window);
    }
    if (events) {
        const auto sink = events;
        sink->invokeOnCreateWindowEvent(self(), std::move(window));
    }
}

void Renderer::windowDestroyed(std::shared_ptr<IRendererWindow> window) {
    if (events) {
        const auto sink = events;
        sink->invokeOnDestroyWindowEvent(self(), window);
    }
    const auto found = std::find(windows.begin(), windows.end(), window);
    if (found != windows.end()) {
        windows.erase(found);
    }
}

bool Renderer::init() {
    if (events) {
        const auto sink = events;
        sink->invokeOnInitEvent(self());
    }
    if (!glfw) {
        glfw = std::make_shared<RGlfw>(weak_from_this());
    }
    if (!glew) {
        glew = std::make_shared<RGlew>(weak_from_this());
    }
    if (!renderingApi) {
        renderingApi = std::make_shared<OpenGlRenderingApi>(self());
    } else if (!renderingApi->getRenderer()) {
        // deinit released the API's hold on this renderer. The API stays the same
        // object for everyone who holds it, but without the renderer back every GL
        // error after this second init would go unreported.
        renderingApi->attachRenderer(self());
    }
    if (glfw->getStatus() != 1 && !glfw->init()) {
        reportMessage(MessageTypeError, "GLFW > Failed to initialize subsystem.");
    }
    return glfw->getStatus() == 1;
}

void Renderer::deinit() {
    // A listener of an event that deinit raises (a window's destruction, the
    // deinit event itself) may call deinit again; the shut-down already under
    // way finishes the job, and starting it over would raise the same events
    // again, endlessly for the deinit event.
    if (deinitializing) {
        return;
    }
    const ReentryScope scope{deinitializing};
    if (renderingApi) {
        renderingApi->releaseRenderer();
    }
    // Windows go before GLFW: glfwTerminate would destroy them behind their
    // backs, and every later glfwDestroyWindow would then raise a "not
    // initialized" error that is no error of the application's.
    const auto live = windows;
    for (const auto& window : live) {
        if (window) {
            window->destroy();
        }
    }
    if (glfw) {
        glfw->terminate();
    }
    if (events) {
        const auto sink = events;
        sink->invokeOnDeinitEvent(self());
    }
    detachEvents();
}

bool Renderer::isInitialized() const {
    return glfw && glfw->getStatus() == 1;
}

const std::vector<std::shared_ptr<IMonitor>>& Renderer::getMonitors() const {
    static const std::vector<std::shared_ptr<IMonitor>> none;
    return glfw ? glfw->getMonitors() : none;
}

std::shared_ptr<IMonitor> Renderer::getPrimaryMonitor() const {
    for (const auto& monitor : getMonitors()) {
        if (monitor && monitor->isPrimary()) {
            return monitor;
        }
    }
    if (glfw) {
        glfw->reportError(-1, "Primary monitor not found.");
    }
    return {};
}

std::unique_ptr<IRendererWindowFactory> Renderer::createWindowFactory() {
    return std::make_unique<GlfwWindowFactory>(self(), events);
}

std::shared_ptr<IRenderingApi> Renderer::getRenderingApi() const {
    return renderingApi;
}

void Renderer::setSwapInterval(bool enabled) {
    glfwSwapInterval(enabled ? 1 : 0);
}

double Renderer::getTime() const {
    return glfwGetTime();
}

void Renderer::pollEvents() {
    glfwPollEvents();
}

} // namespace ox::renderer::opengl
