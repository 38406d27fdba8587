#pragma once

#include <string_view>
#include <vector>

namespace ox::renderer::opengl {

// One OpenGL entry point beyond OpenGL 1.1 that the back end calls, and
// whether GLEW has loaded it.
struct gl_entry_point_t {
    std::string_view name;
    bool loaded = false;
};

// Every such entry point, in alphabetical order, as GLEW's pointers are now.
std::vector<gl_entry_point_t> glEntryPoints();

// The names of those that GLEW left empty. Call it after glewInit, with the
// context current.
std::vector<std::string_view> missingGlEntryPoints();

} // namespace ox::renderer::opengl
