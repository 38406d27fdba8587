#include "renderer/opengl/OpenGlWindowBase.hpp"

#include "renderer/opengl/events_sink.hpp"
#include "renderer/renderer_message_data_t.hpp"

#include <fmt/format.h>

namespace ox::renderer::opengl {

OpenGlWindowBase::OpenGlWindowBase(const std::shared_ptr<IRenderer>& renderer, dimension_t size)
    : renderer(renderer)
    , size(size) {}

std::shared_ptr<IRenderer> OpenGlWindowBase::getRenderer() const {
    return renderer.lock();
}

std::shared_ptr<IMonitor> OpenGlWindowBase::getMonitor() const {
    return {};
}

void OpenGlWindowBase::attachEvents(std::shared_ptr<IRendererWindowEvents> sink) {
    attachEventsSink(events, std::move(sink), detaching);
}

void OpenGlWindowBase::detachEvents() {
    detachEventsSink(events, detaching);
}

void OpenGlWindowBase::handleResize(std::int32_t width, std::int32_t height) {
    if (isValid()) {
        onResize(width, height);
    }
}

bool OpenGlWindowBase::isKeyPressed(EInputKey key) const {
    if (!isValid()) {
        return false;
    }
    // From the window's own key events rather than the window system's key
    // table: a tap released before the frame asked must still be seen once,
    // and input sources other than the window system have no such table.
    return keys.isPressed(key);
}

void OpenGlWindowBase::setTitle(const std::string_view& text) {
    // Every call reaches the platform, also with an unchanged text: the frame
    // loop sets the title once per frame by design, and the frame-rate
    // comparison with the raw OpenGL baseline (bench/) counts on both doing
    // the same work.
    if (!isValid()) {
        return;
    }
    title.assign(text);
    showTitle(title);
}

const std::string& OpenGlWindowBase::getTitle() const {
    return title;
}

void OpenGlWindowBase::focus() {}

void OpenGlWindowBase::makeContextCurrent() {
    report(MessageTypeInfo, fmt::format("Making context current for a window '{}'.", title));
    if (isValid()) {
        bindContext();
    }
}

dimension_t OpenGlWindowBase::getSize() const {
    if (!isValid()) {
        return dimension_t{-1, -1};
    }
    return readSize();
}

void OpenGlWindowBase::setAspectRatio(float ratio) {
    aspectRatio = ratio;
}

void OpenGlWindowBase::setAspectRatio(std::int32_t width, std::int32_t height) {
    if (height != 0) {
        setAspectRatio(static_cast<float>(width) / static_cast<float>(height));
    } else {
        setAspectRatio(1.0F);
    }
}

float OpenGlWindowBase::getAspectRatio() const {
    return aspectRatio;
}

void OpenGlWindowBase::destroy() {
    // A close or destroy-window listener may destroy the window it is told
    // about. The window stays valid until the closing routine is over, so
    // without this check such a listener would start the routine again.
    if (!isValid() || destroying) {
        return;
    }
    const ReentryScope scope{destroying};
    // The renderer may hold the last reference and drops it in the closing routine.
    const auto self = weak_from_this().lock();
    onClose();
    releaseNativeWindow();
}

void OpenGlWindowBase::inputKey(EInputKey key, std::int32_t scancode, EInputAction action,
                                std::uint16_t mods) {
    keys.onKey(key, action);
    if (events) {
        const auto sink = events;
        sink->invokeOnKeyEvent(weak_from_this().lock(), key, scancode, action, mods);
    }
}

void OpenGlWindowBase::inputMouseButton(EInputMouseButton button, EInputAction action,
                                        std::uint16_t mods) {
    if (events) {
        const auto sink = events;
        sink->invokeOnMouseButtonEvent(weak_from_this().lock(), button, action, mods);
    }
}

void OpenGlWindowBase::inputCursorPosition(double x, double y) {
    if (events) {
        const auto sink = events;
        sink->invokeOnCursorPositionEvent(weak_from_this().lock(), x, y);
    }
}

void OpenGlWindowBase::inputScroll(double xOffset, double yOffset) {
    if (events) {
        const auto sink = events;
        sink->invokeOnScrollEvent(weak_from_this().lock(), xOffset, yOffset);
    }
}

void OpenGlWindowBase::addInputSource(std::shared_ptr<IInputSource> source) {
    if (source) {
        sources.push_back(std::move(source));
    }
}

void OpenGlWindowBase::pollInputSources() {
    // Every frame, for every window: nothing to do without sources.
    if (sources.empty()) {
        return;
    }
    // A source's event may end the window, or add a source; the copy keeps
    // this poll to the sources it began with.
    const auto self = weak_from_this().lock();
    const auto polled = sources;
    for (const auto& source : polled) {
        source->poll(*this);
    }
}

const dimension_t& OpenGlWindowBase::storedSize() const {
    return size;
}

bool OpenGlWindowBase::hasEvents() const {
    return static_cast<bool>(events);
}

void OpenGlWindowBase::report(std::int32_t type, std::string_view text) const {
    if (const auto owner = renderer.lock()) {
        owner->reportMessage(type, text);
    }
}

void OpenGlWindowBase::onResize(std::int32_t width, std::int32_t height) {
    size = dimension_t{width, height};
    setAspectRatio(width, height);
    if (events) {
        const auto sink = events;
        sink->invokeOnResizeEvent(weak_from_this().lock(), size);
    }
}

void OpenGlWindowBase::onClose() {
    // Keeps this window alive even if the renderer held the last reference.
    const auto self = weak_from_this().lock();
    if (events) {
        const auto sink = events;
        sink->invokeOnCloseEvent(self);
    }
    detachEvents();
    unbindNativeInput();
    if (const auto owner = renderer.lock()) {
        owner->windowDestroyed(self);
    }
}

} // namespace ox::renderer::opengl
