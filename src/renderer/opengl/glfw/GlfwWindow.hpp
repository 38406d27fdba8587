#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/opengl/OpenGlWindowBase.hpp"

#include <memory>
#include <optional>
#include <string>

struct GLFWwindow;

namespace ox::renderer::opengl::glfw {

// One GLFW window with its OpenGL context: the GLFW piece of a window of the
// OpenGL back end. GLFW's callbacks reach the window through a process-wide
// registry keyed by the GLFW handle; the window translates GLFW's codes and
// hands each event to the window input it shares with every platform. Made
// by GlfwWindowFactory with std::make_shared, registered with the renderer,
// and ended with destroy() (the renderer's deinit destroys what is left).
// Holds the renderer and the monitor weakly. Main thread only.
class GlfwWindow : public OpenGlWindowBase {
public:
    GlfwWindow(std::shared_ptr<IRenderer> renderer, std::shared_ptr<IMonitor> monitor,
               dimension_t size);
    ~GlfwWindow() override;

    std::shared_ptr<IMonitor> getMonitor() const override;
    bool isValid() const override;
    void setCursorMode(ECursorMode mode) override;
    std::optional<ECursorMode> getCursorMode() const override;
    void focus() override;
    void swapBuffers() override;
    void setShouldClose(bool value) override;
    bool shouldClose() const override;

    // The GLFW window, null once destroyed; for code that needs the native window.
    GLFWwindow* getNativeHandle() const;

protected:
    void showTitle(const std::string& text) override;
    void bindContext() override;
    float getContentScale() const override;
    dimension_t readSize() const override;
    void releaseNativeWindow() override;
    void unbindNativeInput() override;

private:
    void bindCallbacks();

    // GLFW's codes in, the window's input out.
    void onKey(int key, int scancode, int action, int mods);
    void onMouseButton(int button, int action, int mods);

    std::weak_ptr<IMonitor> monitor;
    GLFWwindow* handle = nullptr;
};

} // namespace ox::renderer::opengl::glfw
