#include "renderer/opengl/gl_entry_points.hpp"

#include <GL/glew.h>

namespace ox::renderer::opengl {

// GLEW's names are macros for its function pointers; one macro keeps each
// name and its pointer together.
#define OX_GL_ENTRY_POINT(function)                                                                \
    gl_entry_point_t {                                                                             \
#function, function != nullptr                                                             \
    }

std::vector<gl_entry_point_t> glEntryPoints() {
    return {
        OX_GL_ENTRY_POINT(glAttachShader),
        OX_GL_ENTRY_POINT(glBeginQuery),
        OX_GL_ENTRY_POINT(glBindBuffer),
        OX_GL_ENTRY_POINT(glBindVertexArray),
        OX_GL_ENTRY_POINT(glBufferData),
        OX_GL_ENTRY_POINT(glCompileShader),
        OX_GL_ENTRY_POINT(glCreateProgram),
        OX_GL_ENTRY_POINT(glCreateShader),
        OX_GL_ENTRY_POINT(glDebugMessageCallback),
        OX_GL_ENTRY_POINT(glDebugMessageControl),
        OX_GL_ENTRY_POINT(glDeleteBuffers),
        OX_GL_ENTRY_POINT(glDeleteProgram),
        OX_GL_ENTRY_POINT(glDeleteQueries),
        OX_GL_ENTRY_POINT(glDeleteShader),
        OX_GL_ENTRY_POINT(glDeleteVertexArrays),
        OX_GL_ENTRY_POINT(glDisableVertexAttribArray),
        OX_GL_ENTRY_POINT(glDrawArraysInstanced),
        OX_GL_ENTRY_POINT(glDrawElementsInstanced),
        OX_GL_ENTRY_POINT(glEnableVertexAttribArray),
        OX_GL_ENTRY_POINT(glEndQuery),
        OX_GL_ENTRY_POINT(glGenBuffers),
        OX_GL_ENTRY_POINT(glGenQueries),
        OX_GL_ENTRY_POINT(glGenVertexArrays),
        OX_GL_ENTRY_POINT(glGetAttribLocation),
        OX_GL_ENTRY_POINT(glGetProgramInfoLog),
        OX_GL_ENTRY_POINT(glGetProgramiv),
        OX_GL_ENTRY_POINT(glGetQueryObjectiv),
        OX_GL_ENTRY_POINT(glGetQueryObjectui64v),
        OX_GL_ENTRY_POINT(glGetQueryiv),
        OX_GL_ENTRY_POINT(glGetShaderInfoLog),
        OX_GL_ENTRY_POINT(glGetShaderiv),
        OX_GL_ENTRY_POINT(glGetUniformLocation),
        OX_GL_ENTRY_POINT(glIsBuffer),
        OX_GL_ENTRY_POINT(glIsVertexArray),
        OX_GL_ENTRY_POINT(glLinkProgram),
        OX_GL_ENTRY_POINT(glObjectLabel),
        OX_GL_ENTRY_POINT(glPopDebugGroup),
        OX_GL_ENTRY_POINT(glPushDebugGroup),
        OX_GL_ENTRY_POINT(glShaderSource),
        OX_GL_ENTRY_POINT(glUniform1f),
        OX_GL_ENTRY_POINT(glUniform1ui),
        OX_GL_ENTRY_POINT(glUniform4fv),
        OX_GL_ENTRY_POINT(glUniformMatrix4fv),
        OX_GL_ENTRY_POINT(glUseProgram),
        OX_GL_ENTRY_POINT(glVertexAttribPointer),
    };
}

#undef OX_GL_ENTRY_POINT

std::vector<std::string_view> missingGlEntryPoints() {
    std::vector<std::string_view> missing;
    for (const gl_entry_point_t& entry : glEntryPoints()) {
        if (!entry.loaded) {
            missing.push_back(entry.name);
        }
    }
    return missing;
}

} // namespace ox::renderer::opengl
