#pragma once

#include <EGL/egl.h>

#include <string>
#include <string_view>

namespace ox::renderer::opengl::egl {

// EGL's name for an error code from eglGetError ("EGL_BAD_MATCH"), or the
// code in hexadecimal when EGL defines no such error.
std::string eglErrorName(EGLint code);

// Whether a space-separated EGL extension list (which may be null) holds the
// extension, as a whole word.
bool hasEglExtension(const char* extensions, std::string_view name);

} // namespace ox::renderer::opengl::egl
