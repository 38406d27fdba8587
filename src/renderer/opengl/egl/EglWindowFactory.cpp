#include "renderer/opengl/egl/EglWindowFactory.hpp"

#include "renderer/opengl/egl/EglRenderer.hpp"
#include "renderer/opengl/egl/EglWindow.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <variant>

namespace ox::renderer::opengl::egl {

namespace {

void apply(egl_context_request_t& request, EWindowIntHint hint, std::int32_t value) {
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
}

void apply(egl_context_request_t& request, EWindowBoolHint hint, std::int32_t value) {
    if (hint == EWindowBoolHint::OpenGlForwardCompat) {
        request.forwardCompatible = value != 0;
    } else if (hint == EWindowBoolHint::OpenGlDebugContext) {
        request.debug = value != 0;
    }
}

void apply(egl_context_request_t& request, EClientApi api, std::int32_t) {
    if (api == EClientApi::OpenGl || api == EClientApi::OpenGlEs) {
        request.clientApi = api;
    }
}

void apply(egl_context_request_t& request, EContextRobustness robustness, std::int32_t) {
    if (robustness == EContextRobustness::None ||
        robustness == EContextRobustness::NoResetNotification ||
        robustness == EContextRobustness::LoseContextOnReset) {
        request.robustness = robustness;
    }
}

void apply(egl_context_request_t& request, EOpenGlProfile profile, std::int32_t) {
    if (profile == EOpenGlProfile::Any || profile == EOpenGlProfile::Compatibility ||
        profile == EOpenGlProfile::Core) {
        request.profile = profile;
    }
}

} // namespace

EglWindowFactory::EglWindowFactory(std::shared_ptr<EglRenderer> renderer,
                                   std::shared_ptr<IRendererEvents> rendererEvents)
    : OpenGlWindowFactoryBase(renderer, std::move(rendererEvents))
    , renderer(std::move(renderer)) {}

IRendererWindowFactory& EglWindowFactory::setFullScreen(std::shared_ptr<IMonitor> monitor) {
    if (!monitor) {
        sendMessage("Full screen mode requested without valid <monitor> parameter.");
    } else {
        sendMessage("Full screen mode requested, but a headless window has no monitor to fill.");
    }
    return *this;
}

std::shared_ptr<OpenGlWindowBase> EglWindowFactory::makeWindow(const dimension_t& size) {
    return std::make_shared<EglWindow>(renderer, size, getRequest());
}

egl_context_request_t EglWindowFactory::getRequest() const {
    // Applied in order, as a window system takes hints: the last one for a
    // setting wins. Hints only a window system has a use for change nothing.
    egl_context_request_t request;
    for (const window_hint_t& given : getWindowHints()) {
        std::visit([&](auto hint) { apply(request, hint, given.value); }, given.hint);
    }
    return request;
}

} // namespace ox::renderer::opengl::egl
