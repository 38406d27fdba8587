#include "renderer/opengl/RGlew.hpp"

#include "renderer/opengl/gl_entry_points.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <GL/glew.h>
#include <fmt/format.h>
#include <fmt/ranges.h>

#include <string_view>
#include <vector>

namespace ox::renderer::opengl {

namespace {

std::string_view glString(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text != nullptr ? std::string_view(text) : std::string_view();
}

// GLEW probes extensions the old way, which a core profile answers with
// GL_INVALID_ENUM; left queued, that error would be blamed on the next checked
// call. The bound only guards against a driver that never reports "no error".
void discardGlErrors() {
    for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

} // namespace

RGlew::RGlew(std::weak_ptr<IRenderer> renderer)
    : renderer(std::move(renderer)) {}

void RGlew::init() {
    // Without this GLEW skips core-profile entry points it cannot find in the
    // extension string.
    glewExperimental = GL_TRUE;
    GLenum result = glewInit();
    discardGlErrors();
    const auto owner = renderer.lock();
    if (result == GLEW_ERROR_NO_GLX_DISPLAY) {
        // A GLEW built for GLX (Debian's) loads every GL entry point first and
        // then looks for the GLX display of the current context, which a
        // context made through EGL does not have. The GL half is what this
        // back end needs, so the result stands for success exactly when every
        // entry point the back end calls has been loaded.
        const std::vector<std::string_view> missing = missingGlEntryPoints();
        if (!missing.empty()) {
            if (owner) {
                owner->reportMessage(
                    MessageTypeError,
                    fmt::format("GLEW found no GLX display (it is built for GLX), and the "
                                "context lacks these OpenGL entry points: {}.",
                                fmt::join(missing, ", ")));
                owner->reportMessage(MessageTypeError, "Failed to initialize GLEW.");
            }
            status = 0;
            return;
        }
        if (owner) {
            owner->reportMessage(MessageTypeInfo,
                                 "GLEW found no GLX display (it is built for GLX); every OpenGL "
                                 "entry point the back end calls is loaded.");
        }
        result = GLEW_OK;
    }
    if (result != GLEW_OK) {
        if (owner) {
            const auto* text = reinterpret_cast<const char*>(glewGetErrorString(result));
            owner->reportMessage(MessageTypeError,
                                 text != nullptr ? std::string_view(text) : std::string_view());
            owner->reportMessage(MessageTypeError, "Failed to initialize GLEW.");
        }
        status = 0;
        return;
    }
    if (owner) {
        owner->reportMessage(MessageTypeInfo, fmt::format("Vendor: {}.", glString(GL_VENDOR)));
        owner->reportMessage(MessageTypeInfo, fmt::format("Version: {}.", glString(GL_VERSION)));
        owner->reportMessage(MessageTypeInfo,
                             fmt::format("Renderer name: {}.", glString(GL_RENDERER)));
    }
    status = 1;
}

std::int32_t RGlew::getStatus() const {
    return status;
}

} // namespace ox::renderer::opengl
