#pragma once

#include <cstdint>

namespace ox::renderer {

// The settings of the bound 2D texture that IRenderingApi::texParameter
// changes, and the filters they take.
enum class ETextureParameter : std::int32_t {
    // Used where a pixel covers more than one texel.
    MinFilter = 0,
    // Used where a texel covers more than one pixel.
    MagFilter = 1,
};

enum class ETextureFilter : std::int32_t {
    Nearest = 0,
    Linear = 1,
};

} // namespace ox::renderer
