#pragma once

#include <cstdint>

namespace ox::renderer {

// Buffer binding targets.
enum class EBufferTarget : std::int32_t {
    ArrayBuffer = 0,
    AtomicCounterBuffer = 1,
    CopyReadBuffer = 2,
    CopyWriteBuffer = 3,
    DispatchIndirectBuffer = 4,
    DrawIndirectBuffer = 5,
    ElementArrayBuffer = 6,
    PixelPackBuffer = 7,
    PixelUnpackBuffer = 8,
    QueryBuffer = 9,
    ShaderStorageBuffer = 10,
    TextureBuffer = 11,
    TransformFeedbackBuffer = 12,
    UniformBuffer = 13,
};

} // namespace ox::renderer
