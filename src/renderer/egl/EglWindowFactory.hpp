#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/egl/egl_context_request_t.hpp"

#include <memory>
#include <string>

namespace ox::renderer::egl {

class EglRenderer;

// Builds headless windows: the same settings and hints as the GLFW factory,
// turned into an EGL framebuffer and context request. Hints that only a
// window system has a use for (resizable, visible, decorated, refresh rate,
// accumulation and auxiliary buffers, stereo, sRGB) are accepted and have no
// effect; there are no monitors, so no full screen. A window whose context
// cannot load the GL entry points the back end calls is destroyed again and
// returned invalid. Obtained from EglRenderer::createWindowFactory; its
// messages go to the renderer's events sink as it was when the factory was
// made. Main thread only.
class EglWindowFactory : public IRendererWindowFactory, public IRendererWindowOpenGlHintFactory {
public:
    EglWindowFactory(std::shared_ptr<EglRenderer> renderer,
                     std::shared_ptr<IRendererEvents> rendererEvents);
    ~EglWindowFactory() override = default;

    IRendererWindowFactory& setEvents(std::shared_ptr<IRendererWindowEvents> events) override;
    IRendererWindowFactory& setFullScreen(std::shared_ptr<IMonitor> monitor) override;
    IRendererWindowFactory& setSize(std::int32_t width, std::int32_t height) override;
    IRendererWindowFactory& setTitle(const std::string_view& title) override;
    IRendererWindowOpenGlHintFactory& getOpenGlHintFactory() override;
    std::shared_ptr<IRendererWindow> createWindow() override;

    IRendererWindowOpenGlHintFactory& setContextVersion(const context_version_t& version) override;
    IRendererWindowOpenGlHintFactory& setIntHint(EWindowIntHint hint, std::int32_t value) override;
    IRendererWindowOpenGlHintFactory& setBoolHint(EWindowBoolHint hint, bool value) override;
    IRendererWindowOpenGlHintFactory& setClientApi(EClientApi api) override;
    IRendererWindowOpenGlHintFactory& setContextRobustness(EContextRobustness robustness) override;
    IRendererWindowOpenGlHintFactory& setOpenGlProfile(EOpenGlProfile profile) override;
    IRendererWindowOpenGlHintFactory&
    setColorBits(std::shared_ptr<IMonitorVideoMode> mode) override;
    IRendererWindowFactory& getWindowFactory() override;

    // What the next createWindow would ask EGL for.
    const egl_context_request_t& getRequest() const;

private:
    void sendMessage(const std::string_view& text);

    std::shared_ptr<EglRenderer> renderer;
    std::shared_ptr<IRendererEvents> rendererEvents;
    std::shared_ptr<IRendererWindowEvents> windowEvents;
    dimension_t size{512, 512};
    std::string title;
    egl_context_request_t request;
};

} // namespace ox::renderer::egl
