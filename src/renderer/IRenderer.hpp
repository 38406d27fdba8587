#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace ox::renderer {

struct IRendererEvents;
struct IMonitor;
struct IRendererWindow;
struct IRendererWindowFactory;
struct IRenderingApi;

// The renderer: owns the window system, its monitors and windows, and the
// rendering API. Failures are reported through the attached IRendererEvents
// as messages, never thrown. Owned through std::shared_ptr; main thread only.
struct IRenderer {
    virtual void attachEvents(std::shared_ptr<IRendererEvents> events) = 0;
    virtual void detachEvents() = 0;
    virtual const bool& getErrorPolling() const = 0;
    virtual void setErrorPolling(const bool& enabled) = 0;
    // Drain the GL error queue after the named call.
    virtual void pollErrors(const std::string_view& callName) = 0;
    // Emit a message event (type 0 error, 1 information).
    virtual void reportMessage(std::int32_t type, const std::string_view& text) = 0;
    virtual void monitorInitialized(std::shared_ptr<IMonitor> monitor) = 0;
    virtual void windowCreated(std::shared_ptr<IRendererWindow> window) = 0;
    virtual void windowDestroyed(std::shared_ptr<IRendererWindow> window) = 0;
    virtual bool init() = 0;
    virtual void deinit() = 0;
    virtual bool isInitialized() const = 0;
    virtual const std::vector<std::shared_ptr<IMonitor>>& getMonitors() const = 0;
    // Empty if there is none.
    virtual std::shared_ptr<IMonitor> getPrimaryMonitor() const = 0;
    virtual std::unique_ptr<IRendererWindowFactory> createWindowFactory() = 0;
    virtual std::shared_ptr<IRenderingApi> getRenderingApi() const = 0;
    virtual void setSwapInterval(bool enabled) = 0;
    // Asks the current context for the driver's own messages (errors,
    // warnings, performance notes) and reports each one as a message event as
    // it happens. False, with the reason as an error message, when the
    // context cannot give them (it was not created as a debug context).
    virtual bool enableDriverMessages() = 0;
    // Seconds since the window system was initialised.
    virtual double getTime() const = 0;
    virtual void pollEvents() = 0;
    virtual ~IRenderer() = default;
};

} // namespace ox::renderer
