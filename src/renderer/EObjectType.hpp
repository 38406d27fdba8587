#pragma once

#include <cstdint>

namespace ox::renderer {

// Kinds of OpenGL object that IRenderingApi::objectLabel can name.
enum class EObjectType : std::int32_t {
    Buffer = 0,
    Program = 1,
    VertexArray = 2,
};

} // namespace ox::renderer
