#pragma once

#include "renderer/opengl/OpenGlRendererBase.hpp"
#include "renderer/opengl/device_choice_t.hpp"

#include <EGL/egl.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace ox::renderer::opengl::egl {

// The headless OpenGL renderer: no window system and no X server, an EGL
// display on one of EGL's devices instead (a GPU driver's, or Mesa's software
// rasteriser), windows that are off-screen surfaces of their size
// (EglWindowFactory), a steady clock from init and no events to poll. The
// rest of an OpenGL renderer, GL loading and error polling included, is
// OpenGlRendererBase's, so everything drawn through it is drawn exactly as
// with the GLFW back end. Create it with std::make_shared; call deinit()
// before letting it go, as with the GLFW renderer. Main thread only.
class EglRenderer : public opengl::OpenGlRendererBase {
public:
    explicit EglRenderer(device_choice_t device = {});
    ~EglRenderer() override;

    // Lists EGL's devices in the log, then opens the display of the chosen
    // one: the device asked for, or the first hardware device, else the
    // software one, else Mesa's surfaceless platform. False, with the reasons
    // as error messages, when there is no EGL driver or no device to use.
    bool init() override;
    bool isInitialized() const override;
    std::unique_ptr<IRendererWindowFactory> createWindowFactory() override;
    void setSwapInterval(bool enabled) override;
    // Seconds since the display was opened.
    double getTime() const override;

    // The open display; EGL_NO_DISPLAY before init and after deinit.
    EGLDisplay getDisplay() const;

protected:
    void releaseWindowSystem() override;
    void pollWindowSystem() override;

private:
    bool openDisplay();
    // Initialises `candidate` and keeps it as the display; otherwise adds why
    // not to `failures`.
    bool useDisplay(EGLDisplay candidate, const std::string& what,
                    std::vector<std::string>& failures);

    device_choice_t deviceChoice;
    EGLDisplay display = EGL_NO_DISPLAY;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

} // namespace ox::renderer::opengl::egl
