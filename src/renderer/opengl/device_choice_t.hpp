#pragma once

#include <cstdint>

namespace ox::renderer::opengl {

// Which device a headless renderer draws with.
enum class EDevicePreference : std::int32_t {
    // The first hardware device, else the software one.
    Hardware = 0,
    // Mesa's software rasteriser, which the golden references were drawn with.
    Software = 1,
    // The device with the given index in EGL's list (the log lists them).
    Index = 2,
};

struct device_choice_t {
    EDevicePreference preference = EDevicePreference::Hardware;
    // Used only with EDevicePreference::Index.
    std::uint32_t index = 0;
};

} // namespace ox::renderer::opengl
