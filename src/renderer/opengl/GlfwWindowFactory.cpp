#include "renderer/opengl/GlfwWindowFactory.hpp"

#include "renderer/IMonitorVideoMode.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/lookup_table.hpp"
#include "renderer/opengl/GlfwWindow.hpp"

#include <GLFW/glfw3.h>

#include <array>
#include <optional>

namespace ox::renderer::opengl {

namespace {

constexpr std::array<std::pair<EWindowIntHint, std::int32_t>, 15> intHints{{
    {EWindowIntHint::RedBits, GLFW_RED_BITS},
    {EWindowIntHint::GreenBits, GLFW_GREEN_BITS},
    {EWindowIntHint::BlueBits, GLFW_BLUE_BITS},
    {EWindowIntHint::AlphaBits, GLFW_ALPHA_BITS},
    {EWindowIntHint::DepthBits, GLFW_DEPTH_BITS},
    {EWindowIntHint::StencilBits, GLFW_STENCIL_BITS},
    {EWindowIntHint::AccumRedBits, GLFW_ACCUM_RED_BITS},
    {EWindowIntHint::AccumGreenBits, GLFW_ACCUM_GREEN_BITS},
    {EWindowIntHint::AccumBlueBits, GLFW_ACCUM_BLUE_BITS},
    {EWindowIntHint::AccumAlphaBits, GLFW_ACCUM_ALPHA_BITS},
    {EWindowIntHint::AuxBuffers, GLFW_AUX_BUFFERS},
    {EWindowIntHint::Samples, GLFW_SAMPLES},
    {EWindowIntHint::RefreshRate, GLFW_REFRESH_RATE},
    {EWindowIntHint::ContextVersionMajor, GLFW_CONTEXT_VERSION_MAJOR},
    {EWindowIntHint::ContextVersionMinor, GLFW_CONTEXT_VERSION_MINOR},
}};

constexpr std::array<std::pair<EWindowBoolHint, std::int32_t>, 7> boolHints{{
    {EWindowBoolHint::Resizable, GLFW_RESIZABLE},
    {EWindowBoolHint::Visible, GLFW_VISIBLE},
    {EWindowBoolHint::Decorated, GLFW_DECORATED},
    {EWindowBoolHint::Stereo, GLFW_STEREO},
    {EWindowBoolHint::SrgbCapable, GLFW_SRGB_CAPABLE},
    {EWindowBoolHint::OpenGlForwardCompat, GLFW_OPENGL_FORWARD_COMPAT},
    {EWindowBoolHint::OpenGlDebugContext, GLFW_OPENGL_DEBUG_CONTEXT},
}};

constexpr std::array<std::pair<EClientApi, std::int32_t>, 2> clientApis{{
    {EClientApi::OpenGl, GLFW_OPENGL_API},
    {EClientApi::OpenGlEs, GLFW_OPENGL_ES_API},
}};

constexpr std::array<std::pair<EContextRobustness, std::int32_t>, 3> robustnesses{{
    {EContextRobustness::None, GLFW_NO_ROBUSTNESS},
    {EContextRobustness::NoResetNotification, GLFW_NO_RESET_NOTIFICATION},
    {EContextRobustness::LoseContextOnReset, GLFW_LOSE_CONTEXT_ON_RESET},
}};

// The enumeration's 1 is the compatibility profile, GLFW's constants run the other way.
constexpr std::array<std::pair<EOpenGlProfile, std::int32_t>, 3> profiles{{
    {EOpenGlProfile::Any, GLFW_OPENGL_ANY_PROFILE},
    {EOpenGlProfile::Compatibility, GLFW_OPENGL_COMPAT_PROFILE},
    {EOpenGlProfile::Core, GLFW_OPENGL_CORE_PROFILE},
}};

} // namespace

GlfwWindowFactory::GlfwWindowFactory(std::shared_ptr<IRenderer> renderer,
                                     std::shared_ptr<IRendererEvents> rendererEvents)
    : renderer(std::move(renderer))
    , rendererEvents(std::move(rendererEvents)) {}

void GlfwWindowFactory::sendMessage(const std::string_view& text) {
    if (rendererEvents) {
        const renderer_message_data_t data{renderer, MessageTypeError, text};
        rendererEvents->invokeOnMessageEvent(data);
    }
}

IRendererWindowFactory&
GlfwWindowFactory::setEvents(std::shared_ptr<IRendererWindowEvents> events) {
    windowEvents = std::move(events);
    return *this;
}

IRendererWindowFactory&
GlfwWindowFactory::setFullScreen(std::shared_ptr<IMonitor> fullScreenMonitor) {
    if (!fullScreenMonitor) {
        sendMessage("Full screen mode requested without valid <monitor> parameter.");
        return *this;
    }
    monitor = std::move(fullScreenMonitor);
    if (const IMonitorVideoMode* mode = monitor->getCurrentVideoMode()) {
        size = dimension_t{mode->getWidth(), mode->getHeight()};
    } else {
        sendMessage("Full screen mode requested, but cannot set the resolution because not "
                    "current video mode has been set.");
    }
    return *this;
}

IRendererWindowFactory& GlfwWindowFactory::setSize(std::int32_t width, std::int32_t height) {
    size = dimension_t{width, height};
    return *this;
}

IRendererWindowFactory& GlfwWindowFactory::setTitle(const std::string_view& text) {
    title = std::string(text);
    return *this;
}

IRendererWindowOpenGlHintFactory& GlfwWindowFactory::getOpenGlHintFactory() {
    return *this;
}

std::shared_ptr<IRendererWindow> GlfwWindowFactory::createWindow() {
    if (!renderer) {
        sendMessage("Failed to create OpenGL window, because renderer shared pointer is invalid.");
        return {};
    }
    for (const auto& [hint, value] : hints) {
        glfwWindowHint(hint, value);
    }
    auto window = std::make_shared<GlfwWindow>(renderer, monitor, size);
    if (!window) {
        sendMessage("Failed to instantiate OpenGL window.");
        return {};
    }
    // GLFW has already reported why through the renderer; the caller checks isValid().
    if (!window->isValid()) {
        return window;
    }
    window->attachEvents(windowEvents);
    if (!title.empty()) {
        window->setTitle(title);
    }
    renderer->windowCreated(window);
    return window;
}

IRendererWindowOpenGlHintFactory&
GlfwWindowFactory::setContextVersion(const context_version_t& version) {
    setIntHint(EWindowIntHint::ContextVersionMajor, version.major);
    setIntHint(EWindowIntHint::ContextVersionMinor, version.minor);
    return *this;
}

IRendererWindowOpenGlHintFactory& GlfwWindowFactory::setIntHint(EWindowIntHint hint,
                                                                std::int32_t value) {
    if (const auto glfwHint = lookUp(intHints, hint)) {
        hints.emplace_back(*glfwHint, value);
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& GlfwWindowFactory::setBoolHint(EWindowBoolHint hint, bool value) {
    if (const auto glfwHint = lookUp(boolHints, hint)) {
        hints.emplace_back(*glfwHint, value ? GLFW_TRUE : GLFW_FALSE);
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& GlfwWindowFactory::setClientApi(EClientApi api) {
    if (const auto value = lookUp(clientApis, api)) {
        hints.emplace_back(GLFW_CLIENT_API, *value);
    }
    return *this;
}

IRendererWindowOpenGlHintFactory&
GlfwWindowFactory::setContextRobustness(EContextRobustness robustness) {
    if (const auto value = lookUp(robustnesses, robustness)) {
        hints.emplace_back(GLFW_CONTEXT_ROBUSTNESS, *value);
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& GlfwWindowFactory::setOpenGlProfile(EOpenGlProfile profile) {
    if (const auto value = lookUp(profiles, profile)) {
        hints.emplace_back(GLFW_OPENGL_PROFILE, *value);
    }
    return *this;
}

IRendererWindowOpenGlHintFactory&
GlfwWindowFactory::setColorBits(std::shared_ptr<IMonitorVideoMode> mode) {
    if (mode) {
        setIntHint(EWindowIntHint::RedBits, mode->getRedBits());
        setIntHint(EWindowIntHint::GreenBits, mode->getGreenBits());
        setIntHint(EWindowIntHint::BlueBits, mode->getBlueBits());
    }
    return *this;
}

IRendererWindowFactory& GlfwWindowFactory::getWindowFactory() {
    return *this;
}

const std::vector<GlfwWindowFactory::hint_t>& GlfwWindowFactory::getHints() const {
    return hints;
}

const dimension_t& GlfwWindowFactory::getSize() const {
    return size;
}

const std::string& GlfwWindowFactory::getTitle() const {
    return title;
}

std::shared_ptr<IMonitor> GlfwWindowFactory::getMonitor() const {
    return monitor;
}

} // namespace ox::renderer::opengl
