#pragma once

#include "renderer/opengl/device_choice_t.hpp"

namespace ox::renderer::opengl {

// What a program may change in the OpenGL back end's start-up; all false, the
// start-up is exactly the default one. createRenderer picks the platform from it.
struct renderer_options_t {
    // Ask for a debug context, so that driver messages can be enabled.
    bool debugContext = false;
    // Swap interval 1 instead of 0: swaps wait for the display's refresh.
    bool vsync = false;
    // No window system: the main window is an off-screen surface of a
    // device, drawn exactly as a window's would be.
    bool headless = false;
    // The device a headless renderer draws with.
    device_choice_t device;
};

} // namespace ox::renderer::opengl
