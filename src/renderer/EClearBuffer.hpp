#pragma once

#include <cstdint>

namespace ox::renderer {

// Buffers cleared by IRenderingApi::clear. One value names one buffer; a set of
// them travels as clear_buffer_flags_t (Color | Depth).
enum class EClearBuffer : std::uint16_t {
    Color = 1,
    Depth = 2,
    Accum = 4,
    Stencil = 8,
};

// Any combination of EClearBuffer bits, including none.
struct clear_buffer_flags_t {
    std::uint16_t bits = 0;

    constexpr bool has(EClearBuffer buffer) const {
        return (bits & static_cast<std::uint16_t>(buffer)) != 0;
    }

    friend constexpr bool operator==(clear_buffer_flags_t, clear_buffer_flags_t) = default;
};

constexpr clear_buffer_flags_t operator|(clear_buffer_flags_t flags, EClearBuffer buffer) {
    return {static_cast<std::uint16_t>(flags.bits | static_cast<std::uint16_t>(buffer))};
}

constexpr clear_buffer_flags_t operator|(EClearBuffer a, EClearBuffer b) {
    return clear_buffer_flags_t{static_cast<std::uint16_t>(a)} | b;
}

} // namespace ox::renderer
