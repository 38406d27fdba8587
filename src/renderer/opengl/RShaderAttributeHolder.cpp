#include "renderer/opengl/RShaderAttributeHolder.hpp"

#include "renderer/opengl/OpenGlRenderingApi.hpp"

#include <utility>

namespace ox::renderer::opengl {

RShaderAttributeHolder::RShaderAttributeHolder(bool valid, std::string name, std::int32_t location,
                                               EDataType dataType, std::int32_t componentCount)
    : valid(valid)
    , name(std::move(name))
    , location(location)
    , dataType(dataType)
    , componentCount(componentCount)
    , glType(OpenGlRenderingApi::toGl(dataType)) {}

bool RShaderAttributeHolder::isValid() const {
    return valid;
}

std::string RShaderAttributeHolder::getName() const {
    return name;
}

std::int32_t RShaderAttributeHolder::getLocation() const {
    return location;
}

EDataType RShaderAttributeHolder::getDataType() const {
    return dataType;
}

std::optional<std::uint32_t> RShaderAttributeHolder::getGlType() const {
    return glType;
}

std::int32_t RShaderAttributeHolder::getComponentCount() const {
    return componentCount;
}

} // namespace ox::renderer::opengl
