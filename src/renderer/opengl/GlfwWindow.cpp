#include "renderer/opengl/GlfwWindow.hpp"

#include "renderer/glfw_codes.hpp"
#include "renderer/opengl/events_sink.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <GLFW/glfw3.h>
#include <fmt/format.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_map>

namespace ox::renderer::opengl {

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
    : renderer(renderer)
    , monitor(monitor)
    , size(size) {
    GLFWmonitor* fullScreen =
        monitor ? static_cast<GLFWmonitor*>(monitor->getNativeHandle()) : nullptr;
    handle = glfwCreateWindow(size.width, size.height, title.c_str(), fullScreen, nullptr);
    if (handle != nullptr) {
        bindCallbacks();
    }
}

// A window released without destroy() keeps its GLFW window until GLFW ends,
// but its callbacks must not reach this object any more.
GlfwWindow::~GlfwWindow() {
    unbindCallbacks();
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
        onCursorPosition(x, y);
    };
    glfwSetCursorPosCallback(handle, &cursorPositionCallback);
    registry.scroll[handle] = [this](double xOffset, double yOffset) {
        onScroll(xOffset, yOffset);
    };
    glfwSetScrollCallback(handle, &scrollCallback);
    registry.close[handle] = [this]() {
        onClose();
    };
    glfwSetWindowCloseCallback(handle, &closeCallback);
}

void GlfwWindow::unbindCallbacks() {
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

std::shared_ptr<IRenderer> GlfwWindow::getRenderer() const {
    return renderer.lock();
}

std::shared_ptr<IMonitor> GlfwWindow::getMonitor() const {
    return monitor.lock();
}

void GlfwWindow::attachEvents(std::shared_ptr<IRendererWindowEvents> sink) {
    attachEventsSink(events, std::move(sink), detaching);
}

void GlfwWindow::detachEvents() {
    detachEventsSink(events, detaching);
}

bool GlfwWindow::isValid() const {
    return handle != nullptr;
}

void GlfwWindow::handleResize(std::int32_t width, std::int32_t height) {
    if (handle != nullptr) {
        onResize(width, height);
    }
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

bool GlfwWindow::isKeyPressed(EInputKey key) const {
    if (handle == nullptr) {
        return false;
    }
    // From the window's own key events rather than glfwGetKey: a tap released
    // before the frame asked must still be seen once, and only the events
    // tell whether a question has seen the press (GLFW's sticky keys also
    // replay a press that every frame saw, one frame after its release).
    return keys.isPressed(key);
}

void GlfwWindow::setTitle(const std::string_view& text) {
    // Every call reaches GLFW, also with an unchanged text: the frame loop sets
    // the title once per frame by design, and the frame-rate comparison with
    // the raw OpenGL baseline (bench/) counts on both doing the same work.
    if (handle == nullptr) {
        return;
    }
    title.assign(text);
    glfwSetWindowTitle(handle, title.c_str());
}

const std::string& GlfwWindow::getTitle() const {
    return title;
}

void GlfwWindow::focus() {
    if (handle != nullptr) {
        glfwFocusWindow(handle);
    }
}

void GlfwWindow::makeContextCurrent() {
    if (const auto owner = renderer.lock()) {
        owner->reportMessage(MessageTypeInfo,
                             fmt::format("Making context current for a window '{}'.", title));
    }
    if (handle != nullptr) {
        glfwMakeContextCurrent(handle);
    }
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

dimension_t GlfwWindow::getSize() const {
    if (handle == nullptr) {
        return dimension_t{-1, -1};
    }
    int width = 0;
    int height = 0;
    glfwGetWindowSize(handle, &width, &height);
    return dimension_t{width, height};
}

void GlfwWindow::setAspectRatio(float ratio) {
    aspectRatio = ratio;
}

void GlfwWindow::setAspectRatio(std::int32_t width, std::int32_t height) {
    if (height != 0) {
        setAspectRatio(static_cast<float>(width) / static_cast<float>(height));
    } else {
        setAspectRatio(1.0F);
    }
}

float GlfwWindow::getAspectRatio() const {
    return aspectRatio;
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

void GlfwWindow::destroy() {
    // A close or destroy-window listener may destroy the window it is told about.
    // The handle stays set until the closing routine is over, so without this
    // check such a listener would start the routine again, and again.
    if (handle == nullptr || destroying) {
        return;
    }
    const ReentryScope scope{destroying};
    // The renderer may hold the last reference and drops it in the closing routine.
    const auto self = weak_from_this().lock();
    onClose();
    glfwDestroyWindow(handle);
    handle = nullptr;
}

GLFWwindow* GlfwWindow::getNativeHandle() const {
    return handle;
}

void GlfwWindow::onResize(int width, int height) {
    size = dimension_t{width, height};
    setAspectRatio(width, height);
    if (events) {
        const auto sink = events;
        sink->invokeOnResizeEvent(weak_from_this().lock(), size);
    }
}

void GlfwWindow::onKey(int key, int scancode, int action, int mods) {
    const auto translatedKey = keyFromGlfw(key);
    const auto translatedAction = actionFromGlfw(action);
    if (translatedKey && translatedAction) {
        keys.onKey(*translatedKey, *translatedAction);
    }
    if (!events) {
        return;
    }
    if (translatedKey && translatedAction) {
        const auto sink = events;
        sink->invokeOnKeyEvent(weak_from_this().lock(), *translatedKey, scancode, *translatedAction,
                               modsFromGlfw(mods));
        return;
    }
    if (const auto owner = renderer.lock()) {
        owner->reportMessage(
            MessageTypeError,
            fmt::format("Failed to translate keyCode and/or actionCode. Inputs: keyCode = {}, "
                        "actionCode = {}. Translations statuses: keyCode = {}, actionCode = {}",
                        key, action, status(translatedKey.has_value()),
                        status(translatedAction.has_value())));
    }
}

void GlfwWindow::onMouseButton(int button, int action, int mods) {
    if (!events) {
        return;
    }
    const auto translatedButton = mouseButtonFromGlfw(button);
    const auto translatedAction = actionFromGlfw(action);
    if (translatedButton && translatedAction) {
        const auto sink = events;
        sink->invokeOnMouseButtonEvent(weak_from_this().lock(), *translatedButton,
                                       *translatedAction, modsFromGlfw(mods));
        return;
    }
    if (const auto owner = renderer.lock()) {
        owner->reportMessage(
            MessageTypeError,
            fmt::format("Failed to translate mouseButton and/or actionCode. Inputs: mouseButton "
                        "= {}, actionCode = {}. Translations statuses: mouseButton = {}, "
                        "actionCode = {}",
                        button, action, status(translatedButton.has_value()),
                        status(translatedAction.has_value())));
    }
}

void GlfwWindow::onCursorPosition(double x, double y) {
    if (events) {
        const auto sink = events;
        sink->invokeOnCursorPositionEvent(weak_from_this().lock(), x, y);
    }
}

void GlfwWindow::onScroll(double xOffset, double yOffset) {
    if (events) {
        const auto sink = events;
        sink->invokeOnScrollEvent(weak_from_this().lock(), xOffset, yOffset);
    }
}

void GlfwWindow::onClose() {
    // Keeps this window alive even if the renderer held the last reference.
    const auto self = weak_from_this().lock();
    if (events) {
        const auto sink = events;
        sink->invokeOnCloseEvent(self);
    }
    detachEvents();
    unbindCallbacks();
    if (const auto owner = renderer.lock()) {
        owner->windowDestroyed(self);
    }
}

} // namespace ox::renderer::opengl
