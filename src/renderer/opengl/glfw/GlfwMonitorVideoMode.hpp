#pragma once

#include "renderer/IMonitorVideoMode.hpp"

#include <cstdint>

struct GLFWvidmode;

namespace ox::renderer::opengl::glfw {

// One video mode of a monitor, copied from GLFW's record so that it stays valid
// after GLFW has been terminated. A plain value held by its monitor.
class GlfwMonitorVideoMode final : public IMonitorVideoMode {
public:
    explicit GlfwMonitorVideoMode(const GLFWvidmode& mode);

    std::int32_t getWidth() const override;
    std::int32_t getHeight() const override;
    std::int32_t getRedBits() const override;
    std::int32_t getGreenBits() const override;
    std::int32_t getBlueBits() const override;
    std::int32_t getRefreshRate() const override;

    // True when all six fields equal those of the GLFW record.
    bool matches(const GLFWvidmode& mode) const;

private:
    std::int32_t width;
    std::int32_t height;
    std::int32_t redBits;
    std::int32_t greenBits;
    std::int32_t blueBits;
    std::int32_t refreshRate;
};

} // namespace ox::renderer::opengl::glfw
