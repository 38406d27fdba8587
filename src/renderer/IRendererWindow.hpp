#pragma once

#include "renderer/dimension_t.hpp"
#include "renderer/input.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ox::renderer {

struct IRenderer;
struct IMonitor;
struct IRendererWindowEvents;

// One native window with its OpenGL context. Holds its renderer and monitor
// weakly; reports input to the attached IRendererWindowEvents. After destroy()
// (or a failed creation) every operation does nothing or returns its neutral
// value. Owned through std::shared_ptr; main thread only.
struct IRendererWindow {
    // Empty if the renderer is gone.
    virtual std::shared_ptr<IRenderer> getRenderer() const = 0;
    // Empty for a windowed window.
    virtual std::shared_ptr<IMonitor> getMonitor() const = 0;
    virtual void attachEvents(std::shared_ptr<IRendererWindowEvents> events) = 0;
    virtual void detachEvents() = 0;
    // A native window exists.
    virtual bool isValid() const = 0;
    virtual void handleResize(std::int32_t width, std::int32_t height) = 0;
    virtual void setCursorMode(ECursorMode mode) = 0;
    virtual std::optional<ECursorMode> getCursorMode() const = 0;
    // True while the key is held, and also at the first question after a press
    // that was released before anybody asked: a tap shorter than a frame is
    // not lost to a frame loop that asks once per frame. A press that a
    // question has seen is not remembered past its release (see KeyLatch).
    virtual bool isKeyPressed(EInputKey key) const = 0;
    virtual void setTitle(const std::string_view& title) = 0;
    virtual const std::string& getTitle() const = 0;
    virtual void focus() = 0;
    virtual void makeContextCurrent() = 0;
    virtual dimension_t getSize() const = 0;
    // The ratio of the monitor's pixels to the window system's nominal ones
    // (2.0 at 200 %), for drawing text and panels legibly; a window without
    // a monitor answers 1.0. The window's size does not follow it.
    virtual float getContentScale() const { return 1.0f; }
    virtual void setAspectRatio(float ratio) = 0;
    virtual void setAspectRatio(std::int32_t width, std::int32_t height) = 0;
    virtual float getAspectRatio() const = 0;
    virtual void swapBuffers() = 0;
    virtual void setShouldClose(bool value) = 0;
    virtual bool shouldClose() const = 0;
    virtual void destroy() = 0;
    virtual ~IRendererWindow() = default;
};

} // namespace ox::renderer
