#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "renderer/opengl/RGlew.hpp"
#include "renderer/opengl/RGlfw.hpp"

#include <memory>
#include <vector>

namespace ox::renderer::opengl {

// The OpenGL renderer over GLFW and GLEW: owns both libraries' lifetimes, the
// live windows and the rendering API, and is the one funnel through which the
// back end reports messages to the attached events sink. Create it with
// std::make_shared. Once init() has created the rendering API, the API and the
// renderer own each other until deinit(), so call deinit() before letting the
// renderer go. The destructor deinitialises too (for a renderer that was never
// initialised), but can no longer name itself in the events it sends.
// Main thread only.
class Renderer : public IRenderer, public std::enable_shared_from_this<Renderer> {
public:
    Renderer() = default;
    ~Renderer() override;

    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void attachEvents(std::shared_ptr<IRendererEvents> sink) override;
    void detachEvents() override;
    const bool& getErrorPolling() const override;
    void setErrorPolling(const bool& enabled) override;
    void pollErrors(const std::string_view& callName) override;
    void reportMessage(std::int32_t type, const std::string_view& text) override;
    void monitorInitialized(std::shared_ptr<IMonitor> monitor) override;
    void windowCreated(std::shared_ptr<IRendererWindow> window) override;
    void windowDestroyed(std::shared_ptr<IRendererWindow> window) override;
    bool init() override;
    void deinit() override;
    bool isInitialized() const override;
    const std::vector<std::shared_ptr<IMonitor>>& getMonitors() const override;
    std::shared_ptr<IMonitor> getPrimaryMonitor() const override;
    std::unique_ptr<IRendererWindowFactory> createWindowFactory() override;
    std::shared_ptr<IRenderingApi> getRenderingApi() const override;
    void setSwapInterval(bool enabled) override;
    bool enableDriverMessages() override;
    double getTime() const override;
    void pollEvents() override;

    // One driver message as one message event: its source, type, id and
    // severity in words, high and medium severity as errors.
    void reportDriverMessage(std::uint32_t source, std::uint32_t type, std::uint32_t id,
                             std::uint32_t severity, std::string_view text);

private:
    // Empty while the destructor runs: no owner can be formed any more.
    std::shared_ptr<IRenderer> self();

    // Reporting GL errors is what this back end is for, so polling starts on.
    bool errorPolling = true;
    std::shared_ptr<IRendererEvents> events;
    std::shared_ptr<RGlfw> glfw;
    std::shared_ptr<RGlew> glew;
    // Holds this renderer in turn until deinit releases it.
    std::shared_ptr<OpenGlRenderingApi> renderingApi;
    std::vector<std::shared_ptr<IRendererWindow>> windows;
    // Set while deinit() runs, and while detachEvents() runs the detach listeners.
    bool deinitializing = false;
    bool detaching = false;
};

} // namespace ox::renderer::opengl
