#pragma once

#include "renderer/IMonitor.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/opengl/glfw/GlfwMonitorVideoMode.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct GLFWmonitor;

namespace ox::renderer::opengl::glfw {

// A monitor reported by GLFW, its properties snapshotted at construction. Made
// by the renderer's GLFW lifetime object while GLFW initialises; the handle must
// not be used (current mode, gamma) once GLFW has been terminated. Main thread.
class GlfwMonitor final : public IMonitor {
public:
    GlfwMonitor(std::weak_ptr<IRenderer> renderer, GLFWmonitor* handle);

    std::shared_ptr<IRenderer> getRenderer() const override;
    void* getNativeHandle() const override;
    bool isPrimary() const override;
    std::pair<std::int32_t, std::int32_t> getPosition() const override;
    std::pair<std::int32_t, std::int32_t> getPhysicalSize() const override;
    const std::string& getName() const override;
    void forEachVideoMode(std::function<void(const IMonitorVideoMode*)> visitor) override;
    const IMonitorVideoMode* getCurrentVideoMode() const override;
    void setGamma(float gamma) override;

private:
    GLFWmonitor* handle;
    std::weak_ptr<IRenderer> renderer;
    std::vector<GlfwMonitorVideoMode> videoModes;
    std::string name;
    bool primary = false;
    std::pair<std::int32_t, std::int32_t> position{0, 0};
    std::pair<std::int32_t, std::int32_t> physicalSize{0, 0};
};

} // namespace ox::renderer::opengl::glfw
