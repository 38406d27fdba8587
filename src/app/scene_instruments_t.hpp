#pragma once

#include <memory>

namespace ox::engine::mesh {
struct IRenderGroupObserver;
}

namespace ox::app {

// What the run's instruments ask of a scene. The shell hands it to every
// scene before the scene is assembled (IScene::instrument); a scene that
// draws through a mesh register gives the register both of the first two.
// All empty, nothing is measured or annotated.
struct scene_instruments_t {
    // Told around each render group of the scene's mesh register, for the GPU
    // time per group; empty without GPU timing.
    std::shared_ptr<engine::mesh::IRenderGroupObserver> renderGroupObserver;
    // Label the meshes' GL objects and wrap each mesh's draw in a debug
    // group, for GL debugging tools.
    bool debugAnnotations = false;
};

} // namespace ox::app
