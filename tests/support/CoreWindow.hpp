#pragma once

#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowEvents.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"

#include <memory>
#include <string_view>

namespace ox::test {

// A window with an OpenGL 4.5 core context, as the program asks for one, from
// an initialised renderer of any platform; check isValid() on the result.
inline std::shared_ptr<renderer::IRendererWindow>
createCoreWindow(renderer::IRenderer& renderer, std::string_view title, int width, int height,
                 std::shared_ptr<renderer::IRendererWindowEvents> events = {}) {
    return renderer.createWindowFactory()
        ->setTitle(title)
        .setSize(width, height)
        .setEvents(std::move(events))
        .getOpenGlHintFactory()
        .setContextVersion({4, 5})
        .setClientApi(renderer::EClientApi::OpenGl)
        .setOpenGlProfile(renderer::EOpenGlProfile::Core)
        .getWindowFactory()
        .createWindow();
}

} // namespace ox::test
