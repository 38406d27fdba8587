#include "renderer/egl/EglWindowFactory.hpp"

#include "renderer/IMonitorVideoMode.hpp"
#include "renderer/egl/EglRenderer.hpp"
#include "renderer/egl/EglWindow.hpp"
#include "renderer/renderer_message_data_t.hpp"

namespace ox::renderer::egl {

EglWindowFactory::EglWindowFactory(std::shared_ptr<EglRenderer> renderer,
                                   std::shared_ptr<IRendererEvents> rendererEvents)
    : renderer(std::move(renderer))
    , rendererEvents(std::move(rendererEvents)) {}

void EglWindowFactory::sendMessage(const std::string_view& text) {
    if (rendererEvents) {
        const renderer_message_data_t data{renderer, MessageTypeError, text};
        rendererEvents->invokeOnMessageEvent(data);
    }
}

IRendererWindowFactory& EglWindowFactory::setEvents(std::shared_ptr<IRendererWindowEvents> events) {
    windowEvents = std::move(events);
    return *this;
}

IRendererWindowFactory& EglWindowFactory::setFullScreen(std::shared_ptr<IMonitor> monitor) {
    if (!monitor) {
        sendMessage("Full screen mode requested without valid <monitor> parameter.");
    } else {
        sendMessage("Full screen mode requested, but a headless window has no monitor to fill.");
    }
    return *this;
}

IRendererWindowFactory& EglWindowFactory::setSize(std::int32_t width, std::int32_t height) {
    size = dimension_t{width, height};
    return *this;
}

IRendererWindowFactory& EglWindowFactory::setTitle(const std::string_view& text) {
    title = std::string(text);
    return *this;
}

IRendererWindowOpenGlHintFactory& EglWindowFactory::getOpenGlHintFactory() {
    return *this;
}

std::shared_ptr<IRendererWindow> EglWindowFactory::createWindow() {
    if (!renderer) {
        sendMessage("Failed to create OpenGL window, because renderer shared pointer is invalid.");
        return {};
    }
    auto window = std::make_shared<EglWindow>(renderer, size, request);
    // The window has already reported why through the renderer; the caller
    // checks isValid().
    if (!window->isValid()) {
        return window;
    }
    window->attachEvents(windowEvents);
    if (!title.empty()) {
        window->setTitle(title);
    }
    renderer->windowCreated(window);
    // GLEW has said what is missing. A window system would have given the
    // context its entry points; here nothing could be drawn with it.
    if (!renderer->isGlLoaded()) {
        window->destroy();
    }
    return window;
}

IRendererWindowOpenGlHintFactory&
EglWindowFactory::setContextVersion(const context_version_t& version) {
    setIntHint(EWindowIntHint::ContextVersionMajor, version.major);
    setIntHint(EWindowIntHint::ContextVersionMinor, version.minor);
    return *this;
}

IRendererWindowOpenGlHintFactory& EglWindowFactory::setIntHint(EWindowIntHint hint,
                                                               std::int32_t value) {
    switch (hint) {
    case EWindowIntHint::RedBits:
        request.redBits = value;
        break;
    case EWindowIntHint::GreenBits:
        request.greenBits = value;
        break;
    case EWindowIntHint::BlueBits:
        request.blueBits = value;
        break;
    case EWindowIntHint::AlphaBits:
        request.alphaBits = value;
        break;
    case EWindowIntHint::DepthBits:
        request.depthBits = value;
        break;
    case EWindowIntHint::StencilBits:
        request.stencilBits = value;
        break;
    case EWindowIntHint::Samples:
        request.samples = value;
        break;
    case EWindowIntHint::ContextVersionMajor:
        request.majorVersion = value;
        break;
    case EWindowIntHint::ContextVersionMinor:
        request.minorVersion = value;
        break;
    default:
        break;
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& EglWindowFactory::setBoolHint(EWindowBoolHint hint, bool value) {
    if (hint == EWindowBoolHint::OpenGlForwardCompat) {
        request.forwardCompatible = value;
    } else if (hint == EWindowBoolHint::OpenGlDebugContext) {
        request.debug = value;
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& EglWindowFactory::setClientApi(EClientApi api) {
    if (api == EClientApi::OpenGl || api == EClientApi::OpenGlEs) {
        request.clientApi = api;
    }
    return *this;
}

IRendererWindowOpenGlHintFactory&
EglWindowFactory::setContextRobustness(EContextRobustness robustness) {
    if (robustness == EContextRobustness::None ||
        robustness == EContextRobustness::NoResetNotification ||
        robustness == EContextRobustness::LoseContextOnReset) {
        request.robustness = robustness;
    }
    return *this;
}

IRendererWindowOpenGlHintFactory& EglWindowFactory::setOpenGlProfile(EOpenGlProfile profile) {
    if (profile == EOpenGlProfile::Any || profile == EOpenGlProfile::Compatibility ||
        profile == EOpenGlProfile::Core) {
        request.profile = profile;
    }
    return *this;
}

IRendererWindowOpenGlHintFactory&
EglWindowFactory::setColorBits(std::shared_ptr<IMonitorVideoMode> mode) {
    if (mode) {
        setIntHint(EWindowIntHint::RedBits, mode->getRedBits());
        setIntHint(EWindowIntHint::GreenBits, mode->getGreenBits());
        setIntHint(EWindowIntHint::BlueBits, mode->getBlueBits());
    }
    return *this;
}

IRendererWindowFactory& EglWindowFactory::getWindowFactory() {
    return *this;
}

const egl_context_request_t& EglWindowFactory::getRequest() const {
    return request;
}

} // namespace ox::renderer::egl
