#include "renderer/opengl/RendererFactory.hpp"

#include "renderer/opengl/egl/EglRenderer.hpp"
#include "renderer/opengl/glfw/Renderer.hpp"

namespace ox::renderer::opengl {

std::shared_ptr<IRenderer> RendererFactory::createRenderer(const renderer_options_t& options) {
    if (options.headless) {
        return std::make_shared<egl::EglRenderer>(options.device);
    }
    return std::make_shared<glfw::Renderer>();
}

} // namespace ox::renderer::opengl
