#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/opengl/OpenGlRenderingApi.hpp"
#include "renderer/opengl/RGlew.hpp"

#include <memory>
#include <vector>

namespace ox::renderer::opengl {

// What an OpenGL renderer is, whichever way its contexts are made: the one
// funnel for the back end's messages, the live windows, GLEW loaded with the
// first window's context, the checked rendering API, GL error polling and the
// driver's own messages, and event polling with every window's input
// sources. A platform piece derives from it and adds its window system:
// initialisation, windows, the clock and the window system's events. The derived
// destructor must call deinit() itself, while its window system still exists.
// Create it with std::make_shared. Main thread only.
class OpenGlRendererBase : public IRenderer,
                           public std::enable_shared_from_this<OpenGlRendererBase> {
public:
    OpenGlRendererBase() = default;
    ~OpenGlRendererBase() override = default;

    OpenGlRendererBase(const OpenGlRendererBase&) = delete;
    OpenGlRendererBase& operator=(const OpenGlRendererBase&) = delete;

    void attachEvents(std::shared_ptr<IRendererEvents> sink) override;
    void detachEvents() override;
    const bool& getErrorPolling() const override;
    void setErrorPolling(const bool& enabled) override;
    void pollErrors(const std::string_view& callName) override;
    void reportMessage(std::int32_t type, const std::string_view& text) override;
    void monitorInitialized(std::shared_ptr<IMonitor> monitor) override;
    void windowCreated(std::shared_ptr<IRendererWindow> window) override;
    void windowDestroyed(std::shared_ptr<IRendererWindow> window) override;
    // Destroys the live windows, releases the window system, then sends the
    // deinit event and detaches the events sink.
    void deinit() override;
    std::shared_ptr<IRenderingApi> getRenderingApi() const override;
    // No monitors, unless the platform has a window system that knows some.
    const std::vector<std::shared_ptr<IMonitor>>& getMonitors() const override;
    std::shared_ptr<IMonitor> getPrimaryMonitor() const override;
    // The window system's events, then every window's input sources, so
    // that input from anywhere arrives at the same point of the frame.
    void pollEvents() override;
    bool enableDriverMessages() override;

    // One driver message as one message event: its source, type, id and
    // severity in words, high and medium severity as errors.
    void reportDriverMessage(std::uint32_t source, std::uint32_t type, std::uint32_t id,
                             std::uint32_t severity, std::string_view text);

    // GLEW has loaded the GL entry points with a window's context.
    bool isGlLoaded() const;

protected:
    // Empty while the destructor runs: no owner can be formed any more.
    std::shared_ptr<IRenderer> self();

    // The attached events sink, may be empty; what factories report to.
    const std::shared_ptr<IRendererEvents>& eventsSink() const;

    // The first half of every init(): the init event, then GLEW's lifetime
    // object and the rendering API, created once and kept across deinit.
    void beginInit();

    // deinit()'s own step for the window system, after the windows are gone
    // and before the deinit event.
    virtual void releaseWindowSystem() = 0;
    // pollEvents()'s own step for the window system.
    virtual void pollWindowSystem() = 0;

private:
    // Reporting GL errors is what this back end is for, so polling starts on.
    bool errorPolling = true;
    std::shared_ptr<IRendererEvents> events;
    std::shared_ptr<RGlew> glew;
    // Holds this renderer in turn until deinit releases it.
    std::shared_ptr<OpenGlRenderingApi> renderingApi;
    std::vector<std::shared_ptr<IRendererWindow>> windows;
    // Set while deinit() runs, and while detachEvents() runs the detach listeners.
    bool deinitializing = false;
    bool detaching = false;
};

} // namespace ox::renderer::opengl
