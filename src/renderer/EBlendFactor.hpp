#pragma once

#include <cstdint>

namespace ox::renderer {

// Weights of IRenderingApi::blendFunc: what the incoming colour (source) and
// the colour already in the frame (destination) are multiplied by before
// they are added.
enum class EBlendFactor : std::int32_t {
    Zero = 0,
    One = 1,
    SourceAlpha = 2,
    OneMinusSourceAlpha = 3,
};

} // namespace ox::renderer
