#include "app/HeadlessBackEnd.hpp"

namespace ox::app {

const char* headlessBackEndMissing() {
    return "--headless is not available on Windows: it draws through EGL, which Windows "
           "drivers do not offer; run with a window instead";
}

std::shared_ptr<renderer::IRenderer>
createHeadlessRenderer(const renderer::egl::egl_device_choice_t&) {
    return nullptr;
}

} // namespace ox::app
