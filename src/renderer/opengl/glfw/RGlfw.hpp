#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRenderer.hpp"

#include <cstdint>
#include <memory>
#include <vector>

namespace ox::renderer::opengl::glfw {

// Lifetime of the GLFW library for one renderer: initialisation, monitor
// discovery, termination, and the route that turns GLFW's error callback into
// renderer messages. GLFW has a single error callback per process, so the most
// recently constructed RGlfw receives every error; once it is destroyed the
// route goes quiet instead of calling into a dead object. Main thread only.
class RGlfw {
public:
    explicit RGlfw(std::weak_ptr<IRenderer> renderer);
    virtual ~RGlfw();

    RGlfw(const RGlfw&) = delete;
    RGlfw& operator=(const RGlfw&) = delete;

    // Reports GLFW's version, initialises GLFW and discovers the monitors,
    // announcing each to the renderer. Does nothing once initialised.
    bool init();
    // Clears the monitors and terminates GLFW if it was initialised.
    void terminate();
    void reportError(std::int32_t code, const char* description);

    std::int32_t getStatus() const;
    const std::vector<std::shared_ptr<IMonitor>>& getMonitors() const;

private:
    std::int32_t status = 0;
    std::weak_ptr<IRenderer> renderer;
    std::vector<std::shared_ptr<IMonitor>> monitors;
};

} // namespace ox::renderer::opengl::glfw
