#include "renderer/opengl/HeadlessPlatform.hpp"

#include "renderer/opengl/egl/EglRenderer.hpp"

namespace ox::renderer::opengl {

const char* headlessPlatformMissing() {
    return nullptr;
}

std::shared_ptr<IRenderer> createHeadlessRenderer(const device_choice_t& device) {
    return std::make_shared<egl::EglRenderer>(device);
}

} // namespace ox::renderer::opengl
