#include "app/Scene.hpp"

namespace ox::app {

// The scene has no meshes or camera graph yet: the loop runs with an empty
// frame, the default field of view and the camera at the origin.
void Scene::assemble(RendererContext&, const std::shared_ptr<renderer::IRenderingApi>&) {}

void Scene::update(double) {}

void Scene::draw(const std::shared_ptr<renderer::IRenderingApi>&) {}

void Scene::shutdown(const std::shared_ptr<renderer::IRenderingApi>&) {}

} // namespace ox::app
