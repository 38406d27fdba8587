#include "renderer/opengl/RShaderUniformHolder.hpp"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include <utility>

namespace ox::renderer::opengl {

RShaderUniformHolder::RShaderUniformHolder(bool valid, std::string name, std::int32_t location)
    : valid(valid)
    , name(std::move(name))
    , location(location) {}

bool RShaderUniformHolder::isValid() const {
    return valid;
}

std::string RShaderUniformHolder::getName() const {
    return name;
}

std::int32_t RShaderUniformHolder::getLocation() const {
    return location;
}

void RShaderUniformHolder::set(const glm::mat4& matrix) const {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(matrix));
}

void RShaderUniformHolder::set(const glm::vec4& vector) const {
    glUniform4fv(location, 1, glm::value_ptr(vector));
}

void RShaderUniformHolder::set(const std::array<float, 4>& vector) const {
    glUniform4fv(location, 1, vector.data());
}

void RShaderUniformHolder::set(std::span<const float, 4> vector) const {
    glUniform4fv(location, 1, vector.data());
}

void RShaderUniformHolder::set(const std::uint32_t& value) const {
    glUniform1ui(location, value);
}

void RShaderUniformHolder::set(const float& value) const {
    glUniform1f(location, value);
}

} // namespace ox::renderer::opengl
