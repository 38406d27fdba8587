#pragma once

#include "renderer/window_hints.hpp"

#include <cstdint>

namespace ox::renderer::opengl::egl {

// The framebuffer and context a headless window asks EGL for, filled from the
// window factory's hints. The defaults are GLFW's, so that both back ends
// give the same framebuffer and context for the same hints.
struct egl_context_request_t {
    std::int32_t redBits = 8;
    std::int32_t greenBits = 8;
    std::int32_t blueBits = 8;
    std::int32_t alphaBits = 8;
    std::int32_t depthBits = 24;
    std::int32_t stencilBits = 8;
    std::int32_t samples = 0;
    EClientApi clientApi = EClientApi::OpenGl;
    std::int32_t majorVersion = 1;
    std::int32_t minorVersion = 0;
    EOpenGlProfile profile = EOpenGlProfile::Any;
    bool forwardCompatible = false;
    bool debug = false;
    EContextRobustness robustness = EContextRobustness::None;
};

} // namespace ox::renderer::opengl::egl
