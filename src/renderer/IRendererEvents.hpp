#pragma once

#include "renderer/IAttachableEventsMonitor.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <memory>

namespace ox::renderer {

struct IRenderer;
struct IMonitor;
struct IRendererWindow;

// The sink the renderer reports to (usually a RendererEventsDispatcher). Every
// back-end failure and progress note arrives as a message event. Main thread only.
struct IRendererEvents : IAttachableEventsMonitor {
    virtual void invokeOnMessageEvent(const renderer_message_data_t& data) = 0;
    // The renderer starts initialising.
    virtual void invokeOnInitEvent(std::shared_ptr<IRenderer> renderer) = 0;
    // The renderer has been deinitialised.
    virtual void invokeOnDeinitEvent(std::shared_ptr<IRenderer> renderer) = 0;
    // A monitor has been discovered.
    virtual void invokeOnMonitorInitEvent(std::shared_ptr<IRenderer> renderer,
                                          std::shared_ptr<IMonitor> monitor) = 0;
    virtual void invokeOnCreateWindowEvent(std::shared_ptr<IRenderer> renderer,
                                           std::shared_ptr<IRendererWindow> window) = 0;
    virtual void invokeOnDestroyWindowEvent(std::shared_ptr<IRenderer> renderer,
                                            std::shared_ptr<IRendererWindow> window) = 0;

protected:
    ~IRendererEvents() = default;
};

} // namespace ox::renderer
