#include "renderer/opengl/glfw/GlfwWindowFactory.hpp"

#include "renderer/IMonitorVideoMode.hpp"
#include "renderer/lookup_table.hpp"
#include "renderer/opengl/glfw/GlfwWindow.hpp"

#include <GLFW/glfw3.h>

#include <array>
#include <optional>
#include <variant>

namespace ox::renderer::opengl::glfw {

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

using hint_t = GlfwWindowFactory::hint_t;

std::optional<hint_t> glfwHint(EWindowIntHint hint, std::int32_t value) {
    if (const auto glfwHint = lookUp(intHints, hint)) {
        return hint_t{*glfwHint, value};
    }
    return std::nullopt;
}

std::optional<hint_t> glfwHint(EWindowBoolHint hint, std::int32_t value) {
    if (const auto glfwHint = lookUp(boolHints, hint)) {
        return hint_t{*glfwHint, value != 0 ? GLFW_TRUE : GLFW_FALSE};
    }
    return std::nullopt;
}

std::optional<hint_t> glfwHint(EClientApi api, std::int32_t) {
    if (const auto value = lookUp(clientApis, api)) {
        return hint_t{GLFW_CLIENT_API, *value};
    }
    return std::nullopt;
}

std::optional<hint_t> glfwHint(EContextRobustness robustness, std::int32_t) {
    if (const auto value = lookUp(robustnesses, robustness)) {
        return hint_t{GLFW_CONTEXT_ROBUSTNESS, *value};
    }
    return std::nullopt;
}

std::optional<hint_t> glfwHint(EOpenGlProfile profile, std::int32_t) {
    if (const auto value = lookUp(profiles, profile)) {
        return hint_t{GLFW_OPENGL_PROFILE, *value};
    }
    return std::nullopt;
}

} // namespace

GlfwWindowFactory::GlfwWindowFactory(std::shared_ptr<IRenderer> renderer,
                                     std::shared_ptr<IRendererEvents> rendererEvents)
    : OpenGlWindowFactoryBase(std::move(renderer), std::move(rendererEvents)) {}

IRendererWindowFactory&
GlfwWindowFactory::setFullScreen(std::shared_ptr<IMonitor> fullScreenMonitor) {
    if (!fullScreenMonitor) {
        sendMessage("Full screen mode requested without valid <monitor> parameter.");
        return *this;
    }
    monitor = std::move(fullScreenMonitor);
    if (const IMonitorVideoMode* mode = monitor->getCurrentVideoMode()) {
        setSize(mode->getWidth(), mode->getHeight());
    } else {
        sendMessage("Full screen mode requested, but cannot set the resolution because not "
                    "current video mode has been set.");
    }
    return *this;
}

std::shared_ptr<OpenGlWindowBase> GlfwWindowFactory::makeWindow(const dimension_t& size) {
    for (const auto& [hint, value] : getHints()) {
        glfwWindowHint(hint, value);
    }
    return std::make_shared<GlfwWindow>(getRenderer(), monitor, size);
}

std::vector<GlfwWindowFactory::hint_t> GlfwWindowFactory::getHints() const {
    std::vector<hint_t> translated;
    for (const window_hint_t& given : getWindowHints()) {
        std::visit(
            [&](auto hint) {
                const auto pair = glfwHint(hint, given.value);
                if (pair) {
                    translated.push_back(*pair);
                }
            },
            given.hint);
    }
    return translated;
}

std::shared_ptr<IMonitor> GlfwWindowFactory::getMonitor() const {
    return monitor;
}

} // namespace ox::renderer::opengl::glfw
