#include "renderer/opengl/RShaderBuilder.hpp"

#include "renderer/opengl/RShaderHolder.hpp"

#include <GL/glew.h>

#include <cstring>

namespace ox::renderer::opengl {

RShaderBuilder::RShaderBuilder(std::shared_ptr<IRenderingApi> api)
    : api(std::move(api))
    , infoLog(std::make_unique<char[]>(initialInfoLogCapacity)) {}

RShaderBuilder::~RShaderBuilder() = default;

IShaderBuilder& RShaderBuilder::addSource(std::uint32_t stage, const std::string_view& source) {
    sources.emplace_back(stage, std::string(source));
    return *this;
}

IShaderBuilder& RShaderBuilder::addVertexShader(const std::string_view& source) {
    return addSource(GL_VERTEX_SHADER, source);
}

IShaderBuilder& RShaderBuilder::addFragmentShader(const std::string_view& source) {
    return addSource(GL_FRAGMENT_SHADER, source);
}

IShaderBuilder& RShaderBuilder::addComputeShader(const std::string_view& source) {
    return addSource(GL_COMPUTE_SHADER, source);
}

IShaderBuilder& RShaderBuilder::addGeometryShader(const std::string_view& source) {
    return addSource(GL_GEOMETRY_SHADER, source);
}

IShaderBuilder& RShaderBuilder::addTessControlShader(const std::string_view& source) {
    return addSource(GL_TESS_CONTROL_SHADER, source);
}

IShaderBuilder& RShaderBuilder::addTessEvaluationShader(const std::string_view& source) {
    return addSource(GL_TESS_EVALUATION_SHADER, source);
}

void RShaderBuilder::retrieveLog(std::uint32_t object, const ParameterQuery& query,
                                 const LogReader& reader) {
    std::int32_t length = 0;
    query(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0) {
        return;
    }
    if (infoLogCapacity < length) {
        infoLogCapacity = length * 2;
        infoLog = std::make_unique<char[]>(static_cast<std::size_t>(infoLogCapacity));
    }
    std::int32_t written = 0;
    reader(object, infoLogCapacity, &written, infoLog.get());
    // Bounded, in case a reader leaves the buffer without a terminating NUL.
    messages.emplace_back(infoLog.get(),
                          strnlen(infoLog.get(), static_cast<std::size_t>(infoLogCapacity)));
}

std::shared_ptr<IShaderHolder> RShaderBuilder::build() {
    // The entry points are loaded by GLEW at run time; an unloaded one makes
    // an empty function object rather than a call through null.
    const ParameterQuery shaderQuery = glGetShaderiv;
    const LogReader shaderLog = glGetShaderInfoLog;
    const ParameterQuery programQuery = glGetProgramiv;
    const LogReader programLog = glGetProgramInfoLog;

    bool allCompiled = true;
    for (const auto& [stage, source] : sources) {
        const GLuint shader = glCreateShader(stage);
        const GLchar* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        GLint status = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
        if (status == GL_TRUE) {
            compiledShaders.push_back(shader);
        } else {
            retrieveLog(shader, shaderQuery, shaderLog);
            // Nothing will attach it; keeping it would leak one shader object
            // per failed stage on every reload.
            glDeleteShader(shader);
        }
        allCompiled = allCompiled && status == GL_TRUE;
    }

    program = glCreateProgram();
    for (const GLuint shader : compiledShaders) {
        glAttachShader(program, shader);
    }
    glLinkProgram(program);
    GLint linkStatus = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linkStatus);
    if (linkStatus == GL_FALSE) {
        retrieveLog(program, programQuery, programLog);
    }
    const bool linked = allCompiled && linkStatus == GL_TRUE;

    // The program keeps what it needs; the shader objects only have to live
    // until the link.
    for (const GLuint shader : compiledShaders) {
        glDeleteShader(shader);
    }
    compiledShaders.clear();

    return std::make_shared<RShaderHolder>(api, linked, program, messages);
}

} // namespace ox::renderer::opengl
