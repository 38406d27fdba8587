#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/opengl/OpenGlWindowFactoryBase.hpp"
#include "renderer/opengl/egl/egl_context_request_t.hpp"

#include <memory>
#include <string>

namespace ox::renderer::opengl::egl {

class EglRenderer;

// Builds headless windows: the EGL piece of the back end's window factory. It
// turns the hints into an EGL framebuffer and context request. Hints that only
// a window system has a use for (resizable, visible, decorated, refresh rate,
// accumulation and auxiliary buffers, stereo, sRGB) are accepted and have no
// effect; there are no monitors, so no full screen. Obtained from
// EglRenderer::createWindowFactory; its messages go to the renderer's events
// sink as it was when the factory was made. Main thread only.
class EglWindowFactory : public OpenGlWindowFactoryBase {
public:
    EglWindowFactory(std::shared_ptr<EglRenderer> renderer,
                     std::shared_ptr<IRendererEvents> rendererEvents);
    ~EglWindowFactory() override = default;

    IRendererWindowFactory& setFullScreen(std::shared_ptr<IMonitor> monitor) override;

    // What the next createWindow would ask EGL for, besides the size.
    egl_context_request_t getRequest() const;

protected:
    std::shared_ptr<OpenGlWindowBase> makeWindow(const dimension_t& size) override;

private:
    std::shared_ptr<EglRenderer> renderer;
};

} // namespace ox::renderer::opengl::egl
