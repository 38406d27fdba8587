#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/opengl/renderer_options_t.hpp"

#include <memory>

namespace ox::renderer::opengl {

// The one place that knows the platforms: a new, uninitialised OpenGL
// renderer on the platform the options ask for (the window system's, or a
// headless device). Everything above it sees only the renderer interfaces.
class RendererFactory {
public:
    static std::shared_ptr<IRenderer> createRenderer(const renderer_options_t& options);
};

} // namespace ox::renderer::opengl
