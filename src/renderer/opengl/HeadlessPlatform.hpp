#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/opengl/device_choice_t.hpp"

#include <memory>

namespace ox::renderer::opengl {

// The platform that draws with no window system, where the build has one: an
// EGL device on Linux; Windows builds have none. Chosen by the build
// (HeadlessPlatformEgl.cpp or HeadlessPlatformNone.cpp), for RendererFactory
// alone.

// Null where the build has one; otherwise why --headless cannot run.
const char* headlessPlatformMissing();
// The headless renderer, owned by the caller; null where the build has none.
std::shared_ptr<IRenderer> createHeadlessRenderer(const device_choice_t& device);

} // namespace ox::renderer::opengl
