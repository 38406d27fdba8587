#include "renderer/opengl/glfw/RGlfw.hpp"

#include "renderer/opengl/glfw/GlfwMonitor.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <GLFW/glfw3.h>
#include <fmt/format.h>

#include <functional>

namespace ox::renderer::opengl::glfw {

namespace {

// The one GLFW error callback of the process forwards here. `owner` lets a
// destroyed RGlfw withdraw its route without removing a newer one's.
struct GlfwErrorRoute {
    const RGlfw* owner = nullptr;
    std::function<void(int, const char*)> forward;
};

GlfwErrorRoute& errorRoute() {
    static GlfwErrorRoute route;
    return route;
}

void forwardGlfwError(int code, const char* description) {
    // A copy, so that a handler replacing the route cannot destroy the running function.
    const auto forward = errorRoute().forward;
    if (forward) {
        forward(code, description != nullptr ? description : "");
    }
}

} // namespace

RGlfw::RGlfw(std::weak_ptr<IRenderer> renderer)
    : renderer(std::move(renderer)) {
    auto& route = errorRoute();
    route.owner = this;
    route.forward = [this](int code, const char* description) {
        reportError(code, description);
    };
    glfwSetErrorCallback(&forwardGlfwError);
}

RGlfw::~RGlfw() {
    auto& route = errorRoute();
    if (route.owner == this) {
        route.owner = nullptr;
        route.forward = nullptr;
    }
}

bool RGlfw::init() {
    if (status == 1) {
        return true;
    }
    const auto owner = renderer.lock();
    if (owner) {
        owner->reportMessage(MessageTypeInfo,
                             fmt::format("GLFW version: {}.", glfwGetVersionString()));
    }
    if (glfwInit() != GLFW_TRUE) {
        if (owner) {
            owner->reportMessage(MessageTypeError, "Failed to initialize GLFW.");
        }
        return false;
    }

    std::vector<std::shared_ptr<IMonitor>> found;
    int count = 0;
    GLFWmonitor** handles = glfwGetMonitors(&count);
    for (int i = 0; handles != nullptr && i < count; ++i) {
        auto monitor = std::make_shared<GlfwMonitor>(renderer, handles[i]);
        if (owner) {
            owner->monitorInitialized(monitor);
        }
        found.push_back(std::move(monitor));
    }
    monitors = std::move(found);
    status = 1;
    return true;
}

void RGlfw::terminate() {
    if (status == 1) {
        monitors.clear();
        glfwTerminate();
    }
    status = 0;
}

void RGlfw::reportError(std::int32_t code, const char* description) {
    if (const auto owner = renderer.lock()) {
        owner->reportMessage(MessageTypeError,
                             fmt::format("GLFW > error code: {}, description: {}.", code,
                                         description != nullptr ? description : ""));
    }
}

std::int32_t RGlfw::getStatus() const {
    return status;
}

const std::vector<std::shared_ptr<IMonitor>>& RGlfw::getMonitors() const {
    return monitors;
}

} // namespace ox::renderer::opengl::glfw
