#pragma once

#include "renderer/IRenderer.hpp"

#include <cstdint>
#include <memory>

namespace ox::renderer::opengl {

// GLEW's one-time initialisation, run by the renderer with the first window's
// context current. Reports the GL vendor, version and renderer name on success.
// Owned by the renderer; main thread only.
class RGlew {
public:
    explicit RGlew(std::weak_ptr<IRenderer> renderer);

    void init();
    std::int32_t getStatus() const;

private:
    std::int32_t status = 0;
    std::weak_ptr<IRenderer> renderer;
};

} // namespace ox::renderer::opengl
