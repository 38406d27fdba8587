#pragma once

#include "renderer/egl/egl_device_choice_t.hpp"

namespace ox::app {

// What the command line changes in the renderer start-up; all false, the
// start-up is exactly the default one.
struct renderer_options_t {
    // Ask for a debug context, so that driver messages can be enabled.
    bool debugContext = false;
    // Swap interval 1 instead of 0: swaps wait for the display's refresh.
    bool vsync = false;
    // The headless back end instead of the GLFW one: an EGL device's
    // off-screen surface as the main window, no window system needed.
    bool headless = false;
    // The EGL device the headless back end draws with.
    renderer::egl::egl_device_choice_t eglDevice;
};

} // namespace ox::app
