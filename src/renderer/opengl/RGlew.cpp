#include "renderer/opengl/RGlew.hpp"

#include "renderer/renderer_message_data_t.hpp"

#include <GL/glew.h>
#include <fmt/format.h>

#include <string_view>

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
    const GLenum result = glewInit();
    discardGlErrors();
    const auto owner = renderer.lock();
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
