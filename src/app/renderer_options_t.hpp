#pragma once

namespace ox::app {

// What the command line changes in the renderer start-up; all false, the
// start-up is exactly the default one.
struct renderer_options_t {
    // Ask for a debug context, so that driver messages can be enabled.
    bool debugContext = false;
    // Swap interval 1 instead of 0: swaps wait for the display's refresh.
    bool vsync = false;
};

} // namespace ox::app
