#pragma once

#include "renderer/opengl/OpenGlRendererBase.hpp"
#include "renderer/opengl/glfw/RGlfw.hpp"

#include <memory>
#include <vector>

namespace ox::renderer::opengl::glfw {

// The OpenGL renderer over GLFW: GLFW's lifetime with its monitors, GLFW
// windows through GlfwWindowFactory, GLFW's clock and event polling; the rest
// of an OpenGL renderer comes from OpenGlRendererBase. Create it with
// std::make_shared. Once init() has created the rendering API, the API and the
// renderer own each other until deinit(), so call deinit() before letting the
// renderer go. The destructor deinitialises too (for a renderer that was never
// initialised), but can no longer name itself in the events it sends.
// Main thread only.
class Renderer : public OpenGlRendererBase {
public:
    Renderer() = default;
    ~Renderer() override;

    bool init() override;
    bool isInitialized() const override;
    const std::vector<std::shared_ptr<IMonitor>>& getMonitors() const override;
    std::shared_ptr<IMonitor> getPrimaryMonitor() const override;
    std::unique_ptr<IRendererWindowFactory> createWindowFactory() override;
    void setSwapInterval(bool enabled) override;
    double getTime() const override;

protected:
    void releaseWindowSystem() override;
    void pollWindowSystem() override;

private:
    std::shared_ptr<RGlfw> glfw;
};

} // namespace ox::renderer::opengl::glfw
