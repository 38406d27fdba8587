#pragma once

#include <cstdint>

namespace ox::renderer {

// Primitive modes of draw calls. LineStrip comes before LineLoop here, the
// reverse of the OpenGL constants' order.
enum class EPrimitiveMode : std::int32_t {
    Points = 0,
    Lines = 1,
    LineStrip = 2,
    LineLoop = 3,
    Triangles = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
    Quads = 7,
    QuadStrip = 8,
    Polygon = 9,
};

} // namespace ox::renderer
