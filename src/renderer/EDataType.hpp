#pragma once

#include <cstdint>

namespace ox::renderer {

// Component types of vertex attributes and index types of indexed draws.
enum class EDataType : std::int32_t {
    Byte = 0,
    UnsignedByte = 1,
    Short = 2,
    UnsignedShort = 3,
    Int = 4,
    UnsignedInt = 5,
    HalfFloat = 6,
    Float = 7,
    Double = 8,
    Fixed = 9,
    Int2101010Rev = 10,
    UnsignedInt2101010Rev = 11,
    UnsignedInt10F11F11FRev = 12,
};

} // namespace ox::renderer
