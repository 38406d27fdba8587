#pragma once

#include <cstdint>

namespace ox::renderer {

// What a query of IRenderingApi::beginQuery measures.
enum class EQueryTarget : std::int32_t {
    // Nanoseconds the GPU spent on the commands between begin and end.
    TimeElapsed = 0,
};

} // namespace ox::renderer
