#include "renderer/opengl/glfw/GlfwMonitor.hpp"

#include <GLFW/glfw3.h>

namespace ox::renderer::opengl::glfw {

GlfwMonitor::GlfwMonitor(std::weak_ptr<IRenderer> renderer, GLFWmonitor* handle)
    : handle(handle)
    , renderer(std::move(renderer)) {
    // GLFW asserts on a null monitor; such a monitor simply has no properties.
    if (handle == nullptr) {
        return;
    }
    if (const char* monitorName = glfwGetMonitorName(handle)) {
        name = monitorName;
    }
    primary = handle == glfwGetPrimaryMonitor();
    glfwGetMonitorPos(handle, &position.first, &position.second);
    glfwGetMonitorPhysicalSize(handle, &physicalSize.first, &physicalSize.second);

    int count = 0;
    const GLFWvidmode* modes = glfwGetVideoModes(handle, &count);
    if (modes != nullptr && count > 0) {
        videoModes.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            videoModes.emplace_back(modes[i]);
        }
    }
}

std::shared_ptr<IRenderer> GlfwMonitor::getRenderer() const {
    return renderer.lock();
}

void* GlfwMonitor::getNativeHandle() const {
    return handle;
}

bool GlfwMonitor::isPrimary() const {
    return primary;
}

std::pair<std::int32_t, std::int32_t> GlfwMonitor::getPosition() const {
    return position;
}

std::pair<std::int32_t, std::int32_t> GlfwMonitor::getPhysicalSize() const {
    return physicalSize;
}

const std::string& GlfwMonitor::getName() const {
    return name;
}

void GlfwMonitor::forEachVideoMode(std::function<void(const IMonitorVideoMode*)> visitor) {
    if (!visitor) {
        return;
    }
    for (const auto& mode : videoModes) {
        visitor(&mode);
    }
}

const IMonitorVideoMode* GlfwMonitor::getCurrentVideoMode() const {
    if (handle == nullptr) {
        return nullptr;
    }
    const GLFWvidmode* current = glfwGetVideoMode(handle);
    if (current == nullptr) {
        return nullptr;
    }
    for (const auto& mode : videoModes) {
        if (mode.matches(*current)) {
            return &mode;
        }
    }
    return nullptr;
}

void GlfwMonitor::setGamma(float gamma) {
    if (handle != nullptr) {
        glfwSetGamma(handle, gamma);
    }
}

} // namespace ox::renderer::opengl::glfw
