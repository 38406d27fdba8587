#include "renderer/opengl/glfw/GlfwMonitorVideoMode.hpp"

#include <GLFW/glfw3.h>

namespace ox::renderer::opengl::glfw {

GlfwMonitorVideoMode::GlfwMonitorVideoMode(const GLFWvidmode& mode)
    : width(mode.width)
    , height(mode.height)
    , redBits(mode.redBits)
    , greenBits(mode.greenBits)
    , blueBits(mode.blueBits)
    , refreshRate(mode.refreshRate) {}

std::int32_t GlfwMonitorVideoMode::getWidth() const {
    return width;
}
std::int32_t GlfwMonitorVideoMode::getHeight() const {
    return height;
}
std::int32_t GlfwMonitorVideoMode::getRedBits() const {
    return redBits;
}
std::int32_t GlfwMonitorVideoMode::getGreenBits() const {
    return greenBits;
}
std::int32_t GlfwMonitorVideoMode::getBlueBits() const {
    return blueBits;
}
std::int32_t GlfwMonitorVideoMode::getRefreshRate() const {
    return refreshRate;
}

bool GlfwMonitorVideoMode::matches(const GLFWvidmode& mode) const {
    return width == mode.width && height == mode.height && redBits == mode.redBits &&
           greenBits == mode.greenBits && blueBits == mode.blueBits &&
           refreshRate == mode.refreshRate;
}

} // namespace ox::renderer::opengl::glfw
