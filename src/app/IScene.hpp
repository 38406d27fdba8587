#pragma once

#include "app/RendererContext.hpp"
#include "app/scene_instruments_t.hpp"
#include "renderer/IRenderingApi.hpp"

#include <glm/vec3.hpp>

#include <memory>

namespace ox::app {

// What the frame loop drives: a scene assembled once before the first frame,
// updated and drawn every frame and shut down while the window's context
// still exists. The demo's `Scene` is one; a program of its own brings
// another. The title shows its field of view and camera position.
// Main thread only.
struct IScene {
    virtual ~IScene() = default;

    // What the run's instruments ask of the scene, once, before assemble. A
    // scene that draws no meshes, or wants no measuring, may ignore it.
    virtual void instrument(const scene_instruments_t& instruments) { (void)instruments; }
    // `api` may be empty, then nothing is to be drawn.
    virtual void assemble(const RendererContext& context,
                          const std::shared_ptr<renderer::IRenderingApi>& api) = 0;
    // `frameTime` is the renderer's clock, or the fixed clock of a scripted run.
    virtual void update(double frameTime) = 0;
    virtual void draw() = 0;
    virtual void shutdown() = 0;

    // Degrees, and the camera's position, for the title.
    virtual float fieldOfView() const = 0;
    virtual glm::vec3 cameraPosition() const = 0;
    // The unit vector the camera looks along, for a debug overlay; zero for a
    // scene without a camera of its own.
    virtual glm::vec3 cameraForward() const { return glm::vec3(0.0f); }
};

} // namespace ox::app
