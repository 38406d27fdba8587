#pragma once

#include "renderer/EDataType.hpp"

#include <cstdint>
#include <string>

namespace ox::engine::shader {

// A vertex attribute a program must provide, with the component type and count
// its owner will feed it.
struct shader_attribute_t {
    std::string name;
    renderer::EDataType dataType = renderer::EDataType::Float;
    std::int32_t componentCount = 0;
};

} // namespace ox::engine::shader
