#pragma once

#include "renderer/IEventDispatcherBase.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <functional>
#include <memory>

namespace ox::renderer {

struct IRenderer;
struct IMonitor;
struct IRendererWindow;

// Listener registration for renderer events, in event order. Each listener is
// appended; duplicates run as often as they were added. Main thread only.
struct IRendererEventsDispatcher : IEventDispatcherBase {
    using MessageListener = std::function<void(const renderer_message_data_t&)>;
    using RendererListener = std::function<void(std::shared_ptr<IRenderer>)>;
    using MonitorListener =
        std::function<void(std::shared_ptr<IRenderer>, std::shared_ptr<IMonitor>)>;
    using WindowListener =
        std::function<void(std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow>)>;

    virtual void addOnMessageEventListener(MessageListener listener) = 0;
    virtual void addOnInitEventListener(RendererListener listener) = 0;
    virtual void addOnDeinitEventListener(RendererListener listener) = 0;
    virtual void addOnMonitorInitEventListener(MonitorListener listener) = 0;
    virtual void addOnCreateWindowEventListener(WindowListener listener) = 0;
    virtual void addOnDestroyWindowEventListener(WindowListener listener) = 0;

protected:
    ~IRendererEventsDispatcher() = default;
};

} // namespace ox::renderer
