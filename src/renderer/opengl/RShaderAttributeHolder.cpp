#include "renderer/opengl/RShaderAttributeHolder.hpp"

#include <GL/glew.h>

#include <array>
#include <utility>

namespace ox::renderer::opengl {

namespace {

// Searched from the top; the first matching value wins.
constexpr std::array<std::pair<EDataType, GLenum>, 13> dataTypeTable{{
    {EDataType::Byte, GL_BYTE},
    {EDataType::UnsignedByte, GL_UNSIGNED_BYTE},
    {EDataType::Short, GL_SHORT},
    {EDataType::UnsignedShort, GL_UNSIGNED_SHORT},
    {EDataType::Int, GL_INT},
    {EDataType::UnsignedInt, GL_UNSIGNED_INT},
    {EDataType::HalfFloat, GL_HALF_FLOAT},
    {EDataType::Float, GL_FLOAT},
    {EDataType::Double, GL_DOUBLE},
    {EDataType::Fixed, GL_FIXED},
    {EDataType::Int2101010Rev, GL_INT_2_10_10_10_REV},
    {EDataType::UnsignedInt2101010Rev, GL_UNSIGNED_INT_2_10_10_10_REV},
    {EDataType::UnsignedInt10F11F11FRev, GL_UNSIGNED_INT_10F_11F_11F_REV},
}};

std::optional<std::uint32_t> toGlType(EDataType dataType) {
    for (const auto& [value, constant] : dataTypeTable) {
        if (value == dataType) {
            return constant;
        }
    }
    return std::nullopt;
}

} // namespace

RShaderAttributeHolder::RShaderAttributeHolder(bool valid, std::string name, std::int32_t location,
                                               EDataType dataType, std::int32_t componentCount)
    : valid(valid)
    , name(std::move(name))
    , location(location)
    , dataType(dataType)
    , componentCount(componentCount)
    , glType(toGlType(dataType)) {}

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
