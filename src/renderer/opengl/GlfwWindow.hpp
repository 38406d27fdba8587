#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/KeyLatch.hpp"

#include <memory>
#include <optional>
#include <string>

struct GLFWwindow;

namespace ox::renderer::opengl {

// One GLFW window with its OpenGL context. GLFW's callbacks reach the window
// through a process-wide registry keyed by the GLFW handle; the window
// translates GLFW's codes and forwards each event to its attached sink. Made by
// GlfwWindowFactory with std::make_shared, registered with the renderer, and
// ended with destroy() (the renderer's deinit destroys what is left). Holds the
// renderer and the monitor weakly. Main thread only.
class GlfwWindow : public IRendererWindow, public std::enable_shared_from_this<GlfwWindow> {
public:
    GlfwWindow(std::shared_ptr<IRenderer> renderer, std::shared_ptr<IMonitor> monitor,
               dimension_t size);
    ~GlfwWindow() override;

    GlfwWindow(const GlfwWindow&) = delete;
    GlfwWindow& operator=(const GlfwWindow&) = delete;

    std::shared_ptr<IRenderer> getRenderer() const override;
    std::shared_ptr<IMonitor> getMonitor() const override;
    void attachEvents(std::shared_ptr<IRendererWindowEvents> sink) override;
    void detachEvents() override;
    bool isValid() const override;
    void handleResize(std::int32_t width, std::int32_t height) override;
    void setCursorMode(ECursorMode mode) override;
    std::optional<ECursorMode> getCursorMode() const override;
    bool isKeyPressed(EInputKey key) const override;
    void setTitle(const std::string_view& text) override;
    const std::string& getTitle() const override;
    void focus() override;
    void makeContextCurrent() override;
    dimension_t getSize() const override;
    float getContentScale() const override;
    void setAspectRatio(float ratio) override;
    void setAspectRatio(std::int32_t width, std::int32_t height) override;
    float getAspectRatio() const override;
    void swapBuffers() override;
    void setShouldClose(bool value) override;
    bool shouldClose() const override;
    void destroy() override;

    // The GLFW window, null once destroyed; for code that needs the native window.
    GLFWwindow* getNativeHandle() const;

private:
    void bindCallbacks();
    void unbindCallbacks();

    void onResize(int width, int height);
    void onKey(int key, int scancode, int action, int mods);
    void onMouseButton(int button, int action, int mods);
    void onCursorPosition(double x, double y);
    void onScroll(double xOffset, double yOffset);
    void onClose();

    std::weak_ptr<IRenderer> renderer;
    std::weak_ptr<IMonitor> monitor;
    std::shared_ptr<IRendererWindowEvents> events;
    GLFWwindow* handle = nullptr;
    // Set while destroy() runs the closing routine.
    bool destroying = false;
    // Set while detachEvents() runs the detach listeners.
    bool detaching = false;
    dimension_t size;
    float aspectRatio = 1.0F;
    std::string title = "OpenGL renderer window";
    // Asking for a key marks its press as seen, hence mutable.
    mutable KeyLatch keys;
};

} // namespace ox::renderer::opengl
