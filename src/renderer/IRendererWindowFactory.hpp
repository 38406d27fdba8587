#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace ox::renderer {

struct IMonitor;
struct IRendererWindow;
struct IRendererWindowEvents;
struct IRendererWindowOpenGlHintFactory;

// Builds windows; configure with chained calls, then createWindow(). Obtained
// from IRenderer::createWindowFactory and owned exclusively by the caller.
// Main thread only.
struct IRendererWindowFactory {
    // Attached to every window created afterwards.
    virtual IRendererWindowFactory& setEvents(std::shared_ptr<IRendererWindowEvents> events) = 0;
    // Full-screen on the monitor, sized to its current video mode.
    virtual IRendererWindowFactory& setFullScreen(std::shared_ptr<IMonitor> monitor) = 0;
    virtual IRendererWindowFactory& setSize(std::int32_t width, std::int32_t height) = 0;
    virtual IRendererWindowFactory& setTitle(const std::string_view& title) = 0;
    virtual IRendererWindowOpenGlHintFactory& getOpenGlHintFactory() = 0;
    // Empty on failure; a returned window must still be checked with isValid().
    virtual std::shared_ptr<IRendererWindow> createWindow() = 0;
    virtual ~IRendererWindowFactory() = default;
};

} // namespace ox::renderer
