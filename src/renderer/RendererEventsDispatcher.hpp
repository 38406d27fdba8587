#pragma once

#include "renderer/EventsDispatcherBase.hpp"
#include "renderer/IRendererEvents.hpp"
#include "renderer/IRendererEventsDispatcher.hpp"
#include "renderer/ListenerList.hpp"

#include <functional>
#include <memory>

namespace ox::renderer {

// Fans renderer events out to the listeners the application registered, in
// registration order. Create with std::make_shared; it is shared by the
// application and the renderer it is attached to. Main thread only.
//
// The monitor-init, create-window and destroy-window events check their second
// argument: an empty pointer first produces an error message (type 0) through
// invokeOnMessageEvent, then the listeners still run with the empty pointer.
class RendererEventsDispatcher : public IRendererEventsDispatcher,
                                 public IRendererEvents,
                                 public EventsDispatcherBase {
public:
    // One implementation of attach/detach, whichever interface it is reached through.
    void invokeOnAttachEvent() override;
    void invokeOnDetachEvent() override;
    void addOnAttachEventListener(std::function<void()> listener) override;
    void addOnDetachEventListener(std::function<void()> listener) override;

    void addOnMessageEventListener(MessageListener listener) override;
    void addOnInitEventListener(RendererListener listener) override;
    void addOnDeinitEventListener(RendererListener listener) override;
    void addOnMonitorInitEventListener(MonitorListener listener) override;
    void addOnCreateWindowEventListener(WindowListener listener) override;
    void addOnDestroyWindowEventListener(WindowListener listener) override;

    void invokeOnMessageEvent(const renderer_message_data_t& data) override;
    void invokeOnInitEvent(std::shared_ptr<IRenderer> renderer) override;
    void invokeOnDeinitEvent(std::shared_ptr<IRenderer> renderer) override;
    void invokeOnMonitorInitEvent(std::shared_ptr<IRenderer> renderer,
                                  std::shared_ptr<IMonitor> monitor) override;
    void invokeOnCreateWindowEvent(std::shared_ptr<IRenderer> renderer,
                                   std::shared_ptr<IRendererWindow> window) override;
    void invokeOnDestroyWindowEvent(std::shared_ptr<IRenderer> renderer,
                                    std::shared_ptr<IRendererWindow> window) override;

private:
    ListenerList<void(const renderer_message_data_t&)> messageListeners;
    ListenerList<void(std::shared_ptr<IRenderer>)> initListeners;
    ListenerList<void(std::shared_ptr<IRenderer>)> deinitListeners;
    ListenerList<void(std::shared_ptr<IRenderer>, std::shared_ptr<IMonitor>)> monitorInitListeners;
    ListenerList<void(std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow>)>
        createWindowListeners;
    ListenerList<void(std::shared_ptr<IRenderer>, std::shared_ptr<IRendererWindow>)>
        destroyWindowListeners;
};

} // namespace ox::renderer
