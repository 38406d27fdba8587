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
    // Null when the build has no headless platform and the options ask for it.
    static std::shared_ptr<IRenderer> createRenderer(const renderer_options_t& options);
    // Null where the build can draw headless; otherwise one line saying why
    // it cannot, for refusing --headless before anything starts.
    static const char* headlessUnavailable();
};

} // namespace ox::renderer::opengl
