#pragma once

#include <cstdint>

namespace ox::renderer {

// A size in the window system's screen coordinates.
struct dimension_t {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const dimension_t&, const dimension_t&) = default;
};

} // namespace ox::renderer
