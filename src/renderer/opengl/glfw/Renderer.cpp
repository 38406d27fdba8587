#include "renderer/opengl/glfw/Renderer.hpp"

#include "renderer/IMonitor.hpp"
#include "renderer/opengl/glfw/GlfwWindowFactory.hpp"

#include <GLFW/glfw3.h>

namespace ox::renderer::opengl::glfw {

Renderer::~Renderer() {
    deinit();
}

bool Renderer::init() {
    beginInit();
    if (!glfw) {
        glfw = std::make_shared<RGlfw>(weak_from_this());
    }
    if (glfw->getStatus() != 1 && !glfw->init()) {
        reportMessage(MessageTypeError, "GLFW > Failed to initialize subsystem.");
    }
    return glfw->getStatus() == 1;
}

void Renderer::releaseWindowSystem() {
    if (glfw) {
        glfw->terminate();
    }
}

bool Renderer::isInitialized() const {
    return glfw && glfw->getStatus() == 1;
}

const std::vector<std::shared_ptr<IMonitor>>& Renderer::getMonitors() const {
    static const std::vector<std::shared_ptr<IMonitor>> none;
    return glfw ? glfw->getMonitors() : none;
}

std::shared_ptr<IMonitor> Renderer::getPrimaryMonitor() const {
    for (const auto& monitor : getMonitors()) {
        if (monitor && monitor->isPrimary()) {
            return monitor;
        }
    }
    if (glfw) {
        glfw->reportError(-1, "Primary monitor not found.");
    }
    return {};
}

std::unique_ptr<IRendererWindowFactory> Renderer::createWindowFactory() {
    return std::make_unique<GlfwWindowFactory>(self(), eventsSink());
}

void Renderer::setSwapInterval(bool enabled) {
    glfwSwapInterval(enabled ? 1 : 0);
}

double Renderer::getTime() const {
    return glfwGetTime();
}

void Renderer::pollWindowSystem() {
    glfwPollEvents();
}

} // namespace ox::renderer::opengl::glfw
