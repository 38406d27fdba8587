#include "renderer/opengl/HeadlessPlatform.hpp"

namespace ox::renderer::opengl {

const char* headlessPlatformMissing() {
    return "--headless is not available on Windows: it draws through EGL, which Windows "
           "drivers do not offer; run with a window instead";
}

std::shared_ptr<IRenderer> createHeadlessRenderer(const device_choice_t&) {
    return nullptr;
}

} // namespace ox::renderer::opengl
