#include "renderer/opengl/glfw/GlfwWindow.hpp"

#include "renderer/opengl/glfw/glfw_codes.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <GLFW/glfw3.h>
#include <fmt/format.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_map>

namespace ox::renderer::opengl::glfw {

namespace {

// GLFW's callbacks carry no user context, so each plain callback below finds
// the owning window's bound handler here. Lives for the whole process.
struct WindowCallbackRegistry {
    std::unordered_map<GLFWwindow*, std::function<void(int, int)>> size;
    std::unordered_map<GLFWwindow*, std::function<void(int, int, int, int)>> key;
    std::unordered_map<GLFWwindow*, std::function<void(int, int, int)>> mouseButton;
    std::unordered_map<GLFWwindow*, std::function<void(double, double)>> cursorPosition;
    std::unordered_map<GLFWwindow*, std::function<void(double, double)>> scroll;
    std::unordered_map<GLFWwindow*, std::function<void()>> close;
};

WindowCallbackRegistry& windowCallbackRegistry() {
    static WindowCallbackRegistry registry;
    return registry;
}

// The handler runs from a copy: the closing routine removes the map entries
// while it is itself one of them, and any handler may end its window.
template <typename Map, typename... Args>
void dispatch(Map& map, GLFWwindow* window, Args... args) {
    const auto found = map.find(window);
    if (found == map.end()) {
        return;
    }
    const auto handler = found->second;
    if (handler) {
        handler(args...);
    }
}

void sizeCallback(GLFWwindow* window, int width, int height) {
    dispatch(windowCallbackRegistry().size, window, width, height);
}

void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods) {
    dispatch(windowCallbackRegistry().key, window, key, scancode, action, mods);
}

void mouseButtonCallback(GLFWwindow* window, int button, int action, int mods) {
    dispatch(windowCallbackRegistry().mouseButton, window, button, action, mods);
}

void cursorPositionCallback(GLFWwindow* window, double x, double y) {
    dispatch(windowCallbackRegistry().cursorPosition, window, x, y);
}

void scrollCallback(GLFWwindow* window, double xOffset, double yOffset) {
    dispatch(windowCallbackRegistry().scroll, window, xOffset, yOffset);
}

void closeCallback(GLFWwindow* window) {
    dispatch(windowCallbackRegistry().close, window);
}

const char* status(bool translated) {
    return translated ? "ok" : "failed";
}

} // namespace

GlfwWindow::GlfwWindow(std::shared_ptr<IRenderer> renderer, std::shared_ptr<IMonitor> monitor,
                       dimension_t size)
    : OpenGlWindowBase(renderer, size)
    , monitor(monitor) {
    GLFWmonitor* fullScreen =
        monitor ? static_cast<GLFWmonitor*>(monitor->getNativeHandle()) : nullptr;
    handle = glfwCreateWindow(size.width, size.height, getTitle().c_str(), fullScreen, nullptr);
    if (handle != nullptr) {
        bindCallbacks();
    }
}

// A window released without destroy() keeps its GLFW window until GLFW ends,
// but its callbacks must not reach this object any more.
GlfwWindow::~GlfwWindow() {
    unbindNativeInput();
}

void GlfwWindow::bindCallbacks() {
    auto& registry = windowCallbackRegistry();
    registry.size[handle] = [this](int width, int height) {
        onResize(width, height);
    };
    glfwSetWindowSizeCallback(handle, &sizeCallback);
    registry.key[handle] = [this](int key, int scancode, int action, int mods) {
        onKey(key, scancode, action, mods);
    };
    glfwSetKeyCallback(handle, &keyCallback);
    registry.mouseButton[handle] = [this](int button, int action, int mods) {
        onMouseButton(button, action, mods);
    };
    glfwSetMouseButtonCallback(handle, &mouseButtonCallback);
    registry.cursorPosition[handle] = [this](double x, double y) {
        inputCursorPosition(x, y);
    };
    glfwSetCursorPosCallback(handle, &cursorPositionCallback);
    registry.scroll[handle] = [this](double xOffset, double yOffset) {
        inputScroll(xOffset, yOffset);
    };
    glfwSetScrollCallback(handle, &scrollCallback);
    registry.close[handle] = [this]() {
        onClose();
    };
    glfwSetWindowCloseCallback(handle, &closeCallback);
}

void GlfwWindow::unbindNativeInput() {
    if (handle == nullptr) {
        return;
    }
    auto& registry = windowCallbackRegistry();
    registry.size.erase(handle);
    registry.key.erase(handle);
    registry.mouseButton.erase(handle);
    registry.cursorPosition.erase(handle);
    registry.scroll.erase(handle);
    registry.close.erase(handle);
}

std::shared_ptr<IMonitor> GlfwWindow::getMonitor() const {
    return monitor.lock();
}

bool GlfwWindow::isValid() const {
    return handle != nullptr;
}

void GlfwWindow::setCursorMode(ECursorMode mode) {
    if (handle == nullptr) {
        return;
    }
    if (const auto glfwMode = cursorModeToGlfw(mode)) {
        glfwSetInputMode(handle, GLFW_CURSOR, *glfwMode);
    }
}

std::optional<ECursorMode> GlfwWindow::getCursorMode() const {
    if (handle == nullptr) {
        return std::nullopt;
    }
    return cursorModeFromGlfw(glfwGetInputMode(handle, GLFW_CURSOR));
}

void GlfwWindow::showTitle(const std::string& text) {
    glfwSetWindowTitle(handle, text.c_str());
}

void GlfwWindow::focus() {
    if (handle != nullptr) {
        glfwFocusWindow(handle);
    }
}

void GlfwWindow::bindContext() {
    glfwMakeContextCurrent(handle);
}

float GlfwWindow::getContentScale() const {
    float x = 1.0f;
    float y = 1.0f;
    if (handle != nullptr) {
        glfwGetWindowContentScale(handle, &x, &y);
    }
    // A scale the window system cannot give sensibly is no reason to draw
    // text too small to read or too large to fit.
    return std::isfinite(y) && y >= 0.5f && y <= 4.0f ? y : 1.0f;
}

dimension_t GlfwWindow::readSize() const {
    int width = 0;
    int height = 0;
    glfwGetWindowSize(handle, &width, &height);
    return dimension_t{width, height};
}

void GlfwWindow::swapBuffers() {
    if (handle != nullptr) {
        glfwSwapBuffers(handle);
    }
}

void GlfwWindow::setShouldClose(bool value) {
    if (handle != nullptr) {
        glfwSetWindowShouldClose(handle, value ? GLFW_TRUE : GLFW_FALSE);
    }
}

bool GlfwWindow::shouldClose() const {
    return handle != nullptr && glfwWindowShouldClose(handle) != GLFW_FALSE;
}

void GlfwWindow::releaseNativeWindow() {
    glfwDestroyWindow(handle);
    handle = nullptr;
}

GLFWwindow* GlfwWindow::getNativeHandle() const {
    return handle;
}

void GlfwWindow::onKey(int key, int scancode, int action, int mods) {
    const auto translatedKey = keyFromGlfw(key);
    const auto translatedAction = actionFromGlfw(action);
    if (translatedKey && translatedAction) {
        inputKey(*translatedKey, scancode, *translatedAction, modsFromGlfw(mods));
        return;
    }
    if (hasEvents()) {
        report(MessageTypeError,
               fmt::format("Failed to translate keyCode and/or actionCode. Inputs: keyCode = {}, "
                           "actionCode = {}. Translations statuses: keyCode = {}, actionCode = {}",
                           key, action, status(translatedKey.has_value()),
                           status(translatedAction.has_value())));
    }
}

void GlfwWindow::onMouseButton(int button, int action, int mods) {
    if (!hasEvents()) {
        return;
    }
    const auto translatedButton = mouseButtonFromGlfw(button);
    const auto translatedAction = actionFromGlfw(action);
    if (translatedButton && translatedAction) {
        inputMouseButton(*translatedButton, *translatedAction, modsFromGlfw(mods));
        return;
    }
    report(MessageTypeError,
           fmt::format("Failed to translate mouseButton and/or actionCode. Inputs: mouseButton "
                       "= {}, actionCode = {}. Translations statuses: mouseButton = {}, "
                       "actionCode = {}",
                       button, action, status(translatedButton.has_value()),
                       status(translatedAction.has_value())));
}

} // namespace ox::renderer::opengl::glfw
