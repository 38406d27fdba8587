#include "renderer/opengl/OpenGlWindowFactoryBase.hpp"

#include "renderer/IMonitorVideoMode.hpp"
#include "renderer/opengl/OpenGlRendererBase.hpp"
#include "renderer/opengl/OpenGlWindowBase.hpp"
#include "renderer/renderer_message_data_t.hpp"

namespace ox::renderer::opengl {

OpenGlWindowFactoryBase::OpenGlWindowFactoryBase(std::shared_ptr<IRenderer> renderer,
                                                 std::shared_ptr<IRendererEvents> rendererEvents)
    : renderer(std::move(renderer))
    , rendererEvents(std::move(rendererEvents)) {}

void OpenGlWindowFactoryBase::sendMessage(const std::string_view& text) {
    if (rendererEvents) {
        const renderer_message_data_t data{renderer, MessageTypeError, text};
        rendererEvents->invokeOnMessageEvent(data);
    }
}

IRendererWindowFactory&
OpenGlWindowFactoryBase::setEvents(std::shared_ptr<IRendererWindowEvents> events) {
    windowEvents = std::move(events);
    return *this;
}

IRendererWindowFactory& OpenGlWindowFactoryBase::setSize(std::int32_t width, std::int32_t height) {
    size = dimension_t{width, height};
    return *this;
}

IRendererWindowFactory& OpenGlWindowFactoryBase::setTitle(const std::string_view& text) {
    title = std::string(text);
    return *this;
}

IRendererWindowOpenGlHintFactory& OpenGlWindowFactoryBase::getOpenGlHintFactory() {
    return *this;
}

std::shared_ptr<IRendererWindow> OpenGlWindowFactoryBase::createWindow() {
    if (!renderer) {
        sendMessage("Failed to create OpenGL window, because renderer shared pointer is invalid.");
        return {};
    }
    auto window = makeWindow(size);
    if (!window) {
        sendMessage("Failed to instantiate OpenGL window.");
        return {};
    }
    // The platform has already reported why through the renderer; the caller
    // checks isValid().
    if (!window->isValid()) {
        return window;
    }
    window->attachEvents(windowEvents);
    if (!title.empty()) {
        window->setTitle(title);
    }
    renderer->windowCreated(window);
    // GLEW has said what is missing. Nothing could be drawn with this
    // context: the first draw would call a null entry point.
    const auto glRenderer = std::dynamic_pointer_cast<OpenGlRendererBase>(renderer);
    if (glRenderer && !glRenderer->isGlLoaded()) {
        window->destroy();
    }
    return window;
}

IRendererWindowOpenGlHintFactory&
OpenGlWindowFactoryBase::setContextVersion(const context_version_t& version) {
    setIntHint(EWindowIntHint::ContextVersionMajor, version.major);
    setIntHint(EWindowIntHint::ContextVersionMinor, version.minor);
    return *this;
}

IRendererWindowOpenGlHintFactory& OpenGlWindowFactoryBase::setIntHint(EWindowIntHint hint,
                                                                      std::int32_t value) {
    hints.push_back({hint, value});
    return *this;
}

IRendererWindowOpenGlHintFactory& OpenGlWindowFactoryBase::setBoolHint(EWindowBoolHint hint,
                                                                       bool value) {
    hints.push_back({hint, value ? 1 : 0});
    return *this;
}

IRendererWindowOpenGlHintFactory& OpenGlWindowFactoryBase::setClientApi(EClientApi api) {
    hints.push_back({api});
    return *this;
}

IRendererWindowOpenGlHintFactory&
OpenGlWindowFactoryBase::setContextRobustness(EContextRobustness robustness) {
    hints.push_back({robustness});
    return *this;
}

IRendererWindowOpenGlHintFactory&
OpenGlWindowFactoryBase::setOpenGlProfile(EOpenGlProfile profile) {
    hints.push_back({profile});
    return *this;
}

IRendererWindowOpenGlHintFactory&
OpenGlWindowFactoryBase::setColorBits(std::shared_ptr<IMonitorVideoMode> mode) {
    if (mode) {
        setIntHint(EWindowIntHint::RedBits, mode->getRedBits());
        setIntHint(EWindowIntHint::GreenBits, mode->getGreenBits());
        setIntHint(EWindowIntHint::BlueBits, mode->getBlueBits());
    }
    return *this;
}

IRendererWindowFactory& OpenGlWindowFactoryBase::getWindowFactory() {
    return *this;
}

const dimension_t& OpenGlWindowFactoryBase::getSize() const {
    return size;
}

const std::string& OpenGlWindowFactoryBase::getTitle() const {
    return title;
}

const std::vector<window_hint_t>& OpenGlWindowFactoryBase::getWindowHints() const {
    return hints;
}

const std::shared_ptr<IRenderer>& OpenGlWindowFactoryBase::getRenderer() const {
    return renderer;
}

} // namespace ox::renderer::opengl
