#pragma once

#include "renderer/IInputSource.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IWindowInput.hpp"
#include "renderer/KeyLatch.hpp"

#include <memory>
#include <string>
#include <vector>

namespace ox::renderer::opengl {

// What every window of the OpenGL back end is, whichever platform made it:
// the events sink, the title, the size and aspect ratio, the life cycle with
// its closing routine, and the input state fed through IWindowInput (one key
// latch per window, whatever the input's source). A platform piece derives
// from it and adds the native window: creating and releasing it, making its
// context current, swapping, its size, cursor and close flag. Created with
// std::make_shared by the platform's factory; holds the renderer weakly.
// Main thread only.
class OpenGlWindowBase : public IRendererWindow,
                         public IWindowInput,
                         public std::enable_shared_from_this<OpenGlWindowBase> {
public:
    OpenGlWindowBase(const std::shared_ptr<IRenderer>& renderer, dimension_t size);
    ~OpenGlWindowBase() override = default;

    OpenGlWindowBase(const OpenGlWindowBase&) = delete;
    OpenGlWindowBase& operator=(const OpenGlWindowBase&) = delete;

    std::shared_ptr<IRenderer> getRenderer() const override;
    // Empty: a window is full screen only where a platform has monitors.
    std::shared_ptr<IMonitor> getMonitor() const override;
    void attachEvents(std::shared_ptr<IRendererWindowEvents> sink) override;
    void detachEvents() override;
    void handleResize(std::int32_t width, std::int32_t height) override;
    bool isKeyPressed(EInputKey key) const override;
    void setTitle(const std::string_view& text) override;
    const std::string& getTitle() const override;
    // Nothing, for a platform with nothing to focus.
    void focus() override;
    void makeContextCurrent() override;
    dimension_t getSize() const override;
    void setAspectRatio(float ratio) override;
    void setAspectRatio(std::int32_t width, std::int32_t height) override;
    float getAspectRatio() const override;
    // Runs the closing routine, then releases the native window. A second
    // call, or one from a listener of the closing routine, does nothing.
    void destroy() override;

    void inputKey(EInputKey key, std::int32_t scancode, EInputAction action,
                  std::uint16_t mods) override;
    void inputMouseButton(EInputMouseButton button, EInputAction action,
                          std::uint16_t mods) override;
    void inputCursorPosition(double x, double y) override;
    void inputScroll(double xOffset, double yOffset) override;
    void addInputSource(std::shared_ptr<IInputSource> source) override;
    void pollInputSources() override;

protected:
    // The size given at construction, then the size of the last resize.
    const dimension_t& storedSize() const;
    // Whether a sink is attached: without one, the window system's input is
    // neither translated nor reported.
    bool hasEvents() const;
    // Reports through the renderer, if it is still alive.
    void report(std::int32_t type, std::string_view text) const;

    // The resize handler of the window system's size callback and of handleResize.
    void onResize(std::int32_t width, std::int32_t height);
    // The closing routine: close event, detach, platform unbinding, then the
    // renderer is told. Also what a window system's close request runs.
    void onClose();

    // The platform's part of each operation, called only on a valid window.
    virtual void showTitle(const std::string& text) = 0;
    virtual void bindContext() = 0;
    virtual dimension_t readSize() const = 0;
    // After the closing routine of destroy(): the native window goes.
    virtual void releaseNativeWindow() = 0;
    // In the closing routine, before the renderer is told: the window
    // system's callbacks must not reach this window any more.
    virtual void unbindNativeInput() {}

private:
    std::weak_ptr<IRenderer> renderer;
    std::shared_ptr<IRendererWindowEvents> events;
    std::vector<std::shared_ptr<IInputSource>> sources;
    // Set while destroy() runs the closing routine.
    bool destroying = false;
    // Set while detachEvents() runs the detach listeners.
    bool detaching = false;
    dimension_t size;
    float aspectRatio = 1.0F;
    std::string title = "OpenGL renderer window";
    // Asking for a key marks its press as seen, hence mutable.
    mutable KeyLatch keys;
};

} // namespace ox::renderer::opengl
