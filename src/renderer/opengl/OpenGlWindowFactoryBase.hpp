#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/opengl/window_hint_t.hpp"

#include <memory>
#include <string>
#include <vector>

namespace ox::renderer::opengl {

class OpenGlWindowBase;

// What every window factory of the OpenGL back end does, whichever platform
// makes the windows: the window settings, the ordered list of hints, and the steps
// of createWindow around the platform's own window: events, title,
// registration with the renderer, and the check that the first context could
// load OpenGL (a window whose context cannot is destroyed again and returned
// invalid, so a start-up without GL ends before anything calls into it). A
// platform piece adds full screen and the window itself, made with the hints
// turned into its own form. Its
// messages go to the renderer's events sink as it was when the factory was
// made. Main thread only.
class OpenGlWindowFactoryBase : public IRendererWindowFactory,
                                public IRendererWindowOpenGlHintFactory {
public:
    OpenGlWindowFactoryBase(std::shared_ptr<IRenderer> renderer,
                            std::shared_ptr<IRendererEvents> rendererEvents);
    ~OpenGlWindowFactoryBase() override = default;

    IRendererWindowFactory& setEvents(std::shared_ptr<IRendererWindowEvents> events) override;
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

    // What the next createWindow would use.
    const dimension_t& getSize() const;
    const std::string& getTitle() const;
    // In the order given.
    const std::vector<window_hint_t>& getWindowHints() const;

protected:
    // An error message to the renderer's events sink.
    void sendMessage(const std::string_view& text);

    // The platform's window of the stored size, valid or not; empty when no
    // object could be made.
    virtual std::shared_ptr<OpenGlWindowBase> makeWindow(const dimension_t& size) = 0;

    const std::shared_ptr<IRenderer>& getRenderer() const;

private:
    std::shared_ptr<IRenderer> renderer;
    std::shared_ptr<IRendererEvents> rendererEvents;
    std::shared_ptr<IRendererWindowEvents> windowEvents;
    dimension_t size{512, 512};
    std::string title;
    std::vector<window_hint_t> hints;
};

} // namespace ox::renderer::opengl
