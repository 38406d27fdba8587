#include "renderer/opengl/RendererFactory.hpp"

#include "renderer/opengl/HeadlessPlatform.hpp"
#include "renderer/opengl/glfw/Renderer.hpp"

namespace ox::renderer::opengl {

std::shared_ptr<IRenderer> RendererFactory::createRenderer(const renderer_options_t& options) {
    if (options.headless) {
        return createHeadlessRenderer(options.device);
    }
    return std::make_shared<glfw::Renderer>();
}

const char* RendererFactory::headlessUnavailable() {
    return headlessPlatformMissing();
}

} // namespace ox::renderer::opengl
