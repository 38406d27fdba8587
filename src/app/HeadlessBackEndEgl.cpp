#include "app/HeadlessBackEnd.hpp"

#include "renderer/egl/EglRenderer.hpp"

namespace ox::app {

const char* headlessBackEndMissing() {
    return nullptr;
}

std::shared_ptr<renderer::IRenderer>
createHeadlessRenderer(const renderer::egl::egl_device_choice_t& device) {
    return std::make_shared<renderer::egl::EglRenderer>(device);
}

} // namespace ox::app
