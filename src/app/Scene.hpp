#pragma once

#include "app/RendererContext.hpp"
#include "renderer/IRenderingApi.hpp"

#include <memory>

namespace ox::app {

// The demo scene as the frame loop sees it: assembled once before the loop,
// updated and drawn every frame, shut down while the context still exists.
// It supplies the field of view and camera position shown in the title.
class Scene {
public:
    struct position_t {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
    };

    void assemble(RendererContext& context, const std::shared_ptr<renderer::IRenderingApi>& api);
    void update(double frameTime);
    void draw(const std::shared_ptr<renderer::IRenderingApi>& api);
    void shutdown(const std::shared_ptr<renderer::IRenderingApi>& api);

    // Field of view in degrees.
    double fieldOfView() const { return fovDegrees; }
    position_t cameraPosition() const { return camera; }

private:
    double fovDegrees = 45.0;
    position_t camera;
};

} // namespace ox::app
