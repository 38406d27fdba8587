#include "renderer/opengl/OpenGlRendererBase.hpp"

#include "renderer/IMonitor.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IWindowInput.hpp"
#include "renderer/opengl/EGlError.hpp"
#include "renderer/opengl/events_sink.hpp"

#include <GL/glew.h>
#include <fmt/format.h>

#include <algorithm>
#include <string>

namespace ox::renderer::opengl {

namespace {

// 51 messages per poll: enough to see a pattern, few enough that a broken
// frame cannot flood the log.
constexpr int maxErrorMessagesPerPoll = 51;

// Message type of driver notes that are neither errors nor worth attention.
constexpr std::int32_t messageTypeDebug = 2;

std::string_view debugSourceName(GLenum source) {
    switch (source) {
    case GL_DEBUG_SOURCE_API:
        return "API";
    case GL_DEBUG_SOURCE_WINDOW_SYSTEM:
        return "window system";
    case GL_DEBUG_SOURCE_SHADER_COMPILER:
        return "shader compiler";
    case GL_DEBUG_SOURCE_THIRD_PARTY:
        return "third party";
    case GL_DEBUG_SOURCE_APPLICATION:
        return "application";
    default:
        return "other";
    }
}

std::string_view debugTypeName(GLenum type) {
    switch (type) {
    case GL_DEBUG_TYPE_ERROR:
        return "error";
    case GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR:
        return "deprecated behaviour";
    case GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR:
        return "undefined behaviour";
    case GL_DEBUG_TYPE_PORTABILITY:
        return "portability";
    case GL_DEBUG_TYPE_PERFORMANCE:
        return "performance";
    case GL_DEBUG_TYPE_MARKER:
        return "marker";
    case GL_DEBUG_TYPE_PUSH_GROUP:
        return "push group";
    case GL_DEBUG_TYPE_POP_GROUP:
        return "pop group";
    default:
        return "other";
    }
}

std::string_view debugSeverityName(GLenum severity) {
    switch (severity) {
    case GL_DEBUG_SEVERITY_HIGH:
        return "high";
    case GL_DEBUG_SEVERITY_MEDIUM:
        return "medium";
    case GL_DEBUG_SEVERITY_LOW:
        return "low";
    default:
        return "notification";
    }
}

void GLAPIENTRY onDriverMessage(GLenum source, GLenum type, GLuint id, GLenum severity,
                                GLsizei length, const GLchar* message, const void* user) {
    if (user == nullptr || message == nullptr) {
        return;
    }
    const std::string_view text =
        length >= 0 ? std::string_view(message, length) : std::string_view(message);
    // The context calls back only on the thread that made the GL call
    // (synchronous output), so the renderer is not used concurrently.
    static_cast<OpenGlRendererBase*>(const_cast<void*>(user))
        ->reportDriverMessage(source, type, id, severity, text);
}

} // namespace

std::shared_ptr<IRenderer> OpenGlRendererBase::self() {
    return weak_from_this().lock();
}

void OpenGlRendererBase::attachEvents(std::shared_ptr<IRendererEvents> sink) {
    attachEventsSink(events, std::move(sink), detaching);
}

void OpenGlRendererBase::detachEvents() {
    detachEventsSink(events, detaching);
}

const bool& OpenGlRendererBase::getErrorPolling() const {
    return errorPolling;
}

void OpenGlRendererBase::setErrorPolling(const bool& enabled) {
    errorPolling = enabled;
}

void OpenGlRendererBase::pollErrors(const std::string_view& callName) {
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

void OpenGlRendererBase::reportMessage(std::int32_t type, const std::string_view& text) {
    if (!events) {
        return;
    }
    const auto sink = events;
    const renderer_message_data_t data{self(), type, text};
    sink->invokeOnMessageEvent(data);
}

void OpenGlRendererBase::monitorInitialized(std::shared_ptr<IMonitor> monitor) {
    if (events) {
        const auto sink = events;
        sink->invokeOnMonitorInitEvent(self(), std::move(monitor));
    }
}

void OpenGlRendererBase::windowCreated(std::shared_ptr<IRendererWindow> window) {
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

void OpenGlRendererBase::windowDestroyed(std::shared_ptr<IRendererWindow> window) {
    if (events) {
        const auto sink = events;
        sink->invokeOnDestroyWindowEvent(self(), window);
    }
    const auto found = std::find(windows.begin(), windows.end(), window);
    if (found != windows.end()) {
        windows.erase(found);
    }
}

void OpenGlRendererBase::deinit() {
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
    // Windows go before their window system, which would otherwise end them
    // behind their backs (GLFW's terminate does, and every later
    // glfwDestroyWindow would then raise an error that is no error of the
    // application's).
    const auto live = windows;
    for (const auto& window : live) {
        if (window) {
            window->destroy();
        }
    }
    releaseWindowSystem();
    if (events) {
        const auto sink = events;
        sink->invokeOnDeinitEvent(self());
    }
    detachEvents();
}

const std::shared_ptr<IRendererEvents>& OpenGlRendererBase::eventsSink() const {
    return events;
}

void OpenGlRendererBase::beginInit() {
    if (events) {
        const auto sink = events;
        sink->invokeOnInitEvent(self());
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
}

bool OpenGlRendererBase::isGlLoaded() const {
    return glew && glew->getStatus() == 1;
}

std::shared_ptr<IRenderingApi> OpenGlRendererBase::getRenderingApi() const {
    return renderingApi;
}

const std::vector<std::shared_ptr<IMonitor>>& OpenGlRendererBase::getMonitors() const {
    static const std::vector<std::shared_ptr<IMonitor>> none;
    return none;
}

std::shared_ptr<IMonitor> OpenGlRendererBase::getPrimaryMonitor() const {
    return {};
}

void OpenGlRendererBase::pollEvents() {
    pollWindowSystem();
    // Walked by index, not copied: this runs every frame. An event may
    // destroy a window, which takes it off the list; the next one then moves
    // into its place.
    for (std::size_t i = 0; i < windows.size();) {
        const std::shared_ptr<IRendererWindow> window = windows[i];
        if (auto* input = dynamic_cast<IWindowInput*>(window.get())) {
            input->pollInputSources();
        }
        if (i < windows.size() && windows[i] == window) {
            ++i;
        }
    }
}

bool OpenGlRendererBase::enableDriverMessages() {
    GLint flags = 0;
    glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    pollErrors("glGetIntegerv");
    if ((flags & GL_CONTEXT_FLAG_DEBUG_BIT) == 0 || glDebugMessageCallback == nullptr) {
        reportMessage(MessageTypeError,
                      "OpenGL driver messages are not available: the context is not a debug "
                      "context.");
        return false;
    }
    glEnable(GL_DEBUG_OUTPUT);
    pollErrors("glEnable");
    // Messages must arrive inside the call that caused them, on this thread:
    // the log is not thread-safe, and the call is then still known.
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    pollErrors("glEnable");
    glDebugMessageCallback(&onDriverMessage, this);
    pollErrors("glDebugMessageCallback");
    // The debug groups around every draw would echo two lines per mesh and
    // frame.
    for (const GLenum type : {GL_DEBUG_TYPE_PUSH_GROUP, GL_DEBUG_TYPE_POP_GROUP}) {
        glDebugMessageControl(GL_DONT_CARE, type, GL_DONT_CARE, 0, nullptr, GL_FALSE);
        pollErrors("glDebugMessageControl");
    }
    return true;
}

void OpenGlRendererBase::reportDriverMessage(std::uint32_t source, std::uint32_t type,
                                             std::uint32_t id, std::uint32_t severity,
                                             std::string_view text) {
    // One message, one log line: drivers end some messages with a newline
    // and split others over several.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    std::string line = fmt::format(
        "OpenGL driver message: source {}, type {}, id {}, severity {}: {}",
        debugSourceName(source), debugTypeName(type), id, debugSeverityName(severity), text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::int32_t messageType = messageTypeDebug;
    if (severity == GL_DEBUG_SEVERITY_HIGH || severity == GL_DEBUG_SEVERITY_MEDIUM) {
        messageType = MessageTypeError;
    } else if (severity == GL_DEBUG_SEVERITY_LOW) {
        messageType = MessageTypeInfo;
    }
    reportMessage(messageType, line);
}

} // namespace ox::renderer::opengl
