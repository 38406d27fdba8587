#include "renderer/opengl/RShaderHolder.hpp"

#include "renderer/IRenderer.hpp"
#include "renderer/opengl/RShaderAttributeHolder.hpp"
#include "renderer/opengl/RShaderUniformHolder.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <GL/glew.h>
#include <fmt/format.h>

#include <utility>

namespace ox::renderer::opengl {

RShaderHolder::RShaderHolder(std::weak_ptr<IRenderingApi> api, bool linked, std::uint32_t program,
                             std::vector<std::string> messages)
    : api(std::move(api))
    , linked(linked)
    , program(program)
    , messages(std::move(messages)) {}

RShaderHolder::~RShaderHolder() {
    // Once the renderer has let go of the API its context may be gone, and
    // the program with it; only delete while the renderer is still there.
    const auto lockedApi = api.lock();
    if (lockedApi && lockedApi->getRenderer() && program != 0) {
        glDeleteProgram(program);
    }
}

std::uint32_t RShaderHolder::getProgram() const {
    return program;
}

void RShaderHolder::forEachMessage(std::function<void(const std::string_view)> visitor) const {
    if (!visitor) {
        return;
    }
    for (const auto& message : messages) {
        visitor(message);
    }
}

bool RShaderHolder::isLinked() const {
    return linked;
}

void RShaderHolder::use() const {
    glUseProgram(program);
}

void RShaderHolder::reportLookup(bool found, const std::string& message,
                                 const std::string_view& callName) const {
    const auto lockedApi = api.lock();
    if (!lockedApi) {
        return;
    }
    const auto renderer = lockedApi->getRenderer();
    if (!renderer) {
        return;
    }
    if (!found) {
        renderer->reportMessage(MessageTypeError, message);
    }
    renderer->pollErrors(callName);
}

std::shared_ptr<IShaderUniformHolder>
RShaderHolder::getUniformLocation(const std::string_view& name) const {
    // OpenGL reads up to a NUL; a view need not end in one.
    std::string nameCopy(name);
    const GLint location = glGetUniformLocation(program, nameCopy.c_str());
    const bool valid = location != -1;
    reportLookup(valid,
                 valid ? std::string()
                       : fmt::format("RShaderHolder::getUniformLocation() failed, because "
                                     "uniform '{}' was not found.",
                                     nameCopy),
                 "RShaderHolder[glGetUniformLocation]");
    return std::make_shared<RShaderUniformHolder>(valid, std::move(nameCopy), location);
}

std::shared_ptr<IShaderAttributeHolder>
RShaderHolder::getAttributeLocation(const std::string_view& name, EDataType dataType,
                                    std::int32_t componentCount) const {
    std::string nameCopy(name);
    const GLint location = glGetAttribLocation(program, nameCopy.c_str());
    const bool valid = location != -1;
    reportLookup(valid,
                 valid ? std::string()
                       : fmt::format("RShaderHolder::getAttributeLocation() failed, because "
                                     "attribute '{}' was not found.",
                                     nameCopy),
                 "RShaderHolder[getAttributeLocation]");
    return std::make_shared<RShaderAttributeHolder>(valid, std::move(nameCopy), location, dataType,
                                                    componentCount);
}

std::shared_ptr<IShaderAttributeHolder>
RShaderHolder::getAttributeLocation(std::string name, EDataType dataType,
                                    std::int32_t componentCount) const {
    return getAttributeLocation(std::string_view{name}, dataType, componentCount);
}

} // namespace ox::renderer::opengl
