#pragma once

#include <cstdint>

namespace ox::renderer {

// Usage hints of IRenderingApi::bufferData.
enum class EBufferUsage : std::int32_t {
    StreamDraw = 0,
    StreamRead = 1,
    StreamCopy = 2,
    StaticDraw = 3,
    StaticRead = 4,
    StaticCopy = 5,
    DynamicDraw = 6,
    DynamicRead = 7,
    DynamicCopy = 8,
};

} // namespace ox::renderer
