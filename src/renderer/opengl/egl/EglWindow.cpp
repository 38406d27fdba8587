#include "renderer/opengl/egl/EglWindow.hpp"

#include "renderer/opengl/egl/EglRenderer.hpp"
#include "renderer/opengl/egl/egl_support.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <EGL/eglext.h>
#include <GL/glew.h>
#include <fmt/format.h>

#include <vector>

namespace ox::renderer::opengl::egl {

namespace {

bool isDesktopGl(const egl_context_request_t& request) {
    return request.clientApi != EClientApi::OpenGlEs;
}

EGLint renderableType(const egl_context_request_t& request) {
    if (isDesktopGl(request)) {
        return EGL_OPENGL_BIT;
    }
    if (request.majorVersion >= 3) {
        return EGL_OPENGL_ES3_BIT;
    }
    return request.majorVersion == 2 ? EGL_OPENGL_ES2_BIT : EGL_OPENGL_ES_BIT;
}

std::vector<EGLint> configAttributes(const egl_context_request_t& request) {
    std::vector<EGLint> attributes{
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,   EGL_RENDERABLE_TYPE, renderableType(request),
        EGL_RED_SIZE,     request.redBits,   EGL_GREEN_SIZE,      request.greenBits,
        EGL_BLUE_SIZE,    request.blueBits,  EGL_ALPHA_SIZE,      request.alphaBits,
        EGL_DEPTH_SIZE,   request.depthBits, EGL_STENCIL_SIZE,    request.stencilBits,
    };
    if (request.samples > 0) {
        attributes.insert(attributes.end(), {EGL_SAMPLE_BUFFERS, 1, EGL_SAMPLES, request.samples});
    }
    attributes.push_back(EGL_NONE);
    return attributes;
}

std::vector<EGLint> contextAttributes(const egl_context_request_t& request) {
    std::vector<EGLint> attributes{EGL_CONTEXT_MAJOR_VERSION, request.majorVersion,
                                   EGL_CONTEXT_MINOR_VERSION, request.minorVersion};
    if (isDesktopGl(request) && request.profile != EOpenGlProfile::Any) {
        attributes.insert(attributes.end(), {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                             request.profile == EOpenGlProfile::Core
                                                 ? EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT
                                                 : EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT});
    }
    // The flags of EGL_KHR_create_context, which EGL 1.4 drivers know too.
    EGLint flags = 0;
    if (request.debug) {
        flags |= EGL_CONTEXT_OPENGL_DEBUG_BIT_KHR;
    }
    if (request.forwardCompatible && isDesktopGl(request)) {
        flags |= EGL_CONTEXT_OPENGL_FORWARD_COMPATIBLE_BIT_KHR;
    }
    if (request.robustness != EContextRobustness::None) {
        flags |= EGL_CONTEXT_OPENGL_ROBUST_ACCESS_BIT_KHR;
        attributes.insert(attributes.end(),
                          {EGL_CONTEXT_OPENGL_RESET_NOTIFICATION_STRATEGY_KHR,
                           request.robustness == EContextRobustness::LoseContextOnReset
                               ? EGL_LOSE_CONTEXT_ON_RESET_KHR
                               : EGL_NO_RESET_NOTIFICATION_KHR});
    }
    if (flags != 0) {
        attributes.insert(attributes.end(), {EGL_CONTEXT_FLAGS_KHR, flags});
    }
    attributes.push_back(EGL_NONE);
    return attributes;
}

// "OpenGL 4.5 core profile debug"
std::string describeContext(const egl_context_request_t& request) {
    std::string text = fmt::format("{} {}.{}", isDesktopGl(request) ? "OpenGL" : "OpenGL ES",
                                   request.majorVersion, request.minorVersion);
    if (isDesktopGl(request) && request.profile == EOpenGlProfile::Core) {
        text += " core profile";
    } else if (isDesktopGl(request) && request.profile == EOpenGlProfile::Compatibility) {
        text += " compatibility profile";
    }
    if (request.debug) {
        text += " debug";
    }
    return text;
}

} // namespace

EglWindow::EglWindow(const std::shared_ptr<EglRenderer>& owner, dimension_t size,
                     const egl_context_request_t& request)
    : OpenGlWindowBase(owner, size)
    , api(isDesktopGl(request) ? EGL_OPENGL_API : EGL_OPENGL_ES_API) {
    display = owner ? owner->getDisplay() : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY) {
        report(MessageTypeError,
               "EGL > Cannot create a headless window: the renderer has no EGL display.");
        return;
    }
    const std::vector<EGLint> wanted = configAttributes(request);
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (eglChooseConfig(display, wanted.data(), &config, 1, &configs) != EGL_TRUE || configs < 1) {
        report(MessageTypeError,
               fmt::format("EGL > No EGL framebuffer configuration has a pbuffer for {} with "
                           "{}/{}/{}/{} colour bits, {} depth bits and {} stencil bits.",
                           describeContext(request), request.redBits, request.greenBits,
                           request.blueBits, request.alphaBits, request.depthBits,
                           request.stencilBits));
        return;
    }
    const EGLint extent[] = {EGL_WIDTH, size.width, EGL_HEIGHT, size.height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, extent);
    if (surface == EGL_NO_SURFACE) {
        report(MessageTypeError, fmt::format("EGL > Cannot create a {}x{} pbuffer surface ({}).",
                                             size.width, size.height, eglErrorName(eglGetError())));
        return;
    }
    if (eglBindAPI(api) != EGL_TRUE) {
        report(MessageTypeError, fmt::format("EGL > The device has no {} ({}).",
                                             isDesktopGl(request) ? "OpenGL" : "OpenGL ES",
                                             eglErrorName(eglGetError())));
        releaseSurfaceAndContext();
        return;
    }
    const std::vector<EGLint> attributes = contextAttributes(request);
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, attributes.data());
    if (context == EGL_NO_CONTEXT) {
        report(MessageTypeError,
               fmt::format("EGL > The device cannot create an {} context ({}).",
                           describeContext(request), eglErrorName(eglGetError())));
        releaseSurfaceAndContext();
    }
}

void EglWindow::releaseSurfaceAndContext() {
    if (context != EGL_NO_CONTEXT && eglGetCurrentContext() == context) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    if (context != EGL_NO_CONTEXT) {
        eglDestroyContext(display, context);
        context = EGL_NO_CONTEXT;
    }
    if (surface != EGL_NO_SURFACE) {
        eglDestroySurface(display, surface);
        surface = EGL_NO_SURFACE;
    }
}

bool EglWindow::isValid() const {
    return context != EGL_NO_CONTEXT;
}

void EglWindow::setCursorMode(ECursorMode mode) {
    if (isValid() && (mode == ECursorMode::Normal || mode == ECursorMode::Hidden ||
                      mode == ECursorMode::Disabled)) {
        cursorMode = mode;
    }
}

std::optional<ECursorMode> EglWindow::getCursorMode() const {
    if (!isValid()) {
        return std::nullopt;
    }
    return cursorMode;
}

void EglWindow::showTitle(const std::string&) {}

void EglWindow::bindContext() {
    // The API is EGL's per-thread choice of which kind of context to bind.
    if (eglBindAPI(api) != EGL_TRUE ||
        eglMakeCurrent(display, surface, surface, context) != EGL_TRUE) {
        report(MessageTypeError, fmt::format("EGL > Cannot make the context current ({}).",
                                             eglErrorName(eglGetError())));
    }
}

dimension_t EglWindow::readSize() const {
    return storedSize();
}

void EglWindow::swapBuffers() {
    if (!isValid()) {
        return;
    }
    if (eglSwapBuffers(display, surface) != EGL_TRUE) {
        report(MessageTypeError,
               fmt::format("EGL > eglSwapBuffers failed ({}).", eglErrorName(eglGetError())));
    }
    // EGL leaves a pbuffer's swap without effect, so nothing would hand the
    // frame's commands to the device before the next frame piles onto them.
    glFlush();
    if (const auto owner = getRenderer()) {
        owner->pollErrors("glFlush");
    }
}

void EglWindow::setShouldClose(bool value) {
    if (isValid()) {
        closeRequested = value;
    }
}

bool EglWindow::shouldClose() const {
    return isValid() && closeRequested;
}

void EglWindow::releaseNativeWindow() {
    releaseSurfaceAndContext();
}

} // namespace ox::renderer::opengl::egl
