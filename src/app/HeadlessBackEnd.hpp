#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/egl/egl_device_choice_t.hpp"

#include <memory>

namespace ox::app {

// The back end that draws with no window system, where the build has one: an
// EGL device on Linux; Windows builds have none. Chosen by the build, so the
// options and the shell never ask which system they run on.

// Null where the build has one; otherwise why --headless cannot run.
const char* headlessBackEndMissing();
// The headless renderer, owned by the caller; null where the build has none.
std::shared_ptr<renderer::IRenderer>
createHeadlessRenderer(const renderer::egl::egl_device_choice_t& device);

} // namespace ox::app
