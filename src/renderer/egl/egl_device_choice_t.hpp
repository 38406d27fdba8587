#pragma once

#include <cstdint>

namespace ox::renderer::egl {

// Which EGL device the headless renderer draws with.
enum class EEglDevicePreference : std::int32_t {
    // The first hardware device, else the software one.
    Hardware = 0,
    // Mesa's software rasteriser, which the golden references were drawn with.
    Software = 1,
    // The device with the given index in EGL's list (the log lists them).
    Index = 2,
};

struct egl_device_choice_t {
    EEglDevicePreference preference = EEglDevicePreference::Hardware;
    // Used only with EEglDevicePreference::Index.
    std::uint32_t index = 0;
};

} // namespace ox::renderer::egl
