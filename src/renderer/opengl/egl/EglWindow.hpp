#pragma once

#include "renderer/opengl/OpenGlWindowBase.hpp"
#include "renderer/opengl/egl/egl_context_request_t.hpp"

#include <EGL/egl.h>

#include <memory>
#include <optional>
#include <string>

namespace ox::renderer::opengl::egl {

class EglRenderer;

// A headless window: an EGL pbuffer surface of the window's size with its
// own context, the EGL piece of a window of the OpenGL back end. With the
// context current the pbuffer is framebuffer 0, so drawing, reading back and
// capturing work as on a GLFW window. Nothing shows it and no window system
// sends it input: what it gets comes from input sources (a script) through
// the window input every platform shares, so it answers isKeyPressed as a
// live window does. The title is only kept (for the log), and the window
// closes when asked to, or on destroy(). Made by EglWindowFactory with
// std::make_shared and registered with the renderer; the renderer's deinit
// destroys what is left. Holds the renderer weakly. Main thread only.
class EglWindow : public OpenGlWindowBase {
public:
    // Creates the surface and the context on the renderer's display; when
    // EGL refuses either, reports why through the renderer and stays invalid.
    EglWindow(const std::shared_ptr<EglRenderer>& renderer, dimension_t size,
              const egl_context_request_t& request);
    ~EglWindow() override = default;

    bool isValid() const override;
    void setCursorMode(ECursorMode mode) override;
    std::optional<ECursorMode> getCursorMode() const override;
    // Ends the frame: the swap (which a pbuffer takes as a frame boundary
    // only) and a flush, as a window system's swap implies one.
    void swapBuffers() override;
    void setShouldClose(bool value) override;
    bool shouldClose() const override;

protected:
    void showTitle(const std::string& text) override;
    void bindContext() override;
    dimension_t readSize() const override;
    void releaseNativeWindow() override;

private:
    void releaseSurfaceAndContext();

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    EGLenum api = EGL_OPENGL_API;
    bool closeRequested = false;
    // Kept for whoever asks, as a window system would; there is no cursor.
    ECursorMode cursorMode = ECursorMode::Normal;
};

} // namespace ox::renderer::opengl::egl
