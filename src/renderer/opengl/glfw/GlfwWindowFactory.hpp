#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/opengl/OpenGlWindowFactoryBase.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ox::renderer::opengl::glfw {

// Builds GLFW windows: the GLFW piece of the back end's window factory. It
// turns the hints into GLFW window and context hints, applied in order
// before each window is created. Hints are never reset, so
// a later window starts from the hints already set. Obtained from
// Renderer::createWindowFactory; its messages go to the renderer's events
// sink as it was when the factory was made. Main thread only.
class GlfwWindowFactory : public OpenGlWindowFactoryBase {
public:
    using hint_t = std::pair<std::int32_t, std::int32_t>;

    GlfwWindowFactory(std::shared_ptr<IRenderer> renderer,
                      std::shared_ptr<IRendererEvents> rendererEvents);
    ~GlfwWindowFactory() override = default;

    IRendererWindowFactory& setFullScreen(std::shared_ptr<IMonitor> monitor) override;

    // What the next createWindow would use, besides size and title: the
    // hints as GLFW's (hint, value) pairs, in order; a hint GLFW has no
    // constant for is left out.
    std::vector<hint_t> getHints() const;
    std::shared_ptr<IMonitor> getMonitor() const;

protected:
    std::shared_ptr<OpenGlWindowBase> makeWindow(const dimension_t& size) override;

private:
    std::shared_ptr<IMonitor> monitor;
};

} // namespace ox::renderer::opengl::glfw
