#pragma once

#include "renderer/IEventDispatcherBase.hpp"
#include "renderer/dimension_t.hpp"
#include "renderer/input.hpp"

#include <cstdint>
#include <functional>
#include <memory>

namespace ox::renderer {

struct IRendererWindow;

// Listener registration for window events, in event order; each listener takes
// exactly the arguments of the matching IRendererWindowEvents invocation.
// Main thread only.
struct IRendererWindowEventsDispatcher : IEventDispatcherBase {
    using CloseListener = std::function<void(std::shared_ptr<IRendererWindow>)>;
    using ResizeListener =
        std::function<void(std::shared_ptr<IRendererWindow>, const dimension_t&)>;
    using KeyListener = std::function<void(std::shared_ptr<IRendererWindow>, EInputKey,
                                           std::int32_t, EInputAction, std::uint16_t)>;
    using MouseButtonListener = std::function<void(std::shared_ptr<IRendererWindow>,
                                                   EInputMouseButton, EInputAction, std::uint16_t)>;
    using CursorPositionListener =
        std::function<void(std::shared_ptr<IRendererWindow>, double, double)>;
    using ScrollListener = std::function<void(std::shared_ptr<IRendererWindow>, double, double)>;

    virtual void addOnCloseEventListener(CloseListener listener) = 0;
    virtual void addOnResizeEventListener(ResizeListener listener) = 0;
    virtual void addOnKeyEventListener(KeyListener listener) = 0;
    virtual void addOnMouseButtonEventListener(MouseButtonListener listener) = 0;
    virtual void addOnCursorPositionEventListener(CursorPositionListener listener) = 0;
    virtual void addOnScrollEventListener(ScrollListener listener) = 0;

protected:
    ~IRendererWindowEventsDispatcher() = default;
};

} // namespace ox::renderer
