#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ox::renderer::opengl {

// Builds GLFW windows: window settings plus an ordered list of GLFW window and
// context hints, applied in order before each window is created. Hints are
// never reset, so a later window starts from the hints already set. Obtained
// from Renderer::createWindowFactory; its messages go to the renderer's events
// sink as it was when the factory was made. Main thread only.
class GlfwWindowFactory : public IRendererWindowFactory, public IRendererWindowOpenGlHintFactory {
public:
    using hint_t = std::pair<std::int32_t, std::int32_t>;

    GlfwWindowFactory(std::shared_ptr<IRenderer> renderer,
                      std::shared_ptr<IRendererEvents> rendererEvents);
    ~GlfwWindowFactory() override = default;

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

    // What the next createWindow would use.
    const std::vector<hint_t>& getHints() const;
    const dimension_t& getSize() const;
    const std::string& getTitle() const;
    std::shared_ptr<IMonitor> getMonitor() const;

private:
    void sendMessage(const std::string_view& text);

    std::shared_ptr<IRenderer> renderer;
    std::shared_ptr<IRendererEvents> rendererEvents;
    std::shared_ptr<IRendererWindowEvents> windowEvents;
    std::shared_ptr<IMonitor> monitor;
    dimension_t size{512, 512};
    std::string title;
    std::vector<hint_t> hints;
};

} // namespace ox::renderer::opengl
