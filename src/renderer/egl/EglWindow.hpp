#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/egl/egl_context_request_t.hpp"

#include <EGL/egl.h>

#include <memory>
#include <optional>
#include <string>

namespace ox::renderer::egl {

class EglRenderer;

// A headless window: an EGL pbuffer surface of the window's size with its
// own context. With the context current the pbuffer is framebuffer 0, so
// drawing, reading back and capturing work as on a GLFW window. Nothing
// shows it and no input reaches it: keys are never pressed, the title is
// only kept (for the log), and the window closes when asked to, or on
// destroy(). Made by EglWindowFactory with std::make_shared and registered
// with the renderer; the renderer's deinit destroys what is left. Holds the
// renderer weakly. Main thread only.
class EglWindow : public IRendererWindow, public std::enable_shared_from_this<EglWindow> {
public:
    // Creates the surface and the context on the renderer's display; when
    // EGL refuses either, reports why through the renderer and stays invalid.
    EglWindow(const std::shared_ptr<EglRenderer>& renderer, dimension_t size,
              const egl_context_request_t& request);
    ~EglWindow() override = default;

    EglWindow(const EglWindow&) = delete;
    EglWindow& operator=(const EglWindow&) = delete;

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
    void setAspectRatio(float ratio) override;
    void setAspectRatio(std::int32_t width, std::int32_t height) override;
    float getAspectRatio() const override;
    // Ends the frame: the swap (which a pbuffer takes as a frame boundary
    // only) and a flush, as a window system's swap implies one.
    void swapBuffers() override;
    void setShouldClose(bool value) override;
    bool shouldClose() const override;
    void destroy() override;

private:
    void report(std::string_view text) const;
    void releaseSurfaceAndContext();
    void onClose();

    std::weak_ptr<IRenderer> renderer;
    std::shared_ptr<IRendererWindowEvents> events;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    EGLenum api = EGL_OPENGL_API;
    // Set while destroy() runs the closing routine.
    bool destroying = false;
    // Set while detachEvents() runs the detach listeners.
    bool detaching = false;
    bool closeRequested = false;
    dimension_t size;
    float aspectRatio = 1.0F;
    std::string title = "OpenGL renderer window";
    // Kept for whoever asks, as a window system would; there is no cursor.
    ECursorMode cursorMode = ECursorMode::Normal;
};

} // namespace ox::renderer::egl
