#include "renderer/opengl/egl/egl_support.hpp"

#include <fmt/format.h>

#include <array>
#include <utility>

namespace ox::renderer::opengl::egl {

namespace {

constexpr std::array<std::pair<EGLint, std::string_view>, 15> errorNames{{
    {EGL_SUCCESS, "EGL_SUCCESS"},
    {EGL_NOT_INITIALIZED, "EGL_NOT_INITIALIZED"},
    {EGL_BAD_ACCESS, "EGL_BAD_ACCESS"},
    {EGL_BAD_ALLOC, "EGL_BAD_ALLOC"},
    {EGL_BAD_ATTRIBUTE, "EGL_BAD_ATTRIBUTE"},
    {EGL_BAD_CONFIG, "EGL_BAD_CONFIG"},
    {EGL_BAD_CONTEXT, "EGL_BAD_CONTEXT"},
    {EGL_BAD_CURRENT_SURFACE, "EGL_BAD_CURRENT_SURFACE"},
    {EGL_BAD_DISPLAY, "EGL_BAD_DISPLAY"},
    {EGL_BAD_MATCH, "EGL_BAD_MATCH"},
    {EGL_BAD_NATIVE_PIXMAP, "EGL_BAD_NATIVE_PIXMAP"},
    {EGL_BAD_NATIVE_WINDOW, "EGL_BAD_NATIVE_WINDOW"},
    {EGL_BAD_PARAMETER, "EGL_BAD_PARAMETER"},
    {EGL_BAD_SURFACE, "EGL_BAD_SURFACE"},
    {EGL_CONTEXT_LOST, "EGL_CONTEXT_LOST"},
}};

} // namespace

std::string eglErrorName(EGLint code) {
    for (const auto& [value, name] : errorNames) {
        if (value == code) {
            return std::string(name);
        }
    }
    return fmt::format("EGL error {:#06x}", code);
}

bool hasEglExtension(const char* extensions, std::string_view name) {
    if (extensions == nullptr || name.empty()) {
        return false;
    }
    std::string_view rest(extensions);
    while (!rest.empty()) {
        const auto space = rest.find(' ');
        if (rest.substr(0, space) == name) {
            return true;
        }
        if (space == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(space + 1);
    }
    return false;
}

} // namespace ox::renderer::opengl::egl
